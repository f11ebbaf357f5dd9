#pragma once

#include <string>

#include "platform/file_system.h"

namespace quodlin {

// A file's size and time of change as its file system tells them: what a cache of what was read
// from it is keyed by. Zero for a file that cannot be opened.
inline FileStamp StampOf(FileSystem& fs, const std::string& path) {
    try {
        return fs.stampOf(path);
    } catch (const FileError&) {
        return {};
    }
}

}  // namespace quodlin
