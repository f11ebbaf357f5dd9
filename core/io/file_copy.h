#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quodlin {

struct CopyFailure {
    FileError error;
    bool targetCreated = false;  // false when the target name was already taken
    std::uint64_t sourceSize = 0;
};

// A copy whose bytes are all written but not yet synced, so that a run of copies can reach the
// device with one flush instead of one per file.
struct UnsyncedCopy {
    std::unique_ptr<OutputFile> file;
    std::string path;
};

// Told the size of each chunk as it is written; false drops the copy, which then fails with
// FileErrorKind::Canceled.
using ChunkWritten = std::function<bool(std::uint64_t)>;

// What writes a new file's bytes; it throws FileError when it cannot.
using FillFile = std::function<void(OutputFile&)>;

// The one way a new file is made: creates target (it must not exist) and fills it, left
// unsynced in copy. On failure no partial target is left behind; sizeOnFailure gives the size
// the failure reports.
std::optional<CopyFailure> FillUnsynced(FileSystem& fs, const std::string& target,
                                        UnsyncedCopy& copy, const FillFile& fill,
                                        const std::function<std::uint64_t()>& sizeOnFailure);

// Copies source, read through from, into a new file target (it must not exist) written through
// to, chunk by chunk, every write checked. On failure no partial target is left behind.
std::optional<CopyFailure> CopyUnsynced(FileSystem& from, const std::string& source, FileSystem& to,
                                        const std::string& target, UnsyncedCopy& copy,
                                        const ChunkWritten& onChunk = {});

// Syncs and closes the copy; when that fails the copy is removed and the error returned.
std::optional<FileError> FinishCopy(FileSystem& fs, UnsyncedCopy& copy);

// CopyUnsynced and FinishCopy in one.
std::optional<CopyFailure> CopyToNewFile(FileSystem& from, const std::string& source,
                                         FileSystem& to, const std::string& target,
                                         const ChunkWritten& onChunk = {});

// The bytes a run is to copy, for its progress; a file whose size cannot be told counts none
// (its copy will fail and say why; the bar only shows less).
std::uint64_t TotalBytes(FileSystem& fs, const std::vector<std::string>& paths);

// A full volume shows as ENOSPC and its kin, or, on drivers that report it as something else,
// as less free space than the whole file needs (the partial copy is gone by then, so the free
// space is what the volume had before the copy).
bool IsVolumeFull(FileSystem& fs, const std::string& dir, const CopyFailure& failure);

}  // namespace quodlin
