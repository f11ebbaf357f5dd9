#include <gtest/gtest.h>

#include "core/card_listing.h"
#include "core/card_naming.h"
#include "core/card_side.h"
#include "core/catalogue_file.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Exists;
using test::FaultyFileSystem;
using test::Op;
using test::ReadBytes;
using test::WriteBytes;

const std::string kCatalogue =
    "[ES1 banks]\r\n1.es1=Song\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n\r\n\r\n";

class CardFolder : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"00.wav", "01.wav", "1.es1"}) WriteBytes(card.file(name), "x");
        WriteBytes(card.file("names.txt"), kCatalogue);
    }

    std::vector<std::string> listing(Mode mode = Mode::Samples) {
        CardSide side(fs);
        side.setMode(mode);
        side.open(card.path());
        return side.lines();
    }

    std::vector<std::string> rootNames() {
        std::vector<std::string> names;
        for (const DirEntry& e : real.list(card.path())) names.push_back(e.name);
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir card;
    FaultyFileSystem fs;
    LocalFileSystem real;
};

TEST_F(CardFolder, ListsEveryFileOfTheModeInNaturalOrder) {
    for (int n = 2; n < 120; ++n) WriteBytes(card.file(std::to_string(n) + ".WAV"), "x");
    WriteBytes(card.file("._00.wav"), "apple double");
    std::filesystem::create_directory(card.file("dir.wav"));
    const auto lines = listing();
    ASSERT_EQ(lines.size(), 120u);
    EXPECT_EQ(lines[0], "00.wav = Kick");
    EXPECT_EQ(lines[1], "01.wav = Snare");
    EXPECT_EQ(lines[2], "2.WAV = ");
    EXPECT_EQ(lines[119], "119.WAV = ");
    EXPECT_EQ(listing(Mode::Banks), std::vector<std::string>{"1.es1 = Song"});
}

TEST_F(CardFolder, ReadingNeverWrites) {
    WriteBytes(card.file("names.txt"), "00.wav=No header\n");
    (void)listing();
    EXPECT_EQ(ReadBytes(card.file("names.txt")), "00.wav=No header\n");
    EXPECT_EQ(fs.count(Op::Create) + fs.count(Op::Remove) + fs.count(Op::Replace), 0);
}

TEST_F(CardFolder, ACatalogueInCapitalsIsReadAndRewrittenInPlace) {
    std::filesystem::rename(card.file("names.txt"), card.file("NAMES.TXT"));
    CardSide side(fs);
    side.open(card.path());
    EXPECT_EQ(side.lines()[0], "00.wav = Kick");
    side.table().setSmName(0, "Bass drum");
    side.SortAndSaveNames();
    EXPECT_EQ(rootNames(), (std::vector<std::string>{"00.wav", "01.wav", "1.es1", "NAMES.TXT"}));
    EXPECT_NE(ReadBytes(card.file("NAMES.TXT")).find("00.wav=Bass drum\r\n01.wav=Snare"),
              std::string::npos);
}

TEST_F(CardFolder, MoreThan101FilesKeepEveryFriendlyName) {
    std::string catalogue = "[ES1 banks]\r\n\r\n[ES1 samples]\r\n";
    for (int n = 0; n < 130; ++n) {
        const std::string name = "s" + std::to_string(n) + ".wav";
        WriteBytes(card.file(name), "x");
        catalogue += name + "=name " + std::to_string(n) + "\r\n";
    }
    WriteBytes(card.file("names.txt"), catalogue);
    CardSide side(fs);
    side.open(card.path());
    side.SortAndSaveNames();
    side.smFile_PathChange();
    ASSERT_EQ(side.table().smLastIndex(), 131);
    for (int n = 0; n < 130; ++n) {
        const auto line = "s" + std::to_string(n) + ".wav = name " + std::to_string(n);
        EXPECT_NE(std::find(side.lines().begin(), side.lines().end(), line), side.lines().end());
    }
}

