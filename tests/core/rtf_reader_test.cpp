#include "core/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utf8.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using namespace std::string_literals;

// Each paragraph's text, runs joined.
std::vector<std::string> Texts(const RtfDocument& document) {
    std::vector<std::string> texts;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        std::string text;
        for (const RtfRun& run : paragraph.runs) text += run.text;
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> Texts(std::string_view rtf) {
    return Texts(ParseRtf(rtf));
}

// A run as "text|flags|size" with flags b, i, u, so a paragraph's formatting reads at a glance.
std::vector<std::string> Runs(const RtfParagraph& paragraph) {
    std::vector<std::string> runs;
    for (const RtfRun& run : paragraph.runs) {
        std::string flags;
        if (run.bold) flags += 'b';
        if (run.italic) flags += 'i';
        if (run.underline) flags += 'u';
        runs.push_back(run.text + "|" + flags + "|" + std::to_string(run.halfPoints));
    }
    return runs;
}

using Strings = std::vector<std::string>;

TEST(RtfReader, PlainRtfSplitsParagraphsAndEatsDelimiters) {
    EXPECT_EQ(Texts("{\\rtf1\\ansi Hello world\\par Second\\par}"),
              (Strings{"Hello world", "Second"}));
    // Line ends in the source are not text; a trailing paragraph without \par counts.
    EXPECT_EQ(Texts("{\\rtf1 one\r\n two\nthree}"), (Strings{"one twothree"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\par\\par b}"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\par}"), (Strings{"a"}));
    // Only one space is a delimiter; a digit run is the parameter, a letter ends the word.
    EXPECT_EQ(Texts("{\\rtf1\\fs20  two\\par\\b0x}"), (Strings{" two", "x"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\line b\\tab c\\\nd}"), (Strings{"a\nb\tc", "d"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\par}trailing text"), (Strings{"a"}));
}

TEST(RtfReader, FormattingFollowsGroupsAndMergesEqualRuns) {
    const RtfDocument document = ParseRtf(
        "{\\rtf1 plain {\\b bold {\\i\\fs36 big}\\ul  under\\ul0 }"
        "\\i it\\i0 {\\b\\ulnone x\\b0}\\plain\\fs30 y\\par"
        "\\b a{}b\\b0\\b c\\par}");
    ASSERT_EQ(document.paragraphs.size(), 2u);
    EXPECT_EQ(Runs(document.paragraphs[0]),
              (Strings{"plain ||24", "bold |b|24", "big|bi|36", " under|bu|24", "it|i|24", "x|b|24",
                       "y||30"}));
    // Runs of equal formatting are one run, even across an empty group or a toggle.
    EXPECT_EQ(Runs(document.paragraphs[1]), (Strings{"abc|b|30"}));
}

TEST(RtfReader, FontSizesStayUsable) {
    const RtfDocument document =
        ParseRtf("{\\rtf1\\fs0 a\\fs-8 b\\fs99999999999999999999 c\\fs d\\fs2 e}");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(Runs(document.paragraphs[0]), (Strings{"ab||24", "c||3276", "d||24", "e||2"}));
}

TEST(RtfReader, DecodesUnicodeAndWindowsCodePage) {
    EXPECT_EQ(Texts("{\\rtf1\\uc1 caf\\u233?\\par\\uc0 caf\\u233 s}"),
              (Strings{"caf\u00E9", "caf\u00E9s"}));
    EXPECT_EQ(Texts("{\\rtf1 \\'e9t\\'e9 \\'80 \\'93q\\'94 \\'9f}"),
              (Strings{"\u00E9t\u00E9 \u20AC \u201Cq\u201D \u0178"}));
    // Negative values are the upper half; a surrogate pair makes one character.
    EXPECT_EQ(Texts("{\\rtf1 \\u-3913?\\u-10179?\\u-8704?}"), (Strings{"\uF0B7\U0001F600"}));
    // \uc counts stand-ins, a \' escape is one of them, and \uc is scoped to its group: the
    // outer \uc2 is back after the group and passes over "bc".
    EXPECT_EQ(Texts("{\\rtf1 \\uc2\\u8364\\'80\\'80 x{\\uc0\\u233 a}\\u233 bc}"),
              (Strings{"\u20AC x\u00E9a\u00E9"}));
    EXPECT_EQ(Texts("{\\rtf1 {\\uc2\\u233 ab}\\u233 cd}"), (Strings{"\u00E9\u00E9d"}));
    // Stand-ins end at a brace.
    const RtfDocument braced = ParseRtf("{\\rtf1 \\uc3\\u233{\\b x}}");
    EXPECT_EQ(Runs(braced.paragraphs.at(0)), (Strings{"\u00E9||24", "x|b|24"}));
    // Halves without partners and values out of range do not make broken UTF-8.
    EXPECT_EQ(Texts("{\\rtf1\\uc0 \\u-10179 a\\u-8704 b\\u99999999 c\\'81}"),
              (Strings{"\uFFFDa\uFFFDb\uFFFDc\uFFFD"}));
}

TEST(RtfReader, SymbolsAndEscapes) {
    EXPECT_EQ(Texts("{\\rtf1 \\\\ \\{ \\} a\\~b co\\-op \\emdash\\endash\\bullet"
                    "\\lquote x\\rquote\\ldblquote y\\rdblquote}"),
              (Strings{"\\ { } a\u00A0b coop \u2014\u2013\u2022\u2018x\u2019\u201Cy\u201D"}));
}

TEST(RtfReader, SkipsDestinationsOfAWordPadFile) {
    const RtfDocument document = ParseRtf(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033"
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Hello \\b World\\b0\\par\r\n"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}{\\author Me}}"
        "{\\header Page header\\par}{\\footerl left footer}{\\*\\unknown hidden {\\b deeper}}"
        "{\\pict\\wmetafile8\\picw100 0100090000}"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}\\par\r\n"
        "}\r\n");
    ASSERT_EQ(document.paragraphs.size(), 2u);
    EXPECT_EQ(Runs(document.paragraphs[0]), (Strings{"Hello ||22", "World|b|22"}));
    EXPECT_EQ(Texts(document), (Strings{"Hello World", "link"}));
}

