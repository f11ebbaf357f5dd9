#include "core/catalogue_text.h"

#include <gtest/gtest.h>

#include "core/catalogue_file.h"
#include "core/name_table.h"

namespace quodlin {
namespace {

std::string NameIn(const std::string& fileBytes, const std::string& cardFile,
                   Mode mode = Mode::Samples) {
    return FindFriendlyName(ParseCatalogue(fileBytes).lines, cardFile, mode);
}

TEST(FriendlyNameLookup, MatchesTheWholeKeyOfTheFirstLine) {
    const std::string text =
        "[ES1 banks]\r\n12.es1=Twelve\r\n2.es1=Two\r\n\r\n[ES1 samples]\r\n100.wav=Hundred\r\n"
        "00.wav=Kick\r\n01.wav=one = uno \r\n01.wav=second line\r\n02.wav=\r\n";
    EXPECT_EQ(NameIn(text, "00.wav"), "Kick");
    EXPECT_EQ(NameIn(text, "2.es1", Mode::Banks), "Two");
    EXPECT_EQ(NameIn(text, "2.es1"), "Two");
    EXPECT_EQ(NameIn(text, "01.wav"), "one = uno ");
    EXPECT_EQ(NameIn(text, "01.WAV"), "one = uno ");
    EXPECT_EQ(NameIn(text, "02.wav"), "");
    EXPECT_EQ(NameIn(text, "03.wav"), "");
    EXPECT_EQ(NameIn("00.wav=On the first line\r\n", "00.wav"), "On the first line");
    EXPECT_EQ(NameIn("Kick=00.wav\r\n", "00.wav"), "");
}

TEST(FriendlyNameLookup, TheModesOwnSectionComesFirst) {
    const std::string text =
        "00.wav=Stray\r\n[ES1 banks]\r\n00.wav=Wrong\r\n1.es1=Song\r\n"
        "[ES1 samples]\r\n00.wav=Kick\r\n";
    EXPECT_EQ(NameIn(text, "00.wav"), "Kick");
    EXPECT_EQ(NameIn(text, "00.wav", Mode::Banks), "Wrong");
    EXPECT_EQ(NameIn("[ES1 samples]\r\n[ES1 banks]\r\n1.es1=Song\r\n", "1.es1"), "Song");
}

TEST(FriendlyNameLookup, AcceptsEveryLineEnd) {
    EXPECT_EQ(NameIn("[ES1 samples]\n00.wav=Kick\n01.wav=Snare\n", "00.wav"), "Kick");
    EXPECT_EQ(NameIn("[ES1 samples]\r00.wav=Kick\r01.wav=Snare\r", "01.wav"), "Snare");
    EXPECT_EQ(NameIn("[ES1 samples]\r\n00.wav=Last line", "00.wav"), "Last line");
    EXPECT_EQ(NameIn("[ES1 samples]\n00.wav=Kick\r\n\r\n01.wav=Hat", "01.wav"), "Hat");
    EXPECT_EQ(SplitLines("a\r\n\r\nb\n\nc\r\rd"),
              (std::vector<std::string>{"a", "", "b", "", "c", "", "d"}));
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("\r\n"), std::vector<std::string>{""});
}

TEST(CatalogueEncoding, Windows1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    }
    const CatalogueText text = ParseCatalogue(all + "\r\n");
    EXPECT_EQ(text.encoding, CatalogueEncoding::Windows1252);
    EXPECT_EQ(SerializeCatalogue(text.lines, text.encoding), all + "\r\n");
    EXPECT_EQ(ParseCatalogue("00.wav=Caf\xE9 \x80\r\n").lines[0], "00.wav=Café €");
}

TEST(CatalogueEncoding, Utf8StaysUtf8AndUnencodableNamesMakeTheFileUtf8) {
    const std::string utf8 = "00.wav=Café €\r\n";
    const CatalogueText text = ParseCatalogue(utf8);
    EXPECT_EQ(text.encoding, CatalogueEncoding::Utf8);
    EXPECT_EQ(SerializeCatalogue(text.lines, text.encoding), utf8);

    const std::vector<std::string> lines = {"00.wav=Café", "01.wav=太鼓"};
    EXPECT_EQ(SerializeCatalogue(lines, CatalogueEncoding::Windows1252),
              "00.wav=Café\r\n01.wav=太鼓\r\n");
    EXPECT_EQ(SerializeCatalogue({"00.wav=Café"}, CatalogueEncoding::Windows1252),
              "00.wav=Caf\xE9\r\n");

    const CatalogueText bom = ParseCatalogue(
        "\xEF\xBB\xBF"
        "00.wav=Kick\r\n");
    EXPECT_EQ(bom.lines, std::vector<std::string>{"00.wav=Kick"});
    EXPECT_EQ(SerializeCatalogue(bom.lines, bom.encoding),
              "\xEF\xBB\xBF"
              "00.wav=Kick\r\n");
}

TEST(NameTable, FriendlyNamesNeverHoldLineBreaks) {
    NameTable table;
    table.append("00.wav", "two\r\nlines");
    table.append("01.wav", "x");
    table.setSmName(1, "a\rb\nc\u2028d");
    EXPECT_EQ(table.smName(0), "two  lines");
    EXPECT_EQ(table.smName(1), "a b c d");
    EXPECT_THROW(table.smName(2), std::out_of_range);
}

}  // namespace
}  // namespace quodlin