TEST_F(CardFolder, EveryFailureDuringASaveLeavesTheCatalogueAsItWas) {
    for (const Op op :
         {Op::List, Op::Open, Op::Read, Op::Create, Op::Write, Op::Sync, Op::Close, Op::Replace}) {
        CardSide side(fs);
        side.open(card.path());
        side.table().setSmName(0, "Changed");
        fs.failAt(op, fs.count(op) + 1, FileErrorKind::NoSpace);
        EXPECT_THROW(side.SortAndSaveNames(), FileError) << OpName(op);
        EXPECT_EQ(ReadBytes(card.file("names.txt")), kCatalogue) << OpName(op);
        EXPECT_EQ(rootNames(), (std::vector<std::string>{"00.wav", "01.wav", "1.es1", "names.txt"}))
            << OpName(op);
        fs.failAt(op, 0);
    }
}

TEST_F(CardFolder, AFailedSaveIsReportedAndTheListReloaded) {
    CardSide side(fs);
    side.open(card.path());
    test::RecordingPrompt prompt;
    SilentPlayer player;
    fs.failAt(Op::Replace, 1, FileErrorKind::AccessDenied);
    EXPECT_FALSE(
        NameOnCard(side, player, prompt, {side.table().entries()[0]}, [](auto&) { return "New"; }));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("could not be saved"), std::string::npos);
    EXPECT_EQ(side.lines()[0], "00.wav = Kick");
    EXPECT_TRUE(side.loaded());
}

TEST_F(CardFolder, AnUnreadableCatalogueFailsTheListingInsteadOfHidingNames) {
    CardSide side(fs);
    side.open(card.path());
    fs.failAlways(Op::Open, FileErrorKind::AccessDenied);
    EXPECT_THROW(side.smFile_PathChange(), FileError);
    EXPECT_FALSE(side.loaded());
    EXPECT_TRUE(side.lines().empty());
    EXPECT_THROW(side.SortAndSaveNames(), FileError);
    EXPECT_EQ(ReadBytes(card.file("names.txt")), kCatalogue);
}

TEST_F(CardFolder, AnotherCardThatCannotBeReadKeepsTheCardInUse) {
    CardSide side(fs);
    side.open(card.path());
    EXPECT_THROW(side.open(card.file("missing")), FileError);
    EXPECT_EQ(side.cardRoot(), card.path());
    EXPECT_EQ(side.lines().size(), 2u);
}

TEST_F(CardFolder, ALeftoverOfAnInterruptedSaveIsTheCatalogue) {
    // An interrupted save left the complete old catalogue and a partial names.txt.
    std::filesystem::rename(card.file("names.txt"), card.file("#$%names.txt"));
    WriteBytes(card.file("names.txt"), "[ES1 banks]\r\n1.es1=So");
    EXPECT_EQ(listing(), (std::vector<std::string>{"00.wav = Kick", "01.wav = Snare"}));
    CardSide side(fs);
    side.setMode(Mode::Banks);
    side.open(card.path());
    EXPECT_EQ(side.lines(), std::vector<std::string>{"1.es1 = Song"});
    side.SortAndSaveNames();
    EXPECT_EQ(ReadBytes(card.file("names.txt")), kCatalogue);
    EXPECT_FALSE(Exists(card.file("#$%names.txt")));
}

TEST_F(CardFolder, ALeftoverTemporaryFileNeverBlocksSaving) {
    WriteBytes(card.file("#$%names.tmp"), "half a cata");
    CardSide side(fs);
    side.open(card.path());
    side.SortAndSaveNames();
    EXPECT_EQ(ReadBytes(card.file("names.txt")), kCatalogue);
    EXPECT_FALSE(Exists(card.file("#$%names.tmp")));
}

TEST_F(CardFolder, ACardWithoutCatalogueGetsOneOnTheFirstSave) {
    std::filesystem::remove(card.file("names.txt"));
    EXPECT_EQ(listing(), (std::vector<std::string>{"00.wav = ", "01.wav = "}));
    CardSide side(fs);
    side.open(card.path());
    test::RecordingPrompt prompt;
    SilentPlayer player;
    EXPECT_TRUE(NameOnCard(side, player, prompt, {side.table().entries()[1]},
                           [](auto&) { return "Snare\n2"; }));
    EXPECT_EQ(ReadBytes(card.file("names.txt")),
              "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=\r\n01.wav=Snare 2\r\n\r\n\r\n");
    EXPECT_EQ(side.lines()[1], "01.wav = Snare 2");
}

}  // namespace
}  // namespace quodlin
