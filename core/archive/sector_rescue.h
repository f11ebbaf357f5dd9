#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/transfers/run_observer.h"
#include "platform/file_system.h"

namespace quodlin {

// The bytes a rescue could not read of one file, as [first, last] ranges.
struct LostBytes {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    std::uint64_t count() const;
    bool empty() const { return ranges.empty(); }
    // Adds the bytes [first, last], joined to the last range when it ends just before.
    void add(std::uint64_t first, std::uint64_t last);
};

// What a rescue of one file gave: its SHA-256 as written, and what it lost.
struct RescuedFile {
    std::string digest;
    std::uint64_t size = 0;
    LostBytes lost;
    std::string unopened;  // why the file could not be opened at all; "" when it was
};

// Copies source into a new file target, never giving up on it, as GNU ddrescue does: large
// blocks first; where a block cannot be read whole, its sectors one by one, each tried several
// times; what stays unreadable is written as zeros. A read error that clears on a retry leaves
// a whole file. Throws FileError when the target cannot be written, or Canceled when observer
// ends the run; the partial target is then removed.
RescuedFile RescueFile(FileSystem& from, const std::string& source, FileSystem& to,
                       const std::string& target, RunObserver& observer);

}  // namespace quodlin
