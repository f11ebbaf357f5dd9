// What only a real FAT card shows: a card pulled out mid-run, and renames that change only case.
#include "tests/support/fat_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/copy_to_card.h"
#include "core/messages.h"
#include "platform/local_file_system.h"
#include "tests/support/recording_player.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

// Pulls the card out, as a desktop does when the reader goes, before the second file.
class PullingObserver : public RunObserver {
public:
    explicit PullingObserver(test::FatCard& card) : card_(card) {}
    bool next(int index, int, const std::string&) override {
        if (index == 1) test::RunProgram({"fusermount", "-u", "-z", card_.root()});
        return true;
    }

private:
    test::FatCard& card_;
};

TEST(PulledCard, TheRunStopsAndNothingLandsInTheBareMountPoint) {
    test::TempDir dir;
    test::FatCard fat(dir.path(), 4096);
    REQUIRE_FAT_CARD(fat);
    std::vector<std::string> sources;
    for (const char* name : {"kick.wav", "snare.wav", "hat.wav"}) {
        test::WriteBytes(dir.file(name), std::string(5000, name[0]));
        sources.push_back(dir.file(name));
    }
    LocalFileSystem fs;
    CardSide card(fs);
    card.open(fat.root());
    test::RecordingPrompt prompt;
    test::RecordingPlayer player;
    PullingObserver observer(fat);

    EXPECT_FALSE(CopyToCard(card, player, prompt, sources, observer));

    EXPECT_EQ(prompt.messages, std::vector<std::string>{kCardRemoved});
    EXPECT_TRUE(std::filesystem::is_empty(fat.root()));
    EXPECT_THROW(card.ensureCardPresent(), FileError);
}

// A FAT card finds every name in any letter case: renaming kick.wav to Kick.wav finds the file
// itself as the target, and must still never replace another file.
TEST(CaseOnlyRename, WorksOnAFatCardAndReplacesNothing) {
    test::TempDir dir;
    test::FatCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    test::WriteBytes(card.root() + "/kick.wav", "kick");
    test::WriteBytes(card.root() + "/snare.wav", "snare");
    LocalFileSystem fs;
    fs.renameNoReplace(card.root() + "/kick.wav", card.root() + "/Kick.wav");
    EXPECT_THROW(fs.renameNoReplace(card.root() + "/Kick.wav", card.root() + "/SNARE.wav"),
                 FileError);
    ASSERT_TRUE(card.remount());
    std::vector<std::string> names;
    for (const DirEntry& entry : fs.list(card.root())) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Kick.wav", "snare.wav"}));
    EXPECT_EQ(test::ReadBytes(card.root() + "/Kick.wav"), "kick");
    EXPECT_EQ(test::ReadBytes(card.root() + "/snare.wav"), "snare");
}

}  // namespace
}  // namespace quodlin
