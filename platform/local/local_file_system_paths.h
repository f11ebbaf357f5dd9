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

// The path handed to the file system's calls. On Windows a full path longer than a folder's may
// be (248 characters) takes the "\\?\" form, which lifts that limit; the form is read as it is,
// so it is first made normal, with backslashes only. Shorter paths keep the usual reading, in
// which names such as CON name a device. Network paths keep their own form.
inline std::filesystem::path SystemPath(const std::string& utf8) {
    std::filesystem::path path = PathOf(utf8);
#ifdef _WIN32
    if (path.is_absolute() && path.native().size() >= 248 && !utf8.starts_with("\\\\") &&
        !utf8.starts_with("//")) {
        path = L"\\\\?\\" + path.lexically_normal().native();
    }
#endif
    return path;
}

// The separator of the system the program runs on.
inline char NativeSeparator() {
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

}  // namespace quodlin
