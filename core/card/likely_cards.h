#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/volumes.h"

namespace quodlin {

// The largest card the instrument's era made was 128 MB: a larger FAT volume is a USB stick.
inline constexpr std::uint64_t kLargestLikelyCard = 128ull * 1024 * 1024;

// The mounted volumes that are likely an ES1 card: a FAT file system of at most 128 MB, or one
// whose root holds names.txt.
std::vector<std::string> LikelyCards(FileSystem& fs, const std::vector<Volume>& volumes);

// The card to open by itself while none is chosen: the one last used when it is mounted again,
// else the one likely card; "" when there is none or more than one.
std::string CardToOpen(FileSystem& fs, const std::vector<Volume>& volumes,
                       const std::string& lastUsed);

}  // namespace quodlin
