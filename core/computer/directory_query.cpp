#include "core/computer/directory_query.h"

namespace quodlin {

bool IsUsableDirectory(FileSystem& fs, const std::string& path) {
    try {
        return fs.isDirectory(path);
    } catch (const FileError&) {
        return false;
    }
}

bool IsFile(FileSystem& fs, const std::string& path) {
    try {
        if (fs.isDirectory(path)) return false;
        fs.fileSize(path);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

bool IsCardFileOfMode(const DirEntry& entry, Mode mode) {
    return !entry.isDirectory && !entry.isSpecial && !entry.name.starts_with('.') &&
           HasModeExtension(entry.name, mode);
}

}  // namespace quodlin
