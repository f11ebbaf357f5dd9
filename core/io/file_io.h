#pragma once

#include <string>

#include "platform/file_system.h"

namespace quodlin {

// Reads the file's bytes; a file longer than maxBytes is refused with reason, and never read whole.
std::string ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t maxBytes,
                          const std::string& reason);

// Creates path (it must not exist), writes every byte, syncs and closes. On any failure the
// partial file is removed and the error passed on.
void WriteNewFile(FileSystem& fs, const std::string& path, const std::string& bytes);

// Removes a file whose removal is only tidying up after another failure.
void RemoveQuietly(FileSystem& fs, const std::string& path);

// The name a directory stores for name, compared without regard to case as on the card; "" when
// there is none.
std::string StoredName(const std::vector<DirEntry>& entries, const std::string& name);

}  // namespace quodlin
