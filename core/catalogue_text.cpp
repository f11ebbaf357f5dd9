#include "core/catalogue_text.h"

#include <algorithm>
#include <array>

#include "core/utf8.h"

namespace quodlin {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// 0x80 to 0x9F; the five bytes Windows-1252 leaves undefined map to the C1 controls of the same
// number, as Windows converts them, so that every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool HasHighBytes(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : char32_t{b});
    }
    return out;
}

bool EncodeWindows1252(std::string_view utf8, std::string& out) {
    for (const char32_t c : DecodeUtf8(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        const auto* found = std::find(kHighControls.begin(), kHighControls.end(), c);
        if (found == kHighControls.end()) return false;
        out += static_cast<char>(0x80 + (found - kHighControls.begin()));
    }
    return true;
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

CatalogueText ParseCatalogue(std::string_view bytes) {
    if (bytes.starts_with(kBom)) {
        return {SplitLines(bytes.substr(kBom.size())), CatalogueEncoding::Utf8WithBom};
    }
    if (HasHighBytes(bytes) && IsValidUtf8(bytes)) {
        return {SplitLines(bytes), CatalogueEncoding::Utf8};
    }
    return {SplitLines(DecodeWindows1252(bytes)), CatalogueEncoding::Windows1252};
}

std::string SerializeCatalogue(const std::vector<std::string>& lines, CatalogueEncoding encoding) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    if (encoding == CatalogueEncoding::Windows1252) {
        std::string bytes;
        if (EncodeWindows1252(text, bytes)) return bytes;
    }
    return encoding == CatalogueEncoding::Utf8WithBom ? std::string(kBom) + text : text;
}

}  // namespace quodlin
