#include "platform/player/sample_player.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QMediaDevices>
#include <QTest>

#include "tests/platform/sound/test_sounds.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

class SamplePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTones(sample_, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {{440, 0.3}});
    }

    // Opens and plays as the window does, through a worker; true once the player told.
    bool openThenPlay(const std::string& path) {
        bool told = false;
        player_.setFileName(path);
        player_.openThenPlay(0.0, [&] { told = true; });
        // The window's play mark asks where it is while the sample is still being read.
        EXPECT_EQ(player_.position(), 0.0);
        return QTest::qWaitFor([&] { return told; });
    }

    TempDir dir_;
    const std::string sample_ = dir_.file("00.wav");
    SamplePlayer player_;
};

// Each is refused at once with its path, and the sample open before is closed.
TEST_F(SamplePlayerTest, ANonSoundFileIsRefusedAndNothingPlays) {
    player_.command("Play");
    EXPECT_EQ(player_.lastError(), "no sample open");
    WriteBytes(dir_.file("garbage.wav"), "RIFF and WAVE, but not a sound file at all");
    WriteBytes(dir_.file("empty.wav"), "");
    WriteTones(dir_.file("silent.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {});
    for (const char* name : {"garbage.wav", "empty.wav", "silent.wav", "missing.wav"}) {
        SCOPED_TRACE(name);
        player_.setFileName(sample_);
        player_.command("Open");
        player_.setFileName(dir_.file(name));
        player_.command("Open");
        player_.command("Play");
        EXPECT_FALSE(player_.isOpen());
        EXPECT_FALSE(player_.isPlaying());
        EXPECT_NE(player_.lastError().find(dir_.file(name)), std::string::npos)
            << player_.lastError();
    }
}

// Run without a sound server (see CMakeLists.txt): the player stays silent and returns at once.
TEST_F(SamplePlayerTest, NoAudioDeviceLeavesThePlayerSilent) {
    ASSERT_TRUE(QMediaDevices::audioOutputs().isEmpty()) << "this case runs without a sound server";
    player_.setFileName(sample_);
    player_.command("Open");
    player_.command("Play");
    EXPECT_TRUE(player_.isOpen());
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(player_.lastError(), "no audio output device");
    player_.command("Close");
    ASSERT_TRUE(openThenPlay(sample_));
    EXPECT_TRUE(player_.isOpen());
    EXPECT_NEAR(player_.seconds(), 0.3, 0.001);
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(player_.lastError(), "no audio output device");
}

}  // namespace
}  // namespace quodlin::test
