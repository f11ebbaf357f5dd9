#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "platform/file_system.h"

namespace quodlin {

// The computer list of a mode: the names in dir that end in the mode's extension in any letter
// case, and in samples mode the sound files to convert, hidden ones left out, in natural order.
// Throws FileError when dir cannot be read. AIFF, FLAC and Ogg: sound files that go onto the card
// only converted.
bool IsSoundFileToConvert(const std::string& name);

std::vector<std::string> ListComputerFiles(FileSystem& fs, const std::string& dir, Mode mode);

}  // namespace quodlin
