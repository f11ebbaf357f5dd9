#include <gtest/gtest.h>

#include "tests/cli/card_program.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Card;
using test::ProcessResult;
using test::ReadBytes;
using test::RunProgram;
using test::WriteBytes;

// A hand-written catalogue: LF line ends, the file name of a later entry inside an earlier one,
// an entry on the very first line, and no line end at the end.
const std::string kHandWritten =
    "00.wav=First line\n[ES1 banks]\n12.es1=Twelve\n2.es1=Two\n\n[ES1 samples]\n"
    "100.wav=Hundred\n01.WAV=Snare = loud";

// Runs the same story on any card root and returns names.txt as it ends up.
std::string TellTheStory(const std::string& root) {
    for (const char* name : {"00.wav", "01.WAV", "100.wav", "2.es1", "12.es1"}) {
        WriteBytes(root + "/" + name, "RIFF");
    }
    WriteBytes(root + "/names.txt", kHandWritten);

    ProcessResult r = Card({"list", root});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00.wav = First line\n01.WAV = Snare = loud\n100.wav = Hundred\n");
    r = Card({"list", "--banks", root});
    EXPECT_EQ(r.out, "2.es1 = Two\n12.es1 = Twelve\n");
    EXPECT_EQ(ReadBytes(root + "/names.txt"), kHandWritten) << "list wrote to the card";

    r = Card({"name", root, "00.wav", "Kick", "01.wav", ""});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00.wav = Kick\n01.WAV = \n100.wav = Hundred\n");
    r = Card({"--banks", "name", root, "2.es1", "Zwei €"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2.es1 = Zwei €\n12.es1 = Twelve\n");

    const std::string before = ReadBytes(root + "/names.txt");
    r = Card({"name", root, "00.wav", "Lost", "55.wav", "Nothing"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("'55.wav' is not on the card."), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(root + "/names.txt"), before) << "a bad CARDFILE still wrote";
    return ReadBytes(root + "/names.txt");
}

const std::string kStoryEnd =
    "00.wav=First line\r\n[ES1 banks]\r\n12.es1=Twelve\r\n2.es1=Zwei \x80\r\n\r\n"
    "[ES1 samples]\r\n00.wav=Kick\r\n01.WAV=\r\n100.wav=Hundred\r\n\r\n\r\n";

TEST(CardCommand, ListAndNameOnAFolder) {
    test::TempDir dir;
    EXPECT_EQ(TellTheStory(dir.path()), kStoryEnd);
}

TEST(CardCommand, ListAndNameOnAFatCard) {
    test::TempDir dir;
    test::FatCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    EXPECT_EQ(TellTheStory(card.root()), kStoryEnd);
    card.unmount();
    // mtools reads the image without the mount: the bytes are on the card itself.
    const ProcessResult typed = RunProgram({"mtype", "-i", card.image(), "::/names.txt"});
    EXPECT_EQ(typed.out, kStoryEnd);
    const ProcessResult dir_listing = RunProgram({"mdir", "-b", "-i", card.image(), "::/"});
    EXPECT_EQ(dir_listing.out.find("#$%"), std::string::npos) << dir_listing.out;
}

TEST(CardCommand, AWriteProtectedCardIsReportedInOneLine) {
    test::TempDir dir;
    test::FatCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    WriteBytes(card.root() + "/00.wav", "RIFF");
    WriteBytes(card.root() + "/names.txt", "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n");
    ASSERT_TRUE(card.remount(false));
    const ProcessResult r = Card({"name", card.root(), "00.wav", "Snare"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("could not be saved"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "00.wav = Kick\n");
}

TEST(CardCommand, UsageAndMissingCards) {
    test::TempDir dir;
    ProcessResult r = Card({"list", dir.file("nothing-here")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Drive not ready...", 0), 0u) << r.err;
    EXPECT_EQ(Card({}).status, 2);
    EXPECT_EQ(Card({"list", "--bogus", dir.path()}).status, 2);
    EXPECT_EQ(Card({"name", dir.path(), "00.wav"}).status, 2);
    r = Card({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: quodlin-card list"), std::string::npos);
}

}  // namespace
}  // namespace quodlin
