#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/local/local_file_system_paths.h"

namespace quodlin {

// A file's size and time of change: what a cache of what was read from it is keyed by.
struct FileStamp {
    std::uint64_t size = 0;
    long long time = 0;

    bool operator==(const FileStamp&) const = default;
};

// Zero for a file that is not there.
inline FileStamp StampOf(const std::string& path) {
    std::error_code code;
    const auto size = std::filesystem::file_size(PathOf(path), code);
    if (code) return {};
    const auto time = std::filesystem::last_write_time(PathOf(path), code);
    if (code) return {};
    return {size, static_cast<long long>(time.time_since_epoch().count())};
}

}  // namespace quodlin