TEST(RtfReader, BinaryDataIsPassedOverEvenWithBraces) {
    EXPECT_EQ(Texts("{\\rtf1 a{\\*\\blob\\bin5 }}{{\\}b}"), (Strings{"ab"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\bin3 \0\\{b}"s), (Strings{"ab"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\bin99999999999999 xyz}"), (Strings{"a"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\bin-5 b}"), (Strings{"ab"}));
}

TEST(RtfReader, TextThatIsNotRtfIsPlainParagraphs) {
    EXPECT_EQ(Texts("First line\r\nsecond\rthird\n\nfifth\n"),
              (Strings{"First line", "second", "third", "", "fifth"}));
    EXPECT_EQ(Texts(""), Strings{});
    EXPECT_EQ(Texts("{\\RTF1 not rtf}"), (Strings{"{\\RTF1 not rtf}"}));
    const RtfDocument plain = ParseRtf(
        "\xEF\xBB\xBF"
        "caf\xC3\xA9\tbar");
    EXPECT_EQ(Runs(plain.paragraphs.at(0)), (Strings{"caf\u00E9\tbar||24"}));
    // A file that is not UTF-8 is read in the Windows code page.
    EXPECT_EQ(Texts("caf\xE9 \x80"), (Strings{"caf\u00E9 \u20AC"}));
}

TEST(RtfReader, MalformedInputEndsQuietly) {
    EXPECT_EQ(Texts("{\\rtf1 {\\b open"), (Strings{"open"}));
    EXPECT_EQ(Texts("{\\rtf1 a}}}b"), (Strings{"a"}));
    EXPECT_EQ(Texts("{\\rtf1 a\\'zzb\\'4"), (Strings{"azzb"}));
    EXPECT_EQ(Texts("{\\rtf1 raw \xE9\x01\x7F!"), (Strings{"raw \u00E9!"}));
    for (const char* truncated :
         {"{\\rtf", "{\\rtf1 x\\", "{\\rtf1 x\\'", "{\\rtf1 x\\u", "{\\rtf1 x\\u-",
          "{\\rtf1 x\\uc9999999999999999999 \\u1 y", "{\\rtf1 x{\\*", "{\\rtf1 x\\bin"}) {
        const Strings texts = Texts(truncated);
        EXPECT_LE(texts.size(), 1u) << truncated;
        if (!texts.empty()) EXPECT_EQ(texts[0].substr(0, 1), "x") << truncated;
    }
}

TEST(RtfReader, DeepNestingIsCappedAndRestoresFormat) {
    const std::string deep =
        "{\\rtf1 " + std::string(200000, '{') + "\\b lost" + std::string(200000, '}') + "shown}";
    const RtfDocument document = ParseRtf(deep);
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(Runs(document.paragraphs[0]), (Strings{"shown||24"}));
    // Within the cap, text keeps the format of its own group.
    const std::string nested =
        "{\\rtf1 " + std::string(50, '{') + "\\i in" + std::string(50, '}') + "out}";
    EXPECT_EQ(Runs(ParseRtf(nested).paragraphs.at(0)), (Strings{"in|i|24", "out||24"}));
}

TEST(RtfReader, OutputIsValidUtf8ForAnyBytes) {
    std::string bytes = "{\\rtf1 ";
    for (int i = 0; i < 256; ++i)
        bytes += {'\\', '\'', "0123456789abcdef"[i / 16], "0123456789abcdef"[i % 16],
                  static_cast<char>(i)};
    for (const std::string& input : {bytes, bytes.substr(7)}) {
        for (const std::string& text : Texts(input)) EXPECT_TRUE(IsValidUtf8(text));
    }
}

TEST(HelpFile, ReadsAsRtfWithItsHeadings) {
    const RtfDocument document = ParseRtf(test::ReadBytes(QUODLIN_HELP_FILE));
    ASSERT_GT(document.paragraphs.size(), 20u);
    const RtfRun& title = document.paragraphs[0].runs.at(0);
    EXPECT_EQ(title.text, "Quodlin");
    EXPECT_TRUE(title.bold);
    EXPECT_GT(title.halfPoints, 24);

    Strings headings;
    std::string all;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        const bool heading = paragraph.runs.size() == 1 && paragraph.runs[0].bold;
        for (const RtfRun& run : paragraph.runs) {
            all += run.text + "\n";
            EXPECT_TRUE(IsValidUtf8(run.text));
        }
        if (heading) headings.push_back(paragraph.runs[0].text);
    }
    EXPECT_EQ(headings, (Strings{"Quodlin", "What you see", "The card and its numbering",
                                 "Buttons and lists", "Keyboard", "Drag and drop",
                                 "Your files are safe", "About", "Quodlin 0.8 beta"}));
    for (const char* mention :
         {"00.wav to 100.wav", "1.es1 to 101.es1", "names.txt", "F2", "Ctrl+A", "Escape",
          "not made by or affiliated with Korg", "card\u2019s root"}) {
        EXPECT_NE(all.find(mention), std::string::npos) << mention;
    }
    // Nothing of the header may leak into the text.
    for (const char* leak : {"Arial", "generator", "\\", "{", "}"}) {
        EXPECT_EQ(all.find(leak), std::string::npos) << leak;
    }
}

}  // namespace
}  // namespace quodlin
