#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quodlin {

// The help text's formatting, as far as the window shows it.
struct RtfRun {
    std::string text;  // UTF-8; "\n" for a line break inside the paragraph, "\t" for a tab
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;  // font size in half points, as \fs gives it
};

struct RtfParagraph {
    std::vector<RtfRun> runs;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
};

// Reads the subset of RTF a help file uses. Never throws: what it does not understand it skips,
// and text that is not RTF at all comes back as plain paragraphs.
RtfDocument ParseRtf(std::string_view rtf);

}  // namespace quodlin
