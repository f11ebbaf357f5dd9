#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/catalogue_text.h"
#include "core/name_table.h"
#include "platform/file_system.h"

namespace quodlin {

inline constexpr const char* kCatalogueName = "names.txt";
// The previous catalogue, kept under this name by an older save while it rewrote names.txt.
inline constexpr const char* kLeftoverName = "#$%names.txt";
// Where a save writes the new catalogue before moving it over names.txt.
inline constexpr const char* kTemporaryName = "#$%names.tmp";

// The catalogue files present in a card root, by the names stored there.
struct CatalogueFiles {
    std::string catalogue;  // "" when there is none
    std::string leftover;   // "" when there is none
    std::string temporary;  // "" when there is none
    // The file holding the complete catalogue: a leftover of an interrupted save wins over a
    // names.txt that may be missing or partial.
    const std::string& source() const { return leftover.empty() ? catalogue : leftover; }
};

CatalogueFiles FindCatalogueFiles(const std::vector<DirEntry>& rootEntries);

// The friendly name of the first line whose text before its first "=" is fileName, letters
// compared without regard to case; "" when no line names the file. The mode's own section is
// searched first, because that is the line a save rewrites.
std::string FindFriendlyName(const std::vector<std::string>& lines, const std::string& fileName,
                             Mode mode);

// The lines of a catalogue made from nothing.
std::vector<std::string> EmptyCatalogueLines();

// The catalogue with the section of mode replaced by the table's entries; everything outside
// that section is carried over.
std::vector<std::string> RewriteSection(const std::vector<std::string>& oldLines, Mode mode,
                                        const NameTable& table);

// Reads the catalogue of a card root; an absent one has no lines.
CatalogueText ReadCatalogue(FileSystem& fs, const std::string& cardRoot,
                            const CatalogueFiles& files);

// Sorts the table and rewrites the mode's section of names.txt. The new file is written whole
// and synced before it replaces the old one, so a failure leaves the old catalogue as it was.
void SortAndSaveNames(FileSystem& fs, const std::string& cardRoot, Mode mode, NameTable& table);

}  // namespace quodlin
