// A backup and a restore whose every file operation fails once in turn; the round trip is a case
// under tests/cases/archive.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/card_archive_commands.h"
#include "cli/card_command.h"
#include "core/card/card_temporary.h"
#include "core/catalogue/catalogue_text.h"
#include "platform/local/no_sound.h"
#include "tests/support/case_files.h"
#include "tests/support/fat_card.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

namespace fs = std::filesystem;
using test::Files;

void WriteFiles(const std::string& dir, const Files& files) {
    for (const auto& [name, bytes] : files) test::WriteBytes(dir + "/" + name, bytes);
}

const Files kOldCard = {
    {"00.wav", "old kick"},
    {"01.wav", "old snare"},
    {"names.txt", "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n\r\n\r\n"},
};
const Files kBackedUp = {
    {"00.wav", "new kick, a little longer"},
    {"02.wav", "new hat"},
    {"1.es1", "bank"},
    {"readme.txt", "sorts after names.txt"},
    {"names.txt",
     "[ES1 banks]\r\n1.es1=Set\r\n\r\n[ES1 samples]\r\n00.wav=Kick 2\r\n02.wav=Hat\r\n\r\n\r\n"},
};

struct ArchiveRun {
    int status;
    std::string err;
};

ArchiveRun RunArchive(int (*command)(const ArchiveArgs&), FileSystem& fs, const std::string& from,
                      const std::string& to) {
    std::ostringstream out;
    std::ostringstream err;
    NoSampleFormats formats;
    const std::vector<std::string> operands = {from, to};
    const int status = command({operands, true, false, false, fs, fs, formats, out, err,
                                [](const std::string&) { return kExitUsage; }});
    return {status, err.str()};
}

// Every line told of a failure is whole: its brackets close, each followed by a stop, a comma or
// a space, and it ends as a sentence does.
void ExpectWholeLines(const std::string& err, const std::string& what) {
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '('),
                  std::count(line.begin(), line.end(), ')'))
            << what << ": " << line;
        for (std::size_t at = line.find(')'); at != std::string::npos;
             at = line.find(')', at + 1)) {
            EXPECT_TRUE(at + 1 == line.size() ||
                        std::string(".,: ").find(line[at + 1]) != std::string::npos)
                << what << ": " << line;
        }
        EXPECT_TRUE(line.ends_with('.') || line.ends_with(':')) << what << ": " << line;
    }
}

// The card holds one of the two catalogues whole, every file it names, and no temporary file
// unless the card went away before it could be removed.
void ExpectCatalogueReadable(const Files& card, bool tidy) {
    ASSERT_TRUE(card.contains("names.txt"));
    const std::string& catalogue = card.at("names.txt");
    EXPECT_TRUE(catalogue == kOldCard.at("names.txt") || catalogue == kBackedUp.at("names.txt"));
    for (const std::string& line : ParseCatalogue(catalogue).lines) {
        const std::size_t separator = line.find('=');
        if (separator != std::string::npos) {
            EXPECT_TRUE(card.contains(line.substr(0, separator)));
        }
    }
    for (const auto& [name, bytes] : card) EXPECT_FALSE(tidy && IsCardTemporaryName(name)) << name;
}

TEST(CardArchive, EveryFailedRestoreStepIsToldAndLeavesAReadableCatalogue) {
    test::TempDir dir;
    const std::string backup = dir.file("backup");
    const std::string card = dir.file("card");
    fs::create_directory(backup);
    WriteFiles(backup, kBackedUp);
    // names.txt listed first: the restore must still place it last.
    ASSERT_EQ(test::RunProgram({"sh", "-c",
                                "cd \"$1\" && sha256sum names.txt *.wav *.es1 readme.txt "
                                "> SHA256SUMS",
                                "sh", backup})
                  .status,
              0);
    const auto resetCard = [&] {
        fs::remove_all(card);
        fs::create_directory(card);
        WriteFiles(card, kOldCard);
    };

    test::ForEveryFault(resetCard, [&](test::FaultyFileSystem& fs, const std::string& what) {
        const ArchiveRun run = RunArchive(RestoreCommand, fs, backup, card);
        if (!fs.failed()) {
            EXPECT_EQ(test::FilesIn(card), kBackedUp) << run.err;
            return;
        }
        EXPECT_EQ(run.status, kExitFailed) << what;
        EXPECT_NE(run.err.find("injected"), std::string::npos) << what << run.err;
        ExpectWholeLines(run.err, what);
        ExpectCatalogueReadable(test::FilesIn(card), !fs.pulled());
    });
}

TEST(CardArchive, EveryFailedBackupStepIsToldAndLeavesTheCardAsItWas) {
    test::TempDir dir;
    const std::string card = dir.file("card");
    const std::string backup = dir.file("backup");
    const auto reset = [&] {
        fs::remove_all(card);
        fs::remove_all(backup);
        fs::create_directory(card);
        WriteFiles(card, kOldCard);
    };
    test::ForEveryFault(reset, [&](test::FaultyFileSystem& faulty, const std::string& what) {
        const ArchiveRun run = RunArchive(BackupCommand, faulty, card, backup);
        EXPECT_EQ(test::FilesIn(card), kOldCard) << what;
        EXPECT_EQ(run.status, faulty.failed() ? kExitFailed : kExitDone) << what << run.err;
        if (faulty.failed()) {
            EXPECT_FALSE(test::FilesIn(backup).contains("SHA256SUMS") && run.err.empty()) << what;
            ExpectWholeLines(run.err, what);
        }
    });
}

// A backup restores whole onto a FAT card or is refused before anything is written: files take
// whole clusters, and any name the card can hold restores.
struct Fit {
    const char* what;
    int files;
    std::size_t size;
    std::size_t nameLength;
    int status;
};

const Fit kFits[] = {
    // 102 files of 19 clusters and a byte: their bytes fit a 4 MB card, their clusters do not.
    {"clusters_that_do_not_fit", 102, 19 * 2048 + 1, 8, kExitFailed},
    {"a_name_of_250_characters", 1, 100, 250, kExitDone},
};

class RestoreFit : public ::testing::TestWithParam<Fit> {};

TEST_P(RestoreFit, RestoresWholeOrWritesNothing) {
    const Fit& fit = GetParam();
    test::TempDir dir;
    test::TestCard card(dir.path(), 4096);
    REQUIRE_FAT_CARD(card);
    const std::string backup = dir.file("backup");
    fs::create_directory(backup);
    Files files;
    for (int n = 0; n < fit.files; ++n) {
        const std::string number = std::to_string(n);
        const std::string name = std::string(fit.nameLength - number.size() - 4, 'x') + number;
        files[name + ".wav"] = std::string(fit.size, static_cast<char>('a' + n % 26));
    }
    WriteFiles(backup, files);
    ASSERT_TRUE(test::WriteSums(backup));
    LocalFileSystem local;
    const ArchiveRun run = RunArchive(RestoreCommand, local, backup, card.root());
    EXPECT_EQ(run.status, fit.status) << run.err;
    EXPECT_EQ(test::FilesIn(card.root()), fit.status == kExitDone ? files : Files{}) << run.err;
    if (fit.status != kExitDone) {
        EXPECT_NE(run.err.find("The backup needs"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(OnAFatCard, RestoreFit, ::testing::ValuesIn(kFits),
                         [](const auto& row) { return std::string(row.param.what); });

}  // namespace
}  // namespace quodlin
