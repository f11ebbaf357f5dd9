// The card cases under tests/cases/names and tests/cases/archive, each run on a folder and on a
// FAT card (on a folder only when they need a FIFO or a link, which FAT has not). A case is a
// folder holding:
//   command   one quodlin-card run per line: words part at blanks, "..." keeps blanks, \xHH is a
//             byte; CARD is the card's root and PC/ the computer folder
//   files     optional: one name per line (\xHH as above), a card file, a folder when it ends in
//             "/", a FIFO when it ends in "|", a link with "NAME -> TARGET", or a computer file
//             under PC/; files hold "RIFF"
//   before/   the files on the card before, byte for byte (none when absent)
//   computer/ optional: the computer folder's files before
//   computer-after/ optional: every file of the computer folder after, byte for byte
//   after/    the card after, byte for byte (as before/ when absent): every file but folders and,
//             when the case has a files list, its card files
//   out       optional: what the last run prints, with CARD for the card's root
//   err       optional: a text its error output holds; when empty, it prints no error
//   status    optional: the exit status of each run, one a line; else every run must succeed
//   faults    optional: the card fails as these rules of failing_card_fs say once it is filled
//             (such a case runs on a failing card only); it is healed before after/ is compared
//   cut       optional: "NAME BYTES": the file's cluster chain on a FAT image ends after BYTES
//             once the card is filled (such a case runs on a FAT card only)
//   image     optional: the case runs on the FAT image itself, unmounted once filled: CARD is the
//             image file and MAP its ddrescue map, card.img.map, which is found without --map
//             too. Its lines change the image first: "fat16" (a 64 MiB FAT16 image), "rm NAME"
//             (a deleted entry), "move NAME" (written again, into the first free clusters, so
//             that it is split), "cut|loop|beyond|first-cut NAME BYTES" (the chain after BYTES),
//             "boot" (a bad boot sector), "partitioned" (the image of a whole card: a partition
//             table, then the volume), "bad NAME BYTES" (MAP marks the sector at BYTES of NAME
//             unreadable). The image must stay byte for byte as it was, and every computer file
//             named as a card file must be what mtools reads off the image.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/text/utf8.h"
#include "platform/local/local_file_system_paths.h"
#include "tests/cli/card_program.h"
#include "tests/support/case_files.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

const fs::path kCases = QUODLIN_CASES_DIR;

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

// The files of dir that are neither folders nor, unless whole, card files.
test::Files CardFiles(const fs::path& dir, bool whole) {
    test::Files files = test::FilesIn(dir);
    std::erase_if(files, [&](const auto& file) {
        return !whole && (EndsWithIgnoringCase(file.first, ".wav") ||
                          EndsWithIgnoringCase(file.first, ".es1"));
    });
    return files;
}

const std::map<std::string, test::ChainDamage> kChainDamage = {
    {"cut", test::ChainDamage::Cut},
    {"loop", test::ChainDamage::Loop},
    {"beyond", test::ChainDamage::Beyond},
    {"first-cut", test::ChainDamage::CutInFirstCopy}};

// Applies the case's image lines, and leaves the image unmounted.
void DamageImage(const fs::path& dir, test::TestCard& testCard) {
    for (const std::string& line : test::CaseLines(dir / "image")) {
        const std::vector<std::string> words = Words(line);
        if (words[0] == "rm") fs::remove(testCard.root() + "/" + words[1]);
    }
    testCard.unmount();
    for (const std::string& line : test::CaseLines(dir / "image")) {
        const std::vector<std::string> words = Words(line);
        if (words[0] == "boot") testCard.damageBootSector();
        if (words[0] == "partitioned") testCard.putInPartition();
        if (words[0] == "move") {
            ASSERT_TRUE(testCard.rewrite(words[1])) << line;
        }
        if (words[0] == "bad") {
            ASSERT_TRUE(
                testCard.writeMap(words[1], std::stoull(words[2]), testCard.image() + ".map"))
                << line;
        }
        if (kChainDamage.contains(words[0])) {
            ASSERT_TRUE(
                testCard.damageChain(words[1], std::stoull(words[2]), kChainDamage.at(words[0])))
                << line;
        }
    }
}

