#include "core/catalogue/catalogue_text.h"

#include <algorithm>

#include "core/text/utf8.h"

namespace quodlin {
namespace {

bool HasHighBytes(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

char32_t Utf16Unit(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u32string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = Utf16Unit(bytes, i, bigEndian);
        const bool pairs = unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size();
        const char32_t low = pairs ? Utf16Unit(bytes, i + 2, bigEndian) : 0;
        if (pairs && low >= 0xDC00 && low < 0xE000) {
            text += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            i += 2;
        } else {
            text += unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : unit;
        }
    }
    return EncodeUtf8(text);
}

void AppendUtf16Unit(std::string& out, char32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string EncodeUtf16(std::string_view utf8, bool bigEndian) {
    std::string out(bigEndian ? kUtf16BEBom : kUtf16LEBom);
    for (const char32_t c : DecodeUtf8(utf8)) {
        if (c < 0x10000) {
            AppendUtf16Unit(out, c, bigEndian);
        } else {
            AppendUtf16Unit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
            AppendUtf16Unit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
        }
    }
    return out;
}

bool StartsWithBom(std::string_view bytes) {
    return bytes.starts_with(kUtf8Bom) || bytes.starts_with(kUtf16LEBom) ||
           bytes.starts_with(kUtf16BEBom);
}

CatalogueText Split(const std::string& text, CatalogueEncoding encoding, bool eightBit) {
    const bool ended = text.empty() || text.back() == '\r' || text.back() == '\n';
    return {SplitLines(text), encoding, eightBit, ended};
}

}  // namespace

CatalogueText ParseCatalogue(std::string_view bytes) {
    using enum CatalogueEncoding;
    if (bytes.starts_with(kUtf8Bom)) {
        return Split(std::string(bytes.substr(kUtf8Bom.size())), Utf8WithBom, false);
    }
    if (bytes.starts_with(kUtf16LEBom))
        return Split(DecodeUtf16(bytes.substr(2), false), Utf16LE, false);
    if (bytes.starts_with(kUtf16BEBom))
        return Split(DecodeUtf16(bytes.substr(2), true), Utf16BE, false);
    const bool high = HasHighBytes(bytes);
    if (high && IsValidUtf8(bytes)) return Split(std::string(bytes), Utf8, false);
    return Split(DecodeWindows1252(bytes), Windows1252, high);
}

std::string SerializeCatalogue(const CatalogueText& text) {
    using enum CatalogueEncoding;
    std::string utf8;
    for (const std::string& line : text.lines) utf8 += line + "\r\n";
    switch (text.encoding) {
        case Utf8:
            if (StartsWithBom(utf8)) return std::string(kUtf8Bom) + utf8;
            return utf8;
        case Utf8WithBom:
            return std::string(kUtf8Bom) + utf8;
        case Utf16LE:
        case Utf16BE:
            return EncodeUtf16(utf8, text.encoding == Utf16BE);
        case Windows1252:
            break;
    }
    std::string bytes;
    const bool fits = EncodeWindows1252(utf8, bytes);
    // Bytes that begin like a byte-order mark would be read back in another encoding.
    if (StartsWithBom(bytes)) return std::string(kUtf8Bom) + utf8;
    if (fits || text.eightBit) return bytes;
    return StartsWithBom(utf8) ? std::string(kUtf8Bom) + utf8 : utf8;
}

}  // namespace quodlin
