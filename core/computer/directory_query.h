#pragma once

#include <string>

#include "platform/file_system.h"

namespace quodlin {

// Whether path names a directory the program can work in: one that cannot be examined counts as
// none.
bool IsUsableDirectory(FileSystem& fs, const std::string& path);

// Whether path names a file that is not a directory; one that cannot be examined counts as none.
bool IsFile(FileSystem& fs, const std::string& path);

}  // namespace quodlin
