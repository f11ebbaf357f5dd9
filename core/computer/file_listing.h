#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "platform/file_system.h"

namespace quodlin {

// True for a sound file of another kind than the instrument's, which goes onto the card only
// converted: AIFF, FLAC or Ogg, told by its extension in any letter case.
bool IsSoundFileToConvert(const std::string& name);
// Those kinds, as a list reads: "AIFF, FLAC, Ogg".
std::string SoundKindsToConvert();

// The computer list of a mode: the names in dir that end in the mode's extension in any letter
// case, and in samples mode the sound files to convert, hidden ones left out, in natural order.
// Throws FileError when dir cannot be read.
std::vector<std::string> ListComputerFiles(FileSystem& fs, const std::string& dir, Mode mode);

}  // namespace quodlin
