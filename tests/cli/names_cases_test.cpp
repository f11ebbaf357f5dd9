// The catalogue cases under tests/cases/names, each run on a folder and on a FAT card. A case is
// a folder holding:
//   command  one quodlin-card run per line: words part at blanks, "..." keeps blanks, \xHH is a
//            byte; CARD is the card's root and PC/ the computer folder
//   files    optional: one name per line (\xHH as above), a card file, a folder when it ends in
//            "/", or a computer file under PC/
//   before/  the catalogue files on the card before (none when absent)
//   after/   every file on the card after that is neither a card file nor a folder, byte for byte
//   out      optional: what the last run prints
//   err      optional: a text its error output holds
// Every run must succeed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

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

std::map<std::string, std::string> CatalogueFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    if (!fs::exists(dir)) return files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && extension != ".wav" && extension != ".es1") {
            files[entry.path().filename().string()] = ReadBytes(entry.path().string());
        }
    }
    return files;
}

void RunCase(const fs::path& dir, const std::string& card, const std::string& computer) {
    const auto place = [&](const std::string& word) {
        if (word == "CARD") return card;
        return word.starts_with("PC/") ? computer + word.substr(2) : word;
    };
    for (const std::string& line : test::CaseLines(dir / "files")) {
        const std::string name = test::Unescape(line);
        const std::string path = name.starts_with("PC/") ? place(name) : card + "/" + name;
        if (name.ends_with('/'))
            fs::create_directory(path);
        else
            test::WriteBytes(path, "RIFF");
    }
    for (const auto& [name, bytes] : CatalogueFiles(dir / "before")) {
        test::WriteBytes(card + "/" + name, bytes);
    }
    test::ProcessResult last;
    for (const std::string& line : test::CaseLines(dir / "command")) {
        std::vector<std::string> args = Words(line);
        for (std::string& arg : args) arg = place(arg);
        last = test::Card(args);
        EXPECT_EQ(last.status, 0) << line << '\n' << last.err;
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
    if (!onFatCard) return RunCase(kCases / name, folder.path(), computer.path());
    test::FatCard card(folder.path());
    REQUIRE_FAT_CARD(card);
    RunCase(kCases / name, card.root(), computer.path());
}

INSTANTIATE_TEST_SUITE_P(Golden, NamesCase,
                         ::testing::Combine(::testing::ValuesIn(test::CaseNames(kCases)), ::testing::Bool()),
                         [](const auto& info) {
                             std::string name = std::get<0>(info.param);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + (std::get<1>(info.param) ? "_fat" : "_folder");
                         });

}  // namespace
}  // namespace quodlin
