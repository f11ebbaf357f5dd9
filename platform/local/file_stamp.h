#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "platform/local/local_file_system_paths.h"

namespace quodlin {

// A file's size and time of change by its path: what a cache of what was read from it is keyed
// by. Zero for a file that is not there.
inline FileStamp StampOf(const std::string& path) {
    std::error_code code;
    const auto size = std::filesystem::file_size(PathOf(path), code);
    if (code) return {};
    const auto time = std::filesystem::last_write_time(PathOf(path), code);
    if (code) return {};
    return {size, static_cast<std::int64_t>(time.time_since_epoch().count())};
}

}  // namespace quodlin
