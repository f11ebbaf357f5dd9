#pragma once

#include <filesystem>
#include <string>

namespace quodlin {

// Paths are UTF-8 inside the program; these turn them into the system's own and back.
inline std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The separator of the system the program runs on.
inline char NativeSeparator() {
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

}  // namespace quodlin
