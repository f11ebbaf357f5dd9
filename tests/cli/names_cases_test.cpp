// The card cases under tests/cases/names, each run on a folder and on a FAT card (on a folder
// only when they need a FIFO or a link, which FAT has not). A case is a folder holding:
//   command  one quodlin-card run per line: words part at blanks, "..." keeps blanks, \xHH is a
//            byte; CARD is the card's root and PC/ the computer folder
//   files    optional: one name per line (\xHH as above), a card file, a folder when it ends in
//            "/", a FIFO when it ends in "|", a link with "NAME -> TARGET", or a computer file
//            under PC/; files hold "RIFF"
//   before/  the catalogue files on the card before (none when absent)
//   after/   every file on the card after that is neither a card file nor a folder, byte for byte
//   out      optional: what the last run prints
//   err      optional: a text its error output holds
//   status   optional: the exit status of each run, one a line; else every run must succeed
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/utf8.h"
#include "tests/cli/card_program.h"
#include "tests/support/case_files.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

const fs::path kCases = QUODLIN_NAMES_CASES;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool started = false;
    for (const char c : line + ' ') {
        if (c == ' ' && !quoted) {
            if (started) words.push_back(test::Unescape(word));
            word.clear();
            started = false;
        } else {
            quoted = c == '"' ? !quoted : quoted;
            if (c != '"') word += c;
            started = true;
        }
    }
    return words;
}

// The files of dir that are neither card files nor folders.
test::Files CatalogueFiles(const fs::path& dir) {
    test::Files files = test::FilesIn(dir);
    std::erase_if(files, [](const auto& file) {
        return EndsWithIgnoringCase(file.first, ".wav") || EndsWithIgnoringCase(file.first, ".es1");
    });
    return files;
}

void RunCase(const fs::path& dir, const std::string& card, const std::string& computer) {
    const auto place = [&](const std::string& word) {
        if (word.starts_with("CARD")) return card + word.substr(4);
        return word.starts_with("PC/") ? computer + word.substr(2) : word;
    };
    for (const std::string& line : test::CaseLines(dir / "files")) {
        const std::string name = test::Unescape(line);
        const std::string path = name.starts_with("PC/") ? place(name) : card + "/" + name;
        const std::size_t arrow = path.find(" -> ");
        if (name.ends_with('/')) {
            fs::create_directory(path);
        } else if (name.ends_with('|')) {
            ASSERT_EQ(::mkfifo(path.substr(0, path.size() - 1).c_str(), 0644), 0) << path;
        } else if (arrow != std::string::npos) {
            fs::create_symlink(path.substr(arrow + 4), path.substr(0, arrow));
        } else {
            test::WriteBytes(path, "RIFF");
        }
    }
    for (const auto& [name, bytes] : CatalogueFiles(dir / "before")) {
        test::WriteBytes(card + "/" + name, bytes);
    }
    const std::vector<std::string> statuses = test::CaseLines(dir / "status");
    test::ProcessResult last;
    const std::vector<std::string> commands = test::CaseLines(dir / "command");
    for (std::size_t run = 0; run < commands.size(); ++run) {
        const std::string& line = commands[run];
        std::vector<std::string> args = Words(line);
        for (std::string& arg : args) arg = place(arg);
        last = test::Card(args);
        EXPECT_EQ(std::to_string(last.status), run < statuses.size() ? statuses[run] : "0")
            << line << '\n'
            << last.err;
    }
    if (fs::exists(dir / "out")) EXPECT_EQ(last.out, ReadBytes((dir / "out").string()));
    if (fs::exists(dir / "err")) {
        const std::string expected = test::CaseLines(dir / "err").front();
        EXPECT_NE(last.err.find(expected), std::string::npos) << last.err;
    }
    EXPECT_EQ(CatalogueFiles(card), CatalogueFiles(dir / "after"));
}

class NamesCase : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(NamesCase, EndsAsWritten) {
    const auto& [name, onFatCard] = GetParam();
    test::TempDir folder;
    test::TempDir computer;
    test::TestCard card(folder.path(), 8192, true,
                        onFatCard ? test::CardKind::Fat : test::CardKind::Folder);
    REQUIRE_FAT_CARD(card);
    RunCase(kCases / name, card.root(), computer.path());
}

// Every case on a folder, and on a FAT card unless it needs what FAT has not.
std::vector<std::tuple<std::string, bool>> Runs() {
    std::vector<std::tuple<std::string, bool>> runs;
    for (const std::string& name : test::CaseNames(kCases)) {
        runs.emplace_back(name, false);
        const auto files = test::CaseLines(kCases / name / "files");
        if (std::none_of(files.begin(), files.end(), [](const std::string& file) {
                return file.ends_with('|') || file.find(" -> ") != std::string::npos;
            })) {
            runs.emplace_back(name, true);
        }
    }
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Golden, NamesCase, ::testing::ValuesIn(Runs()), [](const auto& info) {
    std::string name = std::get<0>(info.param);
    std::replace(name.begin(), name.end(), '-', '_');
    return name + (std::get<1>(info.param) ? "_fat" : "_folder");
});

}  // namespace
}  // namespace quodlin
