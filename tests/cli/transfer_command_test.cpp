#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cstring>
#include <filesystem>

#include "core/card_numbering.h"
#include "tests/cli/card_program.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Exists;
using test::Card;
using test::ProcessResult;
using test::ReadBytes;
using test::RunProgram;
using test::WriteBytes;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
    return n;
}

// A card root of either kind: a plain folder, or the mount point of a real FAT image.
class CardKinds : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        std::filesystem::create_directories(pc());
        if (GetParam()) {
            fat = std::make_unique<test::FatCard>(dir.path());
            REQUIRE_FAT_CARD(*fat);
        } else {
            std::filesystem::create_directories(dir.file("card"));
        }
    }
    std::string root() const { return GetParam() ? fat->root() : dir.file("card"); }
    std::string pc() const { return dir.file("pc"); }
    std::string source(const std::string& name, std::size_t size = 2000) {
        WriteBytes(pc() + "/" + name, std::string(size, name[0]));
        return pc() + "/" + name;
    }
    // names.txt as it is on the image itself, read by mtools without the mount.
    std::string catalogueOnImage() {
        fat->unmount();
        const ProcessResult typed = RunProgram({"mtype", "-i", fat->image(), "::/names.txt"});
        fat->remount();
        return typed.out;
    }

    test::TempDir dir;
    std::unique_ptr<test::FatCard> fat;
};

TEST_P(CardKinds, PutFillsGapsAndNeverTakesANameInOtherCase) {
    WriteBytes(root() + "/00.wav", "a");
    WriteBytes(root() + "/01.WAV", "b");
    WriteBytes(root() + "/03.wav", "c");
    const ProcessResult r =
        Card({"put", root(), source("kick.wav"), source("my.snare.wav"), source("hat.wav")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00.wav = \n01.WAV = \n02.wav = kick\n03.wav = \n04.wav = my\n05.wav = hat\n");
    EXPECT_EQ(ReadBytes(root() + "/01.WAV"), "b");
    const std::string expected =
        "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=\r\n01.WAV=\r\n02.wav=kick\r\n03.wav=\r\n"
        "04.wav=my\r\n05.wav=hat\r\n\r\n\r\n";
    EXPECT_EQ(ReadBytes(root() + "/names.txt"), expected);
    if (GetParam()) EXPECT_EQ(catalogueOnImage(), expected);
}

TEST_P(CardKinds, The101stNameIsTheLastAndEachFurtherFileIsToldOff) {
    for (int n = 0; n < 100; ++n) WriteBytes(root() + "/" + CardFileName(Mode::Samples, n), "x");
    const ProcessResult r =
        Card({"put", root(), source("a.wav"), source("b.wav"), source("c.wav")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Count(r.err, "More files now than the ES-1 can recognise..."), 2u) << r.err;
    EXPECT_NE(r.out.find("100.wav = a\n"), std::string::npos);
    EXPECT_EQ(Card({"put", "--banks", root(), source("song.es1")}).out, "1.es1 = song\n");
}

TEST_P(CardKinds, GetAsksBeforeReplacingAndMakesNamesSafe) {
    Card({"put", root(), source("kick.wav", 100), source("snare.wav", 200)});
    ASSERT_EQ(Card({"name", root(), "00.wav", "Kick", "01.wav", "../Snare: 2?"}).status, 0);
    WriteBytes(pc() + "/Kick.wav", "keep me");

    ProcessResult r = Card({"get", root(), pc(), "00.wav", "01.wav", "07.wav"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Overwrite '" + pc() + "/Kick.wav'? no"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("'07.wav' is not on the card."), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(pc() + "/Kick.wav"), "keep me");
    EXPECT_EQ(ReadBytes(pc() + "/_Snare_ 2_.wav"), std::string(200, 's'));

    r = Card({"get", "--overwrite", root(), pc(), "00.wav"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Overwrite '" + pc() + "/Kick.wav'? yes"), std::string::npos);
    EXPECT_EQ(ReadBytes(pc() + "/Kick.wav"), std::string(100, 'k'));
    for (const auto& entry : std::filesystem::directory_iterator(pc())) {
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos);
    }
}

TEST_P(CardKinds, RmDeletesAndKeepsTheCatalogueInStep) {
    Card({"put", root(), source("a.wav"), source("b.wav"), source("c.wav")});
    const ProcessResult r = Card({"rm", root(), "00.wav", "02.WAV", "09.wav"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "01.wav = b\n");
    EXPECT_FALSE(Exists(root() + "/00.wav"));
    const std::string expected = "[ES1 banks]\r\n\r\n[ES1 samples]\r\n01.wav=b\r\n\r\n\r\n";
    EXPECT_EQ(ReadBytes(root() + "/names.txt"), expected);
    if (GetParam()) {
        EXPECT_EQ(catalogueOnImage(), expected);
        fat->unmount();
        const ProcessResult listing = RunProgram({"mdir", "-b", "-i", fat->image(), "::/"});
        EXPECT_EQ(Count(listing.out, "\n"), 2u) << listing.out;
        EXPECT_NE(listing.out.find("::/01.wav\n"), std::string::npos) << listing.out;
    }
}

INSTANTIATE_TEST_SUITE_P(FolderAndFat, CardKinds, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "fat" : "folder"; });

// Three copies fit, the fourth does not: the earlier ones stay with their names.
void ExpectFullCardHandled(const std::string& root, const std::string& pcDir) {
    std::vector<std::string> args = {"put", root};
    for (const char* name : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}) {
        WriteBytes(pcDir + "/" + name, std::string(50000, name[0]));
        args.push_back(pcDir + "/" + name);
    }
    const ProcessResult r = Card(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Smart Media is full.\n");
    EXPECT_EQ(r.out, "00.wav = a\n01.wav = b\n02.wav = c\n");
    EXPECT_FALSE(Exists(root + "/03.wav"));
    EXPECT_EQ(ReadBytes(root + "/02.wav"), std::string(50000, 'c'));
}

TEST(FullCard, OnASmallFatImage) {
    test::TempDir dir;
    test::FatCard card(dir.path(), 200);
    REQUIRE_FAT_CARD(card);
    ExpectFullCardHandled(card.root(), dir.path());
    card.unmount();
    const ProcessResult listing = RunProgram({"mdir", "-b", "-i", card.image(), "::/"});
    EXPECT_EQ(Count(listing.out, ".wav"), 3u) << listing.out;
    EXPECT_EQ(RunProgram({"mtype", "-i", card.image(), "::/names.txt"}).out,
              "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=a\r\n01.wav=b\r\n02.wav=c\r\n\r\n\r\n");
}

TEST(FullCard, OnAFullTmpfsWithRealEnospc) {
    test::TempDir dir;
    const std::string root = dir.file("card");
    std::filesystem::create_directories(root);
    if (::mount("tmpfs", root.c_str(), "tmpfs", 0, "size=180k") != 0) {
        if (test::InCi()) FAIL() << "cannot mount a tmpfs: " << std::strerror(errno);
        GTEST_SKIP() << "cannot mount a tmpfs";
    }
    ExpectFullCardHandled(root, dir.path());
    ::umount(root.c_str());
}

}  // namespace
}  // namespace quodlin
