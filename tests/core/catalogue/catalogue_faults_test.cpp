// What golden cases cannot show: failures half-way through a save. The catalogue's format, and
// more files than the instrument's 101, are tested by the cases under tests/cases/names.
#include <gtest/gtest.h>

#include "core/card/card_naming.h"
#include "core/card/card_side.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::FaultyFileSystem;
using test::Op;
using test::ReadBytes;
using test::WriteBytes;

const std::string kCatalogue =
    "[ES1 banks]\r\n1.es1=Song\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n\r\n\r\n";

class CatalogueFaults : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"00.wav", "01.wav", "1.es1"}) WriteBytes(card.file(name), "x");
        WriteBytes(card.file("names.txt"), kCatalogue);
        side.open(card.path());
    }

    std::size_t rootSize() { return real.list(card.path()).size(); }

    test::TempDir card;
    FaultyFileSystem fs;
    LocalFileSystem real;
    CardSide side{fs};
};

TEST_F(CatalogueFaults, EveryFailureDuringASaveLeavesTheCatalogueAsItWas) {
    test::ForEveryFault([] {},
                        [&](FaultyFileSystem& faulty, const std::string& what) {
                            CardSide saving(faulty);
                            test::RecordingPrompt quiet;
                            try {
                                saving.open(card.path());
                                saving.table().setSmName(0, "Changed");
                                SortAndSaveNames(saving, quiet);
                                EXPECT_FALSE(faulty.failed()) << what;
                                WriteBytes(card.file("names.txt"), kCatalogue);
                            } catch (const FileError&) {
                                EXPECT_TRUE(faulty.failed()) << what;
                                EXPECT_EQ(ReadBytes(card.file("names.txt")), kCatalogue) << what;
                                if (!faulty.pulled()) {
                                    EXPECT_EQ(rootSize(), 4u) << what;
                                }
                            }
                        });
    test::RecordingPrompt prompt;
    side.smFile_PathChange();
    fs.failAt(Op::Replace, fs.count(Op::Replace) + 1, FileErrorKind::AccessDenied);
    EXPECT_FALSE(
        NameOnCard(side, prompt, {side.table().entries()[0]}, [](auto&) { return "New"; }));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("could not be saved"), std::string::npos);
    EXPECT_EQ(side.lines()[0], "00.wav = Kick");
}

TEST_F(CatalogueFaults, AnUnreadableCatalogueFailsTheListingInsteadOfHidingNames) {
    fs.failAlways(Op::Open, FileErrorKind::AccessDenied);
    EXPECT_THROW(side.smFile_PathChange(), FileError);
    EXPECT_TRUE(side.lines().empty());
    test::RecordingPrompt prompt;
    EXPECT_THROW(SortAndSaveNames(side, prompt), FileError);
    EXPECT_EQ(ReadBytes(card.file("names.txt")), kCatalogue);
}

// No save writes a catalogue that reading would refuse.
TEST_F(CatalogueFaults, ASaveThatWouldPassTheSizeLimitIsRefused) {
    std::string catalogue = kCatalogue;
    while (catalogue.size() < kLargestCatalogue - 100) catalogue += "; a note kept by hand\r\n";
    WriteBytes(card.file("names.txt"), catalogue);
    side.smFile_PathChange();
    side.table().setSmName(0, std::string(200, 'k'));
    test::RecordingPrompt prompt;
    try {
        SortAndSaveNames(side, prompt);
        ADD_FAILURE() << "saved past the limit";
    } catch (const FileError& error) {
        EXPECT_EQ(error.reason(), "it would grow past 1 MiB, more than a catalogue may hold");
    }
    EXPECT_EQ(ReadBytes(card.file("names.txt")), catalogue);
}

}  // namespace
}  // namespace quodlin
