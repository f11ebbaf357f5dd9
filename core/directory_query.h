#pragma once

#include <string>

namespace quodlin {

// Whether path names an existing directory. A missing path, or one that names a file, answers
// false. Throws FileError when the path cannot be examined at all: it is not a full path (it names
// no root, as a Windows path does on Linux), or the system refuses to look (a missing search
// permission, a loop of links, a name too long, a device that is gone).
bool DirectoryExists(const std::string& path);

// The same, with a path that cannot be examined counting as no directory.
bool IsUsableDirectory(const std::string& path);

}  // namespace quodlin
