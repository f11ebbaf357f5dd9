#include "core/help/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/utf8.h"
#include "tests/support/case_files.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

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

// The cases of tests/cases/rtf/cases.txt, one "rtf:" line each with the lines after it.
struct RtfCase {
    std::string input;
    Strings expected;  // "text: ..." or "runs: ..." lines, unescaped
};

std::vector<RtfCase> ReadRtfCases() {
    std::vector<RtfCase> cases;
    for (const std::string& line : test::CaseLines(QUODLIN_CASES_DIR "/rtf/cases.txt")) {
        const std::string value =
            test::Unescape(line.substr(std::min(line.size(), line.find(':') + 2)));
        if (line.starts_with("rtf:")) {
            cases.push_back({value, {}});
        } else {
            cases.back().expected.push_back(line.substr(0, 5) + " " + value);
        }
    }
    return cases;
}

// The document as the case file writes it.
Strings Described(const RtfDocument& document, const Strings& expected) {
    Strings lines;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        const bool runs = i < expected.size() && expected[i].starts_with("runs:");
        std::string line = runs ? "runs: " : "text: ";
        for (const std::string& run : Runs(document.paragraphs[i])) {
            line += runs ? "\u00AB" + run + "\u00BB" : run.substr(0, run.find('|'));
        }
        lines.push_back(line);
    }
    return lines;
}

void PrintTo(const RtfCase& c, std::ostream* out) {
    *out << c.input;
}

class RtfCases : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfCases, ReadAsWritten) {
    EXPECT_EQ(Described(ParseRtf(GetParam().input), GetParam().expected), GetParam().expected)
        << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Table, RtfCases, ::testing::ValuesIn(ReadRtfCases()));

TEST(RtfReader, DeepNestingIsCappedAndRestoresFormat) {
    const std::string deep =
        "{\\rtf1 " + std::string(200000, '{') + "\\b lost" + std::string(200000, '}') + "shown}";
    const RtfDocument document = ParseRtf(deep);
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(Runs(document.paragraphs[0]), (Strings{"shown||24"}));
}

TEST(RtfReader, OutputIsValidUtf8ForAnyBytes) {
    std::string bytes = "{\\rtf1 ";
    for (int i = 0; i < 256; ++i)
        bytes += {'\\', '\'', "0123456789abcdef"[i / 16], "0123456789abcdef"[i % 16],
                  static_cast<char>(i)};
    for (const std::string& input : {bytes, bytes.substr(7)}) {
        for (const RtfParagraph& paragraph : ParseRtf(input).paragraphs) {
            for (const RtfRun& run : paragraph.runs) EXPECT_TRUE(IsValidUtf8(run.text));
        }
    }
}

TEST(HelpFile, ReadsAsRtfWithItsHeadings) {
    const RtfDocument document = ParseRtf(test::ReadBytes(QUODLIN_HELP_FILE));
    ASSERT_GT(document.paragraphs.size(), 20u);
    const RtfRun& title = document.paragraphs[0].runs.at(0);
    EXPECT_EQ(title.text, "Quodlin");
    EXPECT_TRUE(title.bold);
    EXPECT_GT(title.halfPoints, 24);

    std::string all;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) all += run.text + "\n";
    }
    EXPECT_TRUE(IsValidUtf8(all));
    EXPECT_NE(all.find("card\u2019s root"), std::string::npos) << "a quote read as bytes";
    // Nothing of the header may leak into the text.
    for (const char* leak : {"Arial", "generator", "\\", "{", "}"}) {
        EXPECT_EQ(all.find(leak), std::string::npos) << leak;
    }
}

}  // namespace
}  // namespace quodlin
