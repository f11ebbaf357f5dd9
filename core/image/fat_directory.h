#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quodlin {

// One entry of a FAT directory, as its short entry and any long name before it tell it.
struct FatEntry {
    std::string name;  // UTF-8: the long name when it is whole and belongs here, else the short
    bool isDirectory = false;
    std::uint32_t firstCluster = 0;
    std::uint32_t size = 0;
    std::int64_t modified = 0;  // the entry's date and time as one number, for comparing only
};

// The live entries of a directory's bytes, in order: deleted entries, volume labels, "." and
// ".." and names that could not be a file's are left out; the list ends at the first unused
// entry.
std::vector<FatEntry> ReadFatDirectory(std::string_view bytes);

}  // namespace quodlin
