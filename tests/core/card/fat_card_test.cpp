// What only a real FAT card shows: a card pulled out mid-run, and renames that change only case.
#include "tests/support/fat_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/archive/backup_verify.h"
#include "core/archive/card_backup.h"
#include "core/archive/card_rescue.h"
#include "core/archive/card_restore.h"
#include "core/card/card_check.h"
#include "core/card/card_temporary.h"
#include "core/card/card_write.h"
#include "core/messages/messages.h"
#include "core/transfers/copy_to_card.h"
#include "platform/local/local_file_system.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

// Pulls the card out, as a desktop does when the reader goes, before file number at of the run.
// The busy pointer is off between files.
struct PullingObserver : RunObserver {
    PullingObserver(test::FatCard& pulled, int before) : card(pulled), at(before) {}
    void busy(bool on) override { shown = on; }
    bool next(int index, int, const std::string&) override {
        EXPECT_FALSE(shown) << "the busy pointer stayed on after file " << index - 1;
        if (index == at) test::RunProgram({"fusermount", "-u", "-z", card.root()});
        return true;
    }
    test::FatCard& card;
    int at;
    bool shown = false;
};

// Pulls the card out before the format of sample number at is read, as during a check.
struct PullingFormats : SampleFormats {
    PullingFormats(test::FatCard& pulled, int before) : card(pulled), at(before) {}
    SampleFormat read(const std::string&) override {
        if (reads++ == at) test::RunProgram({"fusermount", "-u", "-z", card.root()});
        return {};
    }
    test::FatCard& card;
    int at;
    int reads = 0;
};

// A card pulled before any file of a put, of a backup or a rescue, of the check of a backup
// before its restore, of the restore itself, or of a check of the card: the run stops and says
// so, and nothing lands in the bare mount point.
enum class Stage { Put, Backup, Rescue, RestoreCheck, Restore, Check };

class PulledArchive : public ::testing::TestWithParam<std::tuple<Stage, int>> {};

TEST_P(PulledArchive, EndsWithTheCardRemovedAndNothingBesideIt) {
    const auto [stage, at] = GetParam();
    test::TempDir dir;
    test::FatCard fat(dir.path(), 4096);
    REQUIRE_FAT_CARD(fat);
    const std::string backup = dir.file("backup");
    if (stage == Stage::Put) {
        for (const char* name : {"0", "1", "2"})
            test::WriteBytes(backup + name, std::string(5000, 'x'));
    } else if (stage != Stage::Backup && stage != Stage::Rescue && stage != Stage::Check) {
        std::filesystem::create_directory(backup);
        for (const char* name : {"00.wav", "01.wav", "names.txt"}) {
            test::WriteBytes(backup + "/" + name, name);
        }
        ASSERT_TRUE(test::WriteSums(backup));
    } else {
        for (const char* name : {"00.wav", "01.wav", "02.wav", "names.txt"}) {
            test::WriteBytes(fat.root() + "/" + name, name);
        }
    }
    LocalFileSystem fs;
    CardSide card(fs);
    card.pin(fat.root());
    PullingObserver pulling(fat, at);
    RunObserver quiet;
    ArchiveResult result;
    if (stage == Stage::Put) {
        test::RecordingPrompt prompt;
        EXPECT_FALSE(CopyToCard(card, prompt, {backup + "0", backup + "1", backup + "2"}, pulling));
        EXPECT_EQ(prompt.messages,
                  std::vector<std::string>{std::string(kCardRemoved) + " Not copied: backup0, " +
                                           "backup1 and backup2."});
        result.problems = prompt.messages;
    } else if (stage == Stage::Backup || stage == Stage::Rescue) {
        result = (stage == Stage::Backup ? BackUpCard : RescueCard)(card, backup, pulling);
        EXPECT_FALSE(std::filesystem::exists(backup + "/SHA256SUMS"));
    } else if (stage == Stage::Check) {
        PullingFormats formats(fat, at);
        try {
            result.problems = CheckCard(fs, fat.root(), formats);
        } catch (const FileError& error) {
            result.problems = {CardNotRead(error)};
        }
    } else {
        const VerifiedBackup verified =
            VerifyBackup(fs, backup, stage == Stage::RestoreCheck ? pulling : quiet);
        ASSERT_EQ(verified.problem, "");
        result = RestoreCard(card, verified, true, stage == Stage::Restore ? pulling : quiet);
    }
    ASSERT_FALSE(result.problems.empty());
    EXPECT_EQ(result.problems.front().rfind(kCardRemoved, 0), 0u) << result.problems.front();
    EXPECT_TRUE(std::filesystem::is_empty(fat.root()));
    EXPECT_THROW(card.ensureCardPresent(), FileError);
    // The card comes back while this process lives on: what the ended run left goes once the
    // card is opened again.
    ASSERT_TRUE(fat.remount());
    CardSide again(fs);
    again.open(fat.root());
    TidyEndedRuns(again);
    for (const auto& entry : std::filesystem::directory_iterator(fat.root())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(kTemporaryPrefix))
            << entry.path();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, PulledArchive,
                         ::testing::Combine(::testing::Values(Stage::Put, Stage::Backup,
                                                              Stage::Rescue, Stage::RestoreCheck,
                                                              Stage::Restore, Stage::Check),
                                            ::testing::Values(0, 1, 2)));

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
