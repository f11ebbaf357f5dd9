#include <filesystem>

#include "platform/local/file_error_kind.h"
#include "platform/local/local_file_system.h"
#include "platform/local/local_file_system_paths.h"

// The parts of the local file system that the standard library does alike everywhere.
namespace quodlin {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Throw(const std::string& path, const std::error_code& code) {
    throw FileError(KindOf(code), path, ReasonText(code.message()));
}

}  // namespace

bool LocalFileSystem::isDirectory(const std::string& path) {
    const fs::path native = PathOf(path);
    if (!native.is_absolute()) {
        throw FileError(FileErrorKind::NotFound, path, "not a full path on this computer");
    }
    std::error_code code;
    const fs::file_status status = fs::status(SystemPath(path), code);
    // A missing entry, or a file where a directory should be on the way: nothing is there.
    if (status.type() == fs::file_type::not_found || code == std::errc::not_a_directory) {
        return false;
    }
    if (code) throw FileError(FileErrorKind::Other, path, code.message());
    return fs::is_directory(status);
}

void LocalFileSystem::createDirectory(const std::string& path) {
    std::error_code code;
    if (fs::create_directory(SystemPath(path), code)) return;
    if (code) Throw(path, code);
    throw FileError(FileErrorKind::AlreadyExists, path, "File exists");
}

std::uint64_t LocalFileSystem::fileSize(const std::string& path) {
    std::error_code code;
    const auto size = fs::file_size(SystemPath(path), code);
    if (code) Throw(path, code);
    return size;
}

std::optional<std::uint64_t> LocalFileSystem::freeSpace(const std::string& dir) {
    std::error_code code;
    const fs::space_info info = fs::space(SystemPath(dir), code);
    if (code || info.available == static_cast<std::uintmax_t>(-1)) return std::nullopt;
    return info.available;
}

std::optional<std::uint64_t> LocalFileSystem::totalSpace(const std::string& dir) {
    std::error_code code;
    const fs::space_info info = fs::space(SystemPath(dir), code);
    if (code || info.capacity == static_cast<std::uintmax_t>(-1)) return std::nullopt;
    return info.capacity;
}

}  // namespace quodlin
