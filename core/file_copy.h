#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace quodlin {

struct CopyFailure {
    FileError error;
    bool targetCreated = false;     // false when the target name was already taken
    std::uint64_t sourceSize = 0;
};

// Copies source into a new file target (it must not exist), chunk by chunk, every write checked,
// then synced. A failed copy leaves no partial target behind.
std::optional<CopyFailure> CopyToNewFile(FileSystem& fs, const std::string& source,
                                         const std::string& target);

// A full volume shows as ENOSPC and its kin, or, on drivers that report it as something else,
// as less free space than the whole file needs (the partial copy is gone by then, so the free
// space is what the volume had before the copy).
bool IsVolumeFull(FileSystem& fs, const std::string& dir, const CopyFailure& failure);

}  // namespace quodlin
