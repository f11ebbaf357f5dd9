#include "core/text/utf8.h"

#include <algorithm>
#include <array>

namespace quodlin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of c, or -1 when the code page lacks it.
int Windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    const auto* found = std::find(kWindows1252High.begin(), kWindows1252High.end(), c);
    return found == kWindows1252High.end()
               ? -1
               : 0x80 + static_cast<int>(found - kWindows1252High.begin());
}

bool IsC0OrC1Control(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Length of the sequence starting at text[i] and its code point, or 0 when it is malformed.
std::size_t SequenceAt(std::string_view text, std::size_t i, char32_t& out) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    out = value;
    return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = SequenceAt(text, i, c);
        out += length == 0 ? kReplacement : c;
        i += length == 0 ? 1 : length;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text) AppendUtf8(out, c);
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = SequenceAt(bytes, i, c);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

char32_t FromWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t{byte};
}

std::string DecodeWindows1252(std::string_view bytes) {
    // ASCII, which most catalogues are, reads the same in both.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) AppendUtf8(out, FromWindows1252(static_cast<unsigned char>(c)));
    return out;
}

bool EncodeWindows1252(std::string_view utf8, std::string& out) {
    bool all = true;
    for (const char32_t c : DecodeUtf8(utf8)) {
        const int byte = Windows1252Byte(c);
        all = all && byte >= 0;
        out += byte >= 0 ? static_cast<char>(byte) : '?';
    }
    return all;
}

bool FitsWindows1252(std::string_view utf8) {
    std::string ignored;
    return EncodeWindows1252(utf8, ignored);
}

std::string NameText(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : DecodeWindows1252(bytes);
}

std::string VisibleText(std::string_view bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= ' ' && c <= '~'; })) {
        return std::string(bytes);
    }
    std::u32string text = DecodeUtf8(NameText(bytes));
    std::replace_if(text.begin(), text.end(), IsC0OrC1Control, U'?');
    return EncodeUtf8(text);
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), FoldAscii);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

std::size_t IgnoringCaseHash::operator()(std::string_view text) const {
    std::size_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(FoldAscii(c))) * 1099511628211ull;
    return hash;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace quodlin
