#include <gtest/gtest.h>

#include "platform/local_file_system.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A FAT card finds every name in any letter case: renaming kick.wav to Kick.wav finds the file
// itself as the target, and must still never replace another file.
TEST(CaseOnlyRename, WorksOnAFatCardAndReplacesNothing) {
    test::TempDir dir;
    test::FatCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    WriteBytes(card.root() + "/kick.wav", "kick");
    WriteBytes(card.root() + "/snare.wav", "snare");
    LocalFileSystem fs;
    fs.renameNoReplace(card.root() + "/kick.wav", card.root() + "/Kick.wav");
    EXPECT_THROW(fs.renameNoReplace(card.root() + "/Kick.wav", card.root() + "/SNARE.wav"),
                 FileError);
    ASSERT_TRUE(card.remount());
    std::vector<std::string> names;
    for (const DirEntry& entry : fs.list(card.root())) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Kick.wav", "snare.wav"}));
    EXPECT_EQ(ReadBytes(card.root() + "/Kick.wav"), "kick");
    EXPECT_EQ(ReadBytes(card.root() + "/snare.wav"), "snare");
}

}  // namespace
}  // namespace quodlin
