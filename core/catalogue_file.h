#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_numbering.h"
#include "core/catalogue/catalogue_text.h"
#include "core/io/temporary_names.h"
#include "core/name_table.h"
#include "platform/file_system.h"

namespace quodlin {

inline constexpr const char* kCatalogueName = "names.txt";
// The previous catalogue, kept under this name by an older save while it rewrote names.txt.
inline constexpr const char* kLeftoverName = "#$%names.txt";

// The catalogue files present in a card root, by the names stored there.
struct CatalogueFiles {
    std::string catalogue;  // "" when there is none
    std::string leftover;   // "" when there is none
    std::string temporary;  // "" when there is none
};

CatalogueFiles FindCatalogueFiles(const std::vector<DirEntry>& rootEntries);

// A whole line "[...]" with no "=" in it; "[x].wav=Bracket" is an entry.
bool IsSectionHeader(std::string_view line);

// The file an entry line names: the text before its first "=", without the blanks and tabs
// around it; nullopt for a line without "=".
std::optional<std::string> EntryKey(std::string_view line);

// The friendly name of each file in fileNames, in the same order, "" for one no line names. A
// file's name is that of the first entry line that names it: its key is the text before the
// first "=", blanks and tabs around it and letter case ignored. When a blank stands right before
// that "=", the blanks after it are skipped too. The mode's own section is searched first,
// because that is the line a save rewrites. A line spelt as the file is taken before one that
// differs in letter case, and no line names two files.
std::vector<std::string> FriendlyNames(const std::vector<std::string>& lines,
                                       const std::vector<std::string>& fileNames, Mode mode);

// False for a card file whose name an entry line cannot hold unambiguously: one that begins or
// ends with a blank or tab, or holds "=" or a control character (a line feed, say). Such a file
// has no friendly name.
bool NameableInCatalogue(const std::string& fileName);

// The most names.txt may hold: reading refuses anything larger as no catalogue.
inline constexpr std::size_t kLargestCatalogue = 1 << 20;

// The lines of a catalogue made from nothing.
std::vector<std::string> EmptyCatalogueLines();

// The catalogue with the entry lines of the mode's kind in its section replaced by the table's
// entries. Other lines of the section stay in place, and so do the entry lines that name a file
// of kept; everything outside it is carried over.
std::vector<std::string> RewriteSection(const std::vector<std::string>& oldLines, Mode mode,
                                        const NameTable& table,
                                        const std::vector<std::string>& kept = {});

// Adds to catalogue the entry lines of a leftover that name files catalogue does not name, each
// in its own section. A last line without its line end was cut short, and gives way.
void MergeLeftover(CatalogueText& catalogue, const CatalogueText& leftover);

// Reads the catalogue of a card root, merged with a leftover of an older program's interrupted
// save; an absent one has no lines.
CatalogueText ReadCatalogue(FileSystem& fs, const std::string& cardRoot,
                            const CatalogueFiles& files);

// Rewrites the mode's section of text from the sorted table, as a save writes it.
// Returns the friendly names, as written, that lost characters to the catalogue's 8-bit code
// page.
// The lines of kept's files stay as they are: files the card root lists that the table does not
// hold, such as one that cannot be read, keep their names.
std::vector<std::string> RewriteCatalogue(CatalogueText& text, Mode mode, NameTable& table,
                                          const std::vector<std::string>& kept = {});

// Writes text as the card's names.txt: whole and synced under a temporary name before it
// replaces the old one, so a failure leaves the old catalogue as it was. A leftover is removed
// once the new catalogue is in place. Refuses a catalogue larger than reading accepts.
void WriteCatalogue(FileSystem& fs, const std::string& cardRoot, const CatalogueFiles& files,
                    const CatalogueText& text);

}  // namespace quodlin
