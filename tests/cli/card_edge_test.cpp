#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "tests/cli/card_program.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Card;
using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

// What a card folder and the computer folder hold, what is run, and what must come of it.
struct EdgeCase {
    const char* name;
    std::function<void(const std::string& card, const std::string& pc)> prepare;
    std::vector<std::string> args;  // "CARD" and "PC" stand for the two folders
    int status;
    const char* out;          // the whole standard output
    const char* errContains;  // "" when anything goes
    std::function<void(const std::string& card, const std::string& pc)> check;
};

void Nothing(const std::string&, const std::string&) {}

const std::string kDrumCatalogue = "[ES1 samples]\r\n00.wav=Drum\r\n01.wav=Drum\r\n";

void TwoDrums(const std::string& card, const std::string&) {
    WriteBytes(card + "/00.wav", "first drum");
    WriteBytes(card + "/01.wav", "second drum");
    WriteBytes(card + "/names.txt", kDrumCatalogue);
}

const EdgeCase kCases[] = {
    {"FifoCatalogueIsRefusedNotWaitedFor",
     [](const std::string& card, const std::string&) {
         WriteBytes(card + "/00.wav", "x");
         ASSERT_EQ(::mkfifo((card + "/names.txt").c_str(), 0644), 0);
     },
     {"list", "CARD"},
     1,
     "",
     "not a regular file",
     Nothing},
    {"FifoSampleIsNeitherListedNorRead",
     [](const std::string& card, const std::string&) {
         WriteBytes(card + "/00.wav", "x");
         ASSERT_EQ(::mkfifo((card + "/03.wav").c_str(), 0644), 0);
     },
     {"get", "CARD", "PC", "03.wav"},
     1,
     "",
     "'03.wav' is not on the card.",
     Nothing},
    {"EndlessCatalogueIsRefused",
     [](const std::string& card, const std::string&) {
         WriteBytes(card + "/00.wav", "x");
         std::filesystem::create_symlink("/dev/zero", card + "/names.txt");
     },
     {"list", "CARD"},
     1,
     "",
     "not a regular file",
     Nothing},
    {"OversizedCatalogueIsRefused",
     [](const std::string& card, const std::string&) {
         WriteBytes(card + "/00.wav", "x");
         WriteBytes(card + "/names.txt", "[ES1 samples]\r\n" + std::string(1 << 21, 'a'));
     },
     {"list", "CARD"},
     1,
     "",
     "larger than 1 MiB",
     Nothing},
    {"PutRefusesFilesOfAnotherKindBeforeCopying",
     [](const std::string&, const std::string& pc) {
         WriteBytes(pc + "/kick.wav", "k");
         WriteBytes(pc + "/bank.es1", "b");
     },
     {"put", "CARD", "PC/kick.wav", "PC/bank.es1"},
     1,
     "",
     "bank.es1",
     [](const std::string& card, const std::string&) {
         EXPECT_TRUE(std::filesystem::is_empty(card));
     }},
    {"LeftoverOfAKilledCopyIsRemovedAndItsNumberFree",
     [](const std::string& card, const std::string& pc) {
         WriteBytes(card + "/.quodlin-00.wav.part", "half a sam");
         WriteBytes(pc + "/kick.wav", "whole kick");
     },
     {"put", "CARD", "PC/kick.wav"},
     0,
     "00.wav = kick\n",
     "",
     [](const std::string& card, const std::string&) {
         EXPECT_FALSE(Exists(card + "/.quodlin-00.wav.part"));
         EXPECT_EQ(ReadBytes(card + "/00.wav"), "whole kick");
     }},
    {"GetKeepsBothFilesOfOneFriendlyName",
     TwoDrums,
     {"get", "--overwrite", "CARD", "PC", "00.wav", "01.wav"},
     0,
     "",
     "",
     [](const std::string&, const std::string& pc) {
         EXPECT_EQ(ReadBytes(pc + "/Drum.wav"), "first drum");
         EXPECT_EQ(ReadBytes(pc + "/Drum (2).wav"), "second drum");
     }},
    {"GetSaysWhyAFileWasNotCopied",
     [](const std::string& card, const std::string& pc) {
         TwoDrums(card, pc);
         WriteBytes(pc + "/Drum.wav", "mine");
     },
     {"get", "CARD", "PC", "00.wav"},
     1,
     "",
     "exists; --overwrite replaces it",
     [](const std::string&, const std::string& pc) {
         EXPECT_EQ(ReadBytes(pc + "/Drum.wav"), "mine");
     }},
    {"OverwriteReplacesOnlyWhatWasThereBefore",
     [](const std::string& card, const std::string& pc) {
         TwoDrums(card, pc);
         WriteBytes(pc + "/Drum.wav", "mine");
     },
     {"get", "--overwrite", "CARD", "PC", "00.wav", "01.wav"},
     0,
     "",
     "",
     [](const std::string&, const std::string& pc) {
         EXPECT_EQ(ReadBytes(pc + "/Drum.wav"), "first drum");
         EXPECT_EQ(ReadBytes(pc + "/Drum (2).wav"), "second drum");
     }},
};

class CardEdge : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(CardEdge, Holds) {
    const EdgeCase& c = GetParam();
    test::TempDir dir;
    const std::string card = dir.file("card");
    const std::string pc = dir.file("pc");
    std::filesystem::create_directories(card);
    std::filesystem::create_directories(pc);
    c.prepare(card, pc);
    std::vector<std::string> args;
    for (std::string arg : c.args) {
        if (arg.starts_with("CARD")) arg.replace(0, 4, card);
        if (arg.starts_with("PC")) arg.replace(0, 2, pc);
        args.push_back(arg);
    }
    const test::ProcessResult result = Card(args);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_NE(result.err.find(c.errContains), std::string::npos) << result.err;
    c.check(card, pc);
}

INSTANTIATE_TEST_SUITE_P(Cases, CardEdge, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quodlin
