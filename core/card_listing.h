#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/name_table.h"
#include "platform/file_system.h"

namespace quodlin {

// True for a file of the mode's kind: its name ends in the extension in any letter case. Names
// that start with a dot are the hidden files of other systems, not the instrument's.
bool IsCardFileOfMode(const DirEntry& entry, Mode mode);

// The card root's files of the mode in natural order, with their friendly names. Throws
// FileError when the root or the catalogue cannot be read.
NameTable ListCard(FileSystem& fs, const std::string& cardRoot, Mode mode);

// The card list's line for an entry: "00.wav = Kick".
std::string CardListLine(const CardEntry& entry);

}  // namespace quodlin
