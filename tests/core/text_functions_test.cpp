#include "core/text_functions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/card_numbering.h"
#include "core/natural_order.h"

namespace quodlin {
namespace {

std::string Collapse(std::string text, char c = '\\') {
    return RemoveDouble(text, c);
}

TEST(RemoveDouble, CollapsesPairsOfTheOneCharacter) {
    EXPECT_EQ(Collapse("C:\\\\kick.wav"), "C:\\kick.wav");
    EXPECT_EQ(Collapse("C:\\Audio\\kick.wav"), "C:\\Audio\\kick.wav");
    EXPECT_EQ(Collapse("\\\\server\\share"), "\\server\\share");
    EXPECT_EQ(Collapse(""), "");
    EXPECT_EQ(Collapse("\\"), "\\");
    EXPECT_EQ(Collapse("a\\\\\\b"), "a\\\\b");
    EXPECT_EQ(Collapse("a\\\\\\\\b"), "a\\\\b");
    EXPECT_EQ(Collapse("a\\\\\\\\\\b"), "a\\\\\\b");
    EXPECT_EQ(Collapse("//media//card", '/'), "/media/card");
    std::string text = "x//y";
    RemoveDouble(text, '/');
    EXPECT_EQ(text, "x/y");
}

TEST(JoinPath, RootAndDirectoryGiveOneSeparator) {
    EXPECT_EQ(JoinPath("/", "00.wav", '/'), "/00.wav");
    EXPECT_EQ(JoinPath("/media/card", "00.wav", '/'), "/media/card/00.wav");
    EXPECT_EQ(JoinPath("L:\\", "00.wav", '\\'), "L:\\00.wav");
    EXPECT_EQ(JoinPath("\\\\nas\\s", "0.wav", '\\'), "\\\\nas\\s\\0.wav");
}

TEST(ShortenPath, CutsTheMiddleOfLongPaths) {
    EXPECT_EQ(ShortenPath("C:\\Audio\\Sampler\\Drums\\Kick set", 21), "C:\\ ... \\Drums\\Kick set");
    const std::string exactly21 = "C:\\Audio\\Sampler\\Drum";
    ASSERT_EQ(exactly21.size(), 21u);
    EXPECT_EQ(ShortenPath(exactly21, 21), exactly21);
    const std::string shortened = ShortenPath(exactly21 + "s", 21);
    EXPECT_EQ(shortened.size(), 23u);
    EXPECT_EQ(shortened, "C:\\ ... o\\Sampler\\Drums");
    EXPECT_EQ(ShortenPath("/home/user", 21), "/home/user");
}

TEST(ShortenPath, CountsCharactersNotBytesAndShowsControlCharacters) {
    // 22 characters, some of them two bytes long in UTF-8.
    const std::string path = "/home/é/Échantillons/k";
    EXPECT_EQ(ShortenPath(path, 21), "/ho ... /Échantillons/k");
    EXPECT_EQ(ShortenPath("\tab\ncd", 21), "\u00FEab\u0090cd");
}

TEST(NaturalOrder, NumbersCompareByValueAndLettersWithoutCase) {
    std::vector<std::string> names = {"100.wav", "10.wav", "01.wav", "2.wav", "00.wav",
                                      "99.wav",  "9.wav",  "B.wav",  "a.wav"};
    std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return NaturalLess(a, b); });
    EXPECT_EQ(names, (std::vector<std::string>{"00.wav", "01.wav", "2.wav", "9.wav", "10.wav",
                                               "99.wav", "100.wav", "a.wav", "B.wav"}));
    // Equal by value and case: plain character order decides, so the order is total.
    EXPECT_TRUE(NaturalLess("0.wav", "00.wav"));
    EXPECT_FALSE(NaturalLess("00.wav", "0.wav"));
    EXPECT_TRUE(NaturalLess("00.WAV", "00.wav"));
    EXPECT_FALSE(NaturalLess("00.wav", "00.wav"));
    EXPECT_TRUE(NaturalLess("101.es1", "1000000000000000000000000.es1"));
}

TEST(CardNumbering, HandsOut101NamesPerMode) {
    EXPECT_EQ(CardFileName(Mode::Samples, 0), "00.wav");
    EXPECT_EQ(CardFileName(Mode::Samples, 9), "09.wav");
    EXPECT_EQ(CardFileName(Mode::Samples, 99), "99.wav");
    EXPECT_EQ(CardFileName(Mode::Samples, 100), "100.wav");
    EXPECT_EQ(CardFileName(Mode::Banks, 0), "1.es1");
    EXPECT_EQ(CardFileName(Mode::Banks, 100), "101.es1");
    EXPECT_THROW(CardFileName(Mode::Samples, kCardNameCount), std::out_of_range);
    EXPECT_THROW(CardFileName(Mode::Banks, -1), std::out_of_range);
}

}  // namespace
}  // namespace quodlin
