#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's one home for text: UTF-8, the Windows-1252 code page, byte-order marks, lines,
// and names compared in any ASCII letter case as a FAT card compares them.
namespace quodlin {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

// Text inside the program is UTF-8; these convert to code points where characters are counted.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
bool IsValidUtf8(std::string_view bytes);
void AppendUtf8(std::string& out, char32_t c);

// The program's one Windows-1252 table. The five bytes the code page leaves undefined stand for
// the C1 controls of the same number, as Windows converts them, so every byte survives a round
// trip.
char32_t FromWindows1252(unsigned char byte);
std::string DecodeWindows1252(std::string_view bytes);
// Appends the Windows-1252 bytes of utf8 to out; a character the code page lacks becomes "?".
// False when one did.
bool EncodeWindows1252(std::string_view utf8, std::string& out);
bool FitsWindows1252(std::string_view utf8);

// Text of a name from the computer (a file name, a command-line argument): UTF-8 as it is, and
// anything else read as Windows-1252, the encoding such names most often come from.
std::string NameText(std::string_view bytes);
// NameText with control characters shown as "?", so that no name can drive a terminal.
std::string VisibleText(std::string_view bytes);

// The lines of text, split at CR LF, LF alone or CR alone; a last line end makes no empty line.
std::vector<std::string> SplitLines(std::string_view text);

char FoldAscii(char c);
std::string LowerAscii(std::string text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

// Hash and equality of names in any ASCII letter case, for sets and maps keyed by them.
struct IgnoringCaseHash {
    std::size_t operator()(std::string_view text) const;
};
struct IgnoringCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        return EqualsIgnoringCase(a, b);
    }
};

// The item whose name is name as written, else the first whose name differs only in letter
// case; last when there is none. nameOf gives an item's name ("" for an item never to match).
template <typename Iterator, typename NameOf>
Iterator FindName(Iterator first, Iterator last, std::string_view name, NameOf nameOf) {
    for (Iterator it = first; it != last; ++it) {
        if (std::string_view(nameOf(*it)) == name) return it;
    }
    for (Iterator it = first; it != last; ++it) {
        if (EqualsIgnoringCase(nameOf(*it), name)) return it;
    }
    return last;
}

}  // namespace quodlin
