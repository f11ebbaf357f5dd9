#pragma once

#include <string>

#include "core/card_numbering.h"
#include "platform/file_system.h"

namespace quodlin {

// Whether path names a directory the program can work in: one that cannot be examined counts as
// none.
bool IsUsableDirectory(FileSystem& fs, const std::string& path);

// Whether path names a file that is not a directory; one that cannot be examined counts as none.
bool IsFile(FileSystem& fs, const std::string& path);

// True for a file of the mode's kind: its name ends in the extension in any letter case. Names
// that start with a dot are the hidden files of other systems, not the instrument's.
bool IsCardFileOfMode(const DirEntry& entry, Mode mode);

}  // namespace quodlin
