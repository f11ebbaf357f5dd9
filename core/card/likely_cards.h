#pragma once

#include <string>
#include <vector>

#include "core/samples/instrument_format.h"
#include "platform/file_system.h"
#include "platform/volumes.h"

namespace quodlin {

// The mounted volumes that are likely an ES1 card: a FAT file system of at most 128 MB, or one
// whose root holds names.txt.
std::vector<std::string> LikelyCards(FileSystem& fs, const std::vector<Volume>& volumes);

// The card to open by itself while none is chosen: the one last used when it is mounted again,
// else the one likely card; "" when there is none or more than one.
std::string CardToOpen(FileSystem& fs, const std::vector<Volume>& volumes,
                       const std::string& lastUsed);

}  // namespace quodlin
