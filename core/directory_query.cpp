#include "core/directory_query.h"

#include <filesystem>

#include "platform/file_system.h"

namespace quodlin {

bool DirectoryExists(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path native(std::u8string(path.begin(), path.end()));
    if (!native.is_absolute()) {
        throw FileError(FileErrorKind::NotFound, path, "not a full path on this computer");
    }
    std::error_code code;
    const fs::file_status status = fs::status(native, code);
    // A missing entry, or a file where a directory should be on the way: nothing is there.
    if (status.type() == fs::file_type::not_found || code == std::errc::not_a_directory) {
        return false;
    }
    if (code) throw FileError(FileErrorKind::Other, path, code.message());
    return fs::is_directory(status);
}

bool IsUsableDirectory(const std::string& path) {
    try {
        return DirectoryExists(path);
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace quodlin
