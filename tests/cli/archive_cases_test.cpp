// The backup, restore and check cases under tests/cases/archive, each run on a folder card. A
// case is a folder holding:
//   command  the quodlin-card words, parted at blanks; CARD is the card root, BACKUP the backup
//   card/    the card before (an empty card when absent)
//   backup/  a backup folder, when the case needs one
//   status   the exit status
//   out/err  optional: what the run prints on each, byte for byte
//   after/   optional: every file on the card after, byte for byte; without it the card must be
//            as it was before
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "tests/cli/card_program.h"
#include "tests/support/case_files.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

const fs::path kCases = QUODLIN_ARCHIVE_CASES;

class ArchiveCase : public ::testing::TestWithParam<std::string> {};

TEST_P(ArchiveCase, EndsAsWritten) {
    const fs::path dir = kCases / GetParam();
    test::TempDir work;
    const std::string card = work.file("card");
    const std::string backup = work.file("backup");
    fs::create_directory(card);
    for (const auto& [name, bytes] : test::FilesIn(dir / "card"))
        test::WriteBytes(card + "/" + name, bytes);
    if (fs::exists(dir / "backup")) fs::copy(dir / "backup", backup);

    std::vector<std::string> args;
    std::istringstream words(ReadBytes((dir / "command").string()));
    for (std::string word; words >> word;) {
        args.push_back(word == "CARD" ? card : word == "BACKUP" ? backup : word);
    }
    const test::ProcessResult run = test::Card(args);

    EXPECT_EQ(run.status, std::stoi(ReadBytes((dir / "status").string()))) << run.err;
    if (fs::exists(dir / "out")) EXPECT_EQ(run.out, ReadBytes((dir / "out").string()));
    if (fs::exists(dir / "err")) EXPECT_EQ(run.err, ReadBytes((dir / "err").string()));
    EXPECT_EQ(test::FilesIn(card),
              test::FilesIn(dir / (fs::exists(dir / "after") ? "after" : "card")));
}

INSTANTIATE_TEST_SUITE_P(Golden, ArchiveCase, ::testing::ValuesIn(test::CaseNames(kCases)),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace quodlin
