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

}  // namespace quodlin
