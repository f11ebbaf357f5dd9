#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/computer/directory_query.h"
#include "core/name_table.h"
#include "platform/file_system.h"

namespace quodlin {

// The names of the root's files of the mode, in natural order.
std::vector<std::string> CardFilesOfMode(const std::vector<DirEntry>& rootEntries, Mode mode);

// The files with their friendly names from the catalogue's lines.
NameTable TableOf(const std::vector<std::string>& fileNames,
                  const std::vector<std::string>& catalogueLines, Mode mode);

// The card list's line for an entry: "00.wav = Kick".
std::string CardListLine(const CardEntry& entry);

}  // namespace quodlin