// Every computer file named as a card file holds what mtools reads of that file off the image,
// but in a rescue that lists damage, whose zeros stand where the image could not be read.
void ExpectAsMtoolsReads(test::TestCard& testCard, const std::string& computer) {
    for (const auto& entry : fs::recursive_directory_iterator(computer)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || fs::exists(path.parent_path() / "DAMAGED.txt")) continue;
        const std::string typed = testCard.onImage(path.filename().string());
        if (typed.empty()) continue;
        EXPECT_TRUE(ReadBytes(path.string()) == typed) << path << " differs from mtools's";
    }
}

void RunCase(const fs::path& dir, test::TestCard& testCard, bool onFatCard,
             const std::string& computer) {
    std::string card = testCard.root();
    const auto place = [&](const std::string& word) {
        if (word.starts_with("CARD")) return card + word.substr(4);
        if (word == "MAP") return testCard.image() + ".map";
        return word.starts_with("PC/") ? computer + word.substr(2) : word;
    };
    for (const std::string& line : test::CaseLines(dir / "files")) {
        const std::string name = test::Unescape(line);
        const std::string path = name.starts_with("PC/") ? place(name) : card + "/" + name;
        const std::size_t arrow = path.find(" -> ");
        if (name.ends_with('/')) {
            fs::create_directory(path);
#ifndef _WIN32
        } else if (name.ends_with('|')) {
            ASSERT_EQ(::mkfifo(path.substr(0, path.size() - 1).c_str(), 0644), 0) << path;
#endif
        } else if (arrow != std::string::npos) {
            fs::create_symlink(path.substr(arrow + 4), path.substr(0, arrow));
        } else {
            test::WriteBytes(path, "RIFF");
        }
    }
    for (const auto& [name, bytes] : test::FilesIn(dir / "before")) {
        test::WriteBytes(card + "/" + name, bytes);
    }
    if (fs::exists(dir / "computer")) {
        fs::copy(dir / "computer", computer, fs::copy_options::recursive);
    }
    if (fs::exists(dir / "faults")) testCard.setFaults(ReadBytes((dir / "faults").string()));
    for (const std::string& line : test::CaseLines(dir / "cut")) {
        const std::size_t blank = line.find(' ');
        ASSERT_TRUE(
            testCard.damageChain(line.substr(0, blank), std::stoull(line.substr(blank + 1))))
            << line;
    }
    const bool image = fs::exists(dir / "image");
    std::string imageBefore;
    if (image) {
        DamageImage(dir, testCard);
        card = testCard.image();
        imageBefore = ReadBytes(card);
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
    if (fs::exists(dir / "out")) {
        std::string out = last.out;
        for (std::size_t at; (at = out.find(card)) != std::string::npos;)
            out.replace(at, card.size(), "CARD");
        EXPECT_EQ(out, ReadBytes((dir / "out").string()));
    }
    if (fs::exists(dir / "err")) {
        const std::vector<std::string> expected = test::CaseLines(dir / "err");
        if (expected.empty()) {
            EXPECT_EQ(last.err, "");
        }
        for (const std::string& text : expected)
            EXPECT_NE(last.err.find(text), std::string::npos) << last.err;
    }
    if (fs::exists(dir / "computer-after")) {
        EXPECT_EQ(test::FilesUnder(computer), test::FilesUnder(dir / "computer-after"));
    }
    if (image) {
        EXPECT_TRUE(ReadBytes(card) == imageBefore) << "the commands changed the image";
        return ExpectAsMtoolsReads(testCard, computer);
    }
    testCard.setFaults("");
    const fs::path after = dir / (fs::exists(dir / "after") ? "after" : "before");
    const bool whole = !fs::exists(dir / "files");
    test::Files onCard = CardFiles(card, whole);
    test::Files expected = CardFiles(after, whole);
    // A file whose chain was cut reads short through any mount: the case's commands tell of it.
    for (const std::string& line : test::CaseLines(dir / "cut")) {
        onCard.erase(line.substr(0, line.find(' ')));
        expected.erase(line.substr(0, line.find(' ')));
    }
    EXPECT_EQ(onCard, expected);
    // The catalogue as mtools reads it off the image, past the mount and its cache.
    if (onFatCard && fs::exists(after / "names.txt") && !fs::exists(dir / "cut")) {
        EXPECT_EQ(testCard.onImage("names.txt"), ReadBytes((after / "names.txt").string()));
    }
}

class CardCase : public ::testing::TestWithParam<std::tuple<std::string, test::CardKind>> {};

TEST_P(CardCase, EndsAsWritten) {
    const auto& [name, kind] = GetParam();
    test::TempDir folder;
    test::TempDir computer;
    const auto imageLines = test::CaseLines(kCases / name / "image");
    const bool fat16 = std::find(imageLines.begin(), imageLines.end(), "fat16") != imageLines.end();
    test::TestCard card(folder.path(), fat16 ? 65536 : 8192, true, kind);
    REQUIRE_FAT_CARD(card);
    RunCase(kCases / name, card, kind == test::CardKind::Fat, computer.path());
}

// "names/...", "archive/..." and "failing/...", and "no-sound/..." in a build without the sound
// libraries.
std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const std::string kind :
         {"names", "archive", "failing", "image", QUODLIN_SOUND ? "" : "no-sound"}) {
        if (kind.empty()) continue;
        for (const std::string& name : test::CaseNames(kCases / kind))
            names.push_back(kind + "/" + name);
    }
    return names;
}

