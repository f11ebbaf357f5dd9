#include <gtest/gtest.h>
#include <sndfile.h>

#include <QMediaDevices>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "core/image/image_file_system.h"
#include "platform/local/local_file_system.h"
#include "platform/player/sample_player.h"
#include "tests/platform/sound/monitor_recorder.h"
#include "tests/platform/sound/test_sounds.h"
#include "tests/platform/sound/tone_analysis.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

constexpr int kTimeoutMs = 5000;
constexpr int kRate = MonitorRecorder::kRate;

// Previews a sample through the real player into the sound server's null sink and listens to
// the sink's monitor. The test command (scripts/test.sh) starts that server.
class RealSound : public ::testing::Test {
protected:
    void SetUp() override {
        std::string problem;
        if (QMediaDevices::audioOutputs().isEmpty()) {
            const char* why = std::getenv("QUODLIN_PULSE_PROBLEM");
            problem = std::string("no audio output device") + (why ? ": " + std::string(why) : "");
        } else if (!recorder_.start()) {
            problem = recorder_.problem();
        }
        if (problem.empty()) return;
        if (InCi()) FAIL() << problem;
        GTEST_SKIP() << problem;
    }

    // Waits until a window of the recording from sample `from` on satisfies test; returns the
    // sample just after that window, or 0 when none came.
    std::size_t waitFor(std::size_t from, const std::function<bool(const Window&)>& test) {
        std::size_t found = 0;
        const auto heard = [&] {
            const std::vector<Window> windows = Windows(recorder_.samples(), from, kRate);
            const auto hit = std::find_if(windows.begin(), windows.end(), test);
            if (hit != windows.end())
                found = from + (hit - windows.begin() + 1) * WindowSize(kRate);
            return hit != windows.end();
        };
        return QTest::qWaitFor(heard, kTimeoutMs) ? found : 0;
    }

    // The recording from sample `from` on, half a second long, once that much is there.
    std::vector<float> halfSecondFrom(std::size_t from) {
        const std::vector<float>& all = recorder_.samples();
        if (!QTest::qWaitFor([&] { return all.size() >= from + kRate / 2; }, kTimeoutMs)) {
            ADD_FAILURE() << "the recording stopped";
            return {};
        }
        return {all.begin() + from, all.begin() + from + kRate / 2};
    }

    // Plays the open sample: a 440 Hz tone is heard until Stop, then silence.
    void expectToneUntilStopped(SamplePlayer& player) {
        const std::size_t start = recorder_.samples().size();
        player.command("Play");
        ASSERT_TRUE(player.lastError().empty()) << player.lastError();
        EXPECT_TRUE(player.isPlaying());
        const std::size_t heard = waitFor(start, [](const Window& w) { return IsTone(w, 440); });
        ASSERT_GT(heard, 0u) << "no 440 Hz tone recorded";
        const std::vector<float> tone = halfSecondFrom(heard);
        EXPECT_NEAR(Rms(tone), kToneAmplitude / std::sqrt(2.0), 0.05);
        EXPECT_NEAR(ZeroCrossingFrequency(tone, kRate), 440, 5);

        player.command("Stop");

        EXPECT_FALSE(player.isPlaying());
        const std::size_t silent = waitFor(recorder_.samples().size(),
                                           [](const Window& w) { return w.rms < kSilenceRms; });
        ASSERT_GT(silent, 0u) << "still playing after Stop";
        EXPECT_LT(Rms(halfSecondFrom(silent)), kSilenceRms);
    }

    MonitorRecorder recorder_;
    TempDir dir_;
    SamplePlayer player_;
};

// The file is at another rate than the sink, so it also has to be converted on the way.
TEST_F(RealSound, PreviewPlaysTheToneEvenAfterTheFileIsDeletedUntilStopped) {
    const std::string path = dir_.file("00.wav");
    WriteTones(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, {{440, 5.0}});
    player_.setFileName(path);
    player_.command("Open");
    std::filesystem::remove(path);
    expectToneUntilStopped(player_);
}

// A sample in a card image is read through the image, as the window's player reads it.
TEST_F(RealSound, PreviewPlaysASampleInsideACardImage) {
    TestCard card(dir_.path(), 8192, true, CardKind::Image);
    REQUIRE_FAT_CARD(card);
    WriteTones(card.root() + "/00.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 32000, 1, {{440, 5.0}});
    card.unmount();
    LocalFileSystem computer;
    ImageFileSystem image(computer, card.image());
    SamplePlayer player(&image);
    player.setFileName(card.image() + "/00.wav");
    player.command("Open");
    expectToneUntilStopped(player);
}

}  // namespace
}  // namespace quodlin::test
