#pragma once

#include <filesystem>
#include <string>

#include "core/text/native_paths.h"

namespace quodlin {

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

}  // namespace quodlin
