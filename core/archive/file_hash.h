#pragma once

#include <string>

#include "core/io/file_copy.h"
#include "platform/file_system.h"

namespace quodlin {

// The SHA-256 of a file's bytes, as sha256sum prints it.
std::string FileSha256(FileSystem& fs, const std::string& path);

// Copies source, read through from, into a new file target written through to (it must not exist),
// syncs and closes it, and returns the SHA-256 of the bytes copied. On failure, a cancel from
// onChunk included, the partial target is removed and the error passed on.
std::string CopyHashed(FileSystem& from, const std::string& source, FileSystem& to,
                       const std::string& target, const ChunkWritten& onChunk);

}  // namespace quodlin
