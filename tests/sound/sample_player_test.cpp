#include "platform/player/sample_player.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QMediaDevices>
#include <filesystem>

#include "tests/sound/test_sounds.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

void Send(SamplePlayer& player, std::initializer_list<const char*> commands) {
    for (const char* command : commands) player.command(command);
}

class SamplePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTones(sample_, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {{440, 0.3}});
        WriteBytes(garbage_, "this is not a sound file");
    }

    TempDir dir_;
    const std::string sample_ = dir_.file("00.wav");
    const std::string garbage_ = dir_.file("01.wav");
    SamplePlayer player_;
};

TEST_F(SamplePlayerTest, StopAndCloseAreAcceptedInEveryState) {
    Send(player_, {"Stop", "Close", "Close", "Stop"});
    EXPECT_FALSE(player_.isOpen());

    player_.setFileName(sample_);
    Send(player_, {"Open", "Stop", "Stop"});
    EXPECT_TRUE(player_.isOpen());
    Send(player_, {"Play", "Stop", "Play", "Play", "Close", "Stop", "Close"});
    EXPECT_FALSE(player_.isOpen());
    EXPECT_FALSE(player_.isPlaying());
}

TEST_F(SamplePlayerTest, PlayWithoutASampleStaysSilent) {
    player_.command("Play");
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(player_.lastError(), "no sample open");

    // As at start-up: "Open" before any file name is set.
    Send(player_, {"Open", "Play"});
    EXPECT_FALSE(player_.isOpen());
    EXPECT_FALSE(player_.isPlaying());

    player_.setFileName(sample_);
    Send(player_, {"Open", "Close", "Play"});
    EXPECT_FALSE(player_.isPlaying());
}

TEST_F(SamplePlayerTest, UndecodableOrMissingFileLeavesThePlayerSilent) {
    for (const std::string& path : {garbage_, dir_.file("missing.wav")}) {
        SCOPED_TRACE(path);
        player_.setFileName(sample_);
        player_.command("Open");
        player_.setFileName(path);
        player_.command("Open");
        EXPECT_FALSE(player_.isOpen());
        EXPECT_NE(player_.lastError().find(path), std::string::npos) << player_.lastError();
        player_.command("Play");
        EXPECT_FALSE(player_.isPlaying());
        Send(player_, {"Stop", "Close"});
    }
}

// Run without a sound server (see CMakeLists.txt): the player stays silent and returns at once.
TEST_F(SamplePlayerTest, NoAudioDeviceLeavesThePlayerSilent) {
    ASSERT_TRUE(QMediaDevices::audioOutputs().isEmpty()) << "this case runs without a sound server";
    player_.setFileName(sample_);
    Send(player_, {"Open", "Play"});
    EXPECT_TRUE(player_.isOpen());
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(player_.lastError(), "no audio output device");
    Send(player_, {"Stop", "Close"});
    EXPECT_FALSE(player_.isOpen());
}

}  // namespace
}  // namespace quodlin::test