// Every case on a folder, and on a FAT card unless it needs what FAT has not. On Windows, whose
// users have neither FIFOs nor links nor names that are not Unicode, the cases that need none
// run on a folder and on a drive root, as the instrument's cards were used there.
std::vector<std::tuple<std::string, test::CardKind>> Runs() {
    std::vector<std::tuple<std::string, test::CardKind>> runs;
    const bool windows = NativeSeparator() == '\\';
    for (const std::string& name : CaseNames()) {
        // A check and a conversion read sound files, which a build without the sound libraries
        // cannot.
        const auto commands = test::CaseLines(kCases / name / "command");
        if (!QUODLIN_SOUND && std::any_of(commands.begin(), commands.end(), [](const auto& line) {
                return line.starts_with("check ") || line.find("--convert") != std::string::npos;
            })) {
            continue;
        }
        const auto files = test::CaseLines(kCases / name / "files");
        const bool special = std::any_of(files.begin(), files.end(), [](const std::string& file) {
            const std::string unescaped = test::Unescape(file);
            return file.ends_with('|') || file.find(" -> ") != std::string::npos ||
                   !IsValidUtf8(unescaped) ||
                   std::any_of(unescaped.begin(), unescaped.end(),
                               [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        });
        // One name in two letter cases is one file on FAT and on Windows.
        std::set<std::string> spellings;
        bool twoCases = false;
        for (const auto& file : test::FilesIn(kCases / name / "before")) {
            twoCases = !spellings.insert(LowerAscii(file.first)).second || twoCases;
        }
        if (fs::exists(kCases / name / "faults")) {
            if (!windows) runs.emplace_back(name, test::CardKind::Failing);
            continue;
        }
        if (fs::exists(kCases / name / "image")) {
            if (!windows) runs.emplace_back(name, test::CardKind::Image);
            continue;
        }
        if (fs::exists(kCases / name / "cut")) {
            if (!windows) runs.emplace_back(name, test::CardKind::Fat);
            continue;
        }
        if (!(windows && (special || twoCases))) runs.emplace_back(name, test::CardKind::Folder);
        if (!special && !twoCases)
            runs.emplace_back(name, windows ? test::CardKind::Drive : test::CardKind::Fat);
    }
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Golden, CardCase, ::testing::ValuesIn(Runs()), [](const auto& row) {
    std::string name = std::get<0>(row.param);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '-' || c == '/'; }, '_');
    const test::CardKind kind = std::get<1>(row.param);
    return name + (kind == test::CardKind::Fat       ? "_fat"
                   : kind == test::CardKind::Drive   ? "_drive"
                   : kind == test::CardKind::Failing ? "_failing"
                   : kind == test::CardKind::Image   ? "_image"
                                                     : "_folder");
});

}  // namespace
}  // namespace quodlin
