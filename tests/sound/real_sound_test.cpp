#include <gtest/gtest.h>
#include <sndfile.h>

#include <QMediaDevices>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/player/sample_player.h"
#include "tests/sound/monitor_recorder.h"
#include "tests/sound/test_sounds.h"
#include "tests/sound/tone_analysis.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

constexpr int kTimeoutMs = 5000;
constexpr int kRate = MonitorRecorder::kRate;

// Previews samples through the real player into the sound server's null sink and listens to
// the sink's monitor. Run by with_pulse.sh, which starts that server. The recorder is shared by
// the whole suite, because a null sink that has been idle takes up to two seconds to deliver the
// first recorded samples.
class RealSound : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        recorder_ = std::make_unique<MonitorRecorder>();
        if (QMediaDevices::audioOutputs().isEmpty()) {
            const char* why = std::getenv("QUODLIN_PULSE_PROBLEM");
            problem_ = std::string("no audio output device") + (why ? ": " + std::string(why) : "");
        } else if (!recorder_->start()) {
            problem_ = recorder_->problem();
        }
    }
    static void TearDownTestSuite() { recorder_.reset(); }

    void SetUp() override {
        if (problem_.empty()) return;
        if (InCi()) FAIL() << problem_;
        GTEST_SKIP() << problem_;
    }

    void preview(const std::string& path) {
        player_.command("Stop");
        player_.command("Close");
        player_.setFileName(path);
        player_.command("Open");
        player_.command("Play");
    }

    // Waits until a window of the recording from sample `from` on satisfies test; returns the
    // sample just after that window, or 0 when none came.
    std::size_t waitForWindow(std::size_t from, const std::function<bool(const Window&)>& test) {
        std::size_t found = 0;
        const auto heard = [&] {
            const std::vector<Window> windows = Windows(recorder_->samples(), from, kRate);
            const auto hit = std::find_if(windows.begin(), windows.end(), test);
            if (hit != windows.end())
                found = from + (hit - windows.begin() + 1) * WindowSize(kRate);
            return hit != windows.end();
        };
        return QTest::qWaitFor(heard, kTimeoutMs) ? found : 0;
    }
    std::size_t waitForTone(std::size_t from, double frequency) {
        return waitForWindow(from, [frequency](const Window& w) { return IsTone(w, frequency); });
    }
    std::size_t waitForSilence(std::size_t from) {
        return waitForWindow(from, [](const Window& w) { return w.rms < kSilenceRms; });
    }
    std::size_t now() const { return recorder_->samples().size(); }

    // The recording from sample `from` on, `count` samples long, once that much is there.
    std::vector<float> recording(std::size_t from, std::size_t count) {
        if (!QTest::qWaitFor([&] { return now() >= from + count; }, kTimeoutMs)) {
            ADD_FAILURE() << "the recording stopped";
            return {};
        }
        return {recorder_->samples().begin() + from, recorder_->samples().begin() + from + count};
    }

    static inline std::unique_ptr<MonitorRecorder> recorder_;
    static inline std::string problem_;
    TempDir dir_;
    SamplePlayer player_;
};

TEST_F(RealSound, PreviewPlaysTheToneEvenAfterTheFileIsDeleted) {
    const std::string path = dir_.file("00.wav");
    WriteTones(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {{440, 1.0}});
    player_.setFileName(path);
    player_.command("Open");
    std::filesystem::remove(path);
    const std::size_t start = now();

    player_.command("Play");

    ASSERT_TRUE(player_.lastError().empty()) << player_.lastError();
    EXPECT_TRUE(player_.isPlaying());
    const std::size_t heard = waitForTone(start, 440);
    ASSERT_GT(heard, 0u) << "no 440 Hz tone recorded";
    const std::vector<float> tone = recording(heard, kRate / 2);
    EXPECT_NEAR(Rms(tone), kToneAmplitude / std::sqrt(2.0), 0.05);
    EXPECT_NEAR(ZeroCrossingFrequency(tone, kRate), 440, 5);
}

TEST_F(RealSound, AFormatTheDeviceRefusesPlaysConvertedToItsOwn) {
    constexpr int kTooFast = 400000;
    QAudioFormat wanted;
    wanted.setSampleFormat(QAudioFormat::Float);
    wanted.setSampleRate(kTooFast);
    wanted.setChannelCount(1);
    ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isFormatSupported(wanted));
    const std::string path = dir_.file("00.wav");
    WriteTones(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, kTooFast, 1, {{440, 1.0}});
    const std::size_t start = now();

    preview(path);

    ASSERT_TRUE(player_.lastError().empty()) << player_.lastError();
    const std::size_t heard = waitForTone(start, 440);
    ASSERT_GT(heard, 0u) << "no 440 Hz tone recorded";
    EXPECT_NEAR(ZeroCrossingFrequency(recording(heard, kRate / 2), kRate), 440, 5);
}

TEST_F(RealSound, SecondPlayWhilePlayingRestartsFromTheBeginning) {
    const std::string path = dir_.file("00.wav");
    WriteTones(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {{440, 0.6}, {880, 0.6}});
    preview(path);

    const std::size_t secondHalf = waitForTone(now(), 880);
    ASSERT_GT(secondHalf, 0u) << "the second half was not heard";
    player_.command("Play");

    EXPECT_GT(waitForTone(secondHalf, 440), 0u) << "the first half was not heard again";
}

TEST_F(RealSound, StopAndCloseSilenceThePlayback) {
    const std::string path = dir_.file("00.wav");
    WriteTones(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, {{440, 5.0}});
    for (const char* command : {"Stop", "Close"}) {
        SCOPED_TRACE(command);
        preview(path);
        ASSERT_GT(waitForTone(now(), 440), 0u) << "no 440 Hz tone recorded";

        player_.command(command);

        EXPECT_FALSE(player_.isPlaying());
        const std::size_t silent = waitForSilence(now());
        ASSERT_GT(silent, 0u) << "still playing after " << command;
        EXPECT_LT(Rms(recording(silent, kRate / 2)), kSilenceRms);
    }
}

}  // namespace
}  // namespace quodlin::test
