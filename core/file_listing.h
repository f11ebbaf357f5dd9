#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "platform/file_system.h"

namespace quodlin {

// The computer list of a mode: the names in dir that end in the mode's extension in any letter
// case, hidden ones left out, in natural order. Throws FileError when dir cannot be read.
std::vector<std::string> ListComputerFiles(FileSystem& fs, const std::string& dir, Mode mode);

}  // namespace quodlin
