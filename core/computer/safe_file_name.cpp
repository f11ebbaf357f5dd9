#include "core/computer/safe_file_name.h"

#include <array>
#include <string_view>

#include "core/text/utf8.h"

namespace quodlin {
namespace {

constexpr std::size_t kMaxStemBytes = 200;

bool IsForbidden(char c) {
    return static_cast<unsigned char>(c) < 32 || c == 0x7F ||
           std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
}

bool IsTrimmed(char c) {
    return c == '.' || c == ' ';
}

bool IsReservedOnWindows(const std::string& stem) {
    static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
    // Windows also reserves the device names with any extension ("CON.old").
    const std::string_view base = std::string_view(stem).substr(0, stem.find('.'));
    for (const std::string_view device : kDevices) {
        if (EqualsIgnoringCase(base, device)) return true;
    }
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9') {
        return EqualsIgnoringCase(base.substr(0, 3), "COM") ||
               EqualsIgnoringCase(base.substr(0, 3), "LPT");
    }
    return false;
}

// Cuts at most kMaxStemBytes without splitting a UTF-8 sequence.
std::string CutToLength(std::string text) {
    if (text.size() <= kMaxStemBytes) return text;
    std::size_t cut = kMaxStemBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

std::string Trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    return text.substr(first, last - first);
}

}  // namespace

std::string SafeFileStem(const std::string& friendlyName) {
    std::string stem = friendlyName;
    for (char& c : stem) {
        if (IsForbidden(c)) c = '_';
    }
    stem = Trim(CutToLength(Trim(stem)));
    return IsReservedOnWindows(stem) ? "" : stem;
}

std::string ComputerFileName(const std::string& friendlyName, const std::string& extension,
                             const std::string& cardFileName) {
    const std::string stem = SafeFileStem(friendlyName);
    return stem.empty() ? cardFileName : stem + extension;
}

}  // namespace quodlin
