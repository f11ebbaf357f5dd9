#include "core/image/fat_directory.h"

#include <array>

#include "core/image/fat_layout.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

constexpr std::size_t kEntryBytes = 32;
constexpr unsigned char kLongNameAttributes = 0x0F;
constexpr unsigned char kDirectoryAttribute = 0x10;
constexpr unsigned char kVolumeLabelAttribute = 0x08;
constexpr unsigned char kDeleted = 0xE5;
constexpr unsigned char kLastLongPart = 0x40;
// The characters of a long name entry: 5, 6 and 2 UTF-16 units at these offsets.
constexpr std::array<std::size_t, 13> kLongNameUnits = {1,  3,  5,  7,  9,  14, 16,
                                                        18, 20, 22, 24, 28, 30};

// Code page 437, which short names are written in, from byte 0x80 up.
constexpr std::array<char16_t, 128> kCodePage437 = {
    0xc7,   0xfc,   0xe9,   0xe2,   0xe4,   0xe0,   0xe5,   0xe7,   0xea,   0xeb,   0xe8,   0xef,
    0xee,   0xec,   0xc4,   0xc5,   0xc9,   0xe6,   0xc6,   0xf4,   0xf6,   0xf2,   0xfb,   0xf9,
    0xff,   0xd6,   0xdc,   0xa2,   0xa3,   0xa5,   0x20a7, 0x192,  0xe1,   0xed,   0xf3,   0xfa,
    0xf1,   0xd1,   0xaa,   0xba,   0xbf,   0x2310, 0xac,   0xbd,   0xbc,   0xa1,   0xab,   0xbb,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255d, 0x255c, 0x255b, 0x2510, 0x2514, 0x2534, 0x252c, 0x251c, 0x2500, 0x253c, 0x255e, 0x255f,
    0x255a, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256c, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256b, 0x256a, 0x2518, 0x250c, 0x2588, 0x2584, 0x258c, 0x2590, 0x2580,
    0x3b1,  0xdf,   0x393,  0x3c0,  0x3a3,  0x3c3,  0xb5,   0x3c4,  0x3a6,  0x398,  0x3a9,  0x3b4,
    0x221e, 0x3c6,  0x3b5,  0x2229, 0x2261, 0xb1,   0x2265, 0x2264, 0x2320, 0x2321, 0xf7,   0x2248,
    0xb0,   0x2219, 0xb7,   0x221a, 0x207f, 0xb2,   0x25a0, 0xa0};

unsigned char ByteAt(std::string_view entry, std::size_t offset) {
    return static_cast<unsigned char>(entry[offset]);
}

// One part of a short name, its padding removed, in lower case when the entry says so.
std::string ShortPart(std::string_view raw, bool lower) {
    std::size_t length = raw.size();
    while (length > 0 && raw[length - 1] == ' ') --length;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (byte >= 0x80) {
            AppendUtf8(text, kCodePage437[byte - 0x80]);
        } else {
            text += lower && byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32)
                                                        : static_cast<char>(byte);
        }
    }
    return text;
}

std::string ShortName(std::string_view entry) {
    std::string base(entry.substr(0, 8));
    // 0x05 stands for a first byte of 0xE5, which would mark the entry deleted.
    if (ByteAt(entry, 0) == 0x05) base[0] = static_cast<char>(kDeleted);
    const unsigned char caseFlags = ByteAt(entry, 12);
    std::string name = ShortPart(base, (caseFlags & 0x08) != 0);
    const std::string extension = ShortPart(entry.substr(8, 3), (caseFlags & 0x10) != 0);
    if (!extension.empty()) name += "." + extension;
    return name;
}

unsigned char ShortNameChecksum(std::string_view entry) {
    unsigned char sum = 0;
    for (std::size_t i = 0; i < 11; ++i) {
        sum = static_cast<unsigned char>(((sum & 1) << 7) + (sum >> 1) + ByteAt(entry, i));
    }
    return sum;
}

// A long name gathered from its entries, which come last part first.
class LongName {
public:
    void take(std::string_view entry) {
        const unsigned char order = ByteAt(entry, 0);
        const unsigned part = order & 0x1F;
        if (order & kLastLongPart) {
            parts_.assign(part, std::u16string());
            expected_ = part;
            checksum_ = ByteAt(entry, 13);
        } else if (part == 0 || part != expected_ || ByteAt(entry, 13) != checksum_) {
            clear();
            return;
        }
        if (part == 0 || parts_.empty()) return clear();
        std::u16string units;
        for (const std::size_t offset : kLongNameUnits) {
            units += static_cast<char16_t>(LittleEndian(entry, offset, 2));
        }
        parts_[part - 1] = units;
        expected_ = part - 1;
    }

    // The name, when every part came and they belong to this short entry.
    std::string nameFor(std::string_view shortEntry) const {
        if (parts_.empty() || expected_ != 0 || checksum_ != ShortNameChecksum(shortEntry)) {
            return "";
        }
        std::u16string units;
        for (const std::u16string& part : parts_) units += part;
        const std::size_t end = units.find(u'\0');
        return Utf8Of(units.substr(0, end));
    }

    void clear() {
        parts_.clear();
        expected_ = 0;
    }

private:
    static std::string Utf8Of(const std::u16string& units) {
        std::string text;
        for (std::size_t i = 0; i < units.size(); ++i) {
            const char16_t unit = units[i];
            const bool high = unit >= 0xD800 && unit < 0xDC00;
            const bool lowNext =
                i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000;
            if (high && lowNext) {
                AppendUtf8(text, 0x10000 + ((char32_t{unit} - 0xD800) << 10) +
                                     (char32_t{units[++i]} - 0xDC00));
            } else {
                AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? U'\uFFFD' : char32_t{unit});
            }
        }
        return text;
    }

    std::vector<std::u16string> parts_;
    unsigned expected_ = 0;
    unsigned char checksum_ = 0;
};

// A name that would reach past its folder when joined to a path never names a file.
bool IsFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

}  // namespace

std::vector<FatEntry> ReadFatDirectory(std::string_view bytes) {
    std::vector<FatEntry> entries;
    LongName longName;
    for (std::size_t offset = 0; offset + kEntryBytes <= bytes.size(); offset += kEntryBytes) {
        const std::string_view entry = bytes.substr(offset, kEntryBytes);
        const unsigned char first = ByteAt(entry, 0);
        if (first == 0) break;
        const unsigned char attributes = ByteAt(entry, 11);
        if (first == kDeleted) {
            longName.clear();
        } else if ((attributes & 0x3F) == kLongNameAttributes) {
            longName.take(entry);
        } else {
            std::string name = longName.nameFor(entry);
            longName.clear();
            if (!IsFileName(name)) name = ShortName(entry);
            if ((attributes & kVolumeLabelAttribute) || !IsFileName(name)) continue;
            entries.push_back(
                {name, (attributes & kDirectoryAttribute) != 0, LittleEndian(entry, 26, 2),
                 LittleEndian(entry, 28, 4),
                 std::int64_t{LittleEndian(entry, 24, 2)} << 16 | LittleEndian(entry, 22, 2)});
        }
    }
    return entries;
}

}  // namespace quodlin
