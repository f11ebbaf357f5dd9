// put, name and rm on real cards: a FAT image, whose names are case-blind and whose bytes mtools
// reads past the mount, and cards that fill up.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/messages/messages.h"
#include "tests/cli/card_program.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Card;
using test::ProcessResult;
using test::ReadBytes;
using test::WriteBytes;

// put and rm themselves are card cases under tests/cases/names, run on a FAT card too. A card
// locked against writing refuses a new name or a copy in one line that says so, and its
// catalogue is not rewritten.
TEST(LockedCard, SaysSoInOneLine) {
    test::TempDir dir;
    test::TestCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    WriteBytes(card.root() + "/00.wav", "RIFF");
    WriteBytes(card.root() + "/names.txt", "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n");
    WriteBytes(dir.file("snare.wav"), "RIFF");
    ASSERT_TRUE(card.remount(false));
    for (const auto& args : {std::vector<std::string>{"name", card.root(), "00.wav", "Snare"},
                             {"put", card.root(), dir.file("snare.wav")}}) {
        const ProcessResult r = Card(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string(kWriteProtected) + "\n");
        EXPECT_EQ(r.out, "00.wav = Kick\n");
    }
}

// Three copies fit, the fourth does not: the earlier ones stay with their names, on a small FAT
// image and on a tmpfs that fails with a real ENOSPC.
class FullCard : public ::testing::TestWithParam<test::CardKind> {};

TEST_P(FullCard, KeepsWhatFitAndSaysSo) {
    test::TempDir dir;
    const bool fat = GetParam() == test::CardKind::Fat;
    test::TestCard card(dir.path(), fat ? 200 : 180, true, GetParam());
    REQUIRE_FAT_CARD(card);
    std::vector<std::string> args = {"put", card.root()};
    for (const char* name : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}) {
        WriteBytes(dir.file(name), std::string(50000, name[0]));
        args.push_back(dir.file(name));
    }
    const ProcessResult r = Card(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Smart Media is full.\n");
    EXPECT_EQ(r.out, "00.wav = a\n01.wav = b\n02.wav = c\n");
    EXPECT_FALSE(test::Exists(card.root() + "/03.wav"));
    EXPECT_EQ(ReadBytes(card.root() + "/02.wav"), std::string(50000, 'c'));
    if (fat) {
        EXPECT_EQ(
            card.onImage("names.txt"),
            "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=a\r\n01.wav=b\r\n02.wav=c\r\n\r\n\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(FatAndTmpfs, FullCard,
                         ::testing::Values(test::CardKind::Fat, test::CardKind::Tmpfs),
                         [](const auto& row) {
                             return row.param == test::CardKind::Fat ? "fat" : "tmpfs";
                         });

}  // namespace
}  // namespace quodlin
