#include "core/card_listing.h"

#include <algorithm>

#include "core/card_temporary.h"
#include "core/catalogue_file.h"
#include "core/file_io.h"
#include "core/natural_order.h"
#include "core/text_functions.h"

namespace quodlin {

bool IsCardFileOfMode(const DirEntry& entry, Mode mode) {
    return !entry.isDirectory && !entry.isSpecial && !entry.name.starts_with('.') &&
           EndsWithIgnoringCase(entry.name, ModeExtension(mode));
}

NameTable ListCard(FileSystem& fs, const std::string& cardRoot, Mode mode) {
    const std::vector<DirEntry> entries = fs.list(cardRoot);
    std::vector<std::string> fileNames;
    for (const DirEntry& entry : entries) {
        if (IsCardFileOfMode(entry, mode)) fileNames.push_back(entry.name);
        // A copy that a killed run left unfinished; it never became a card file.
        if (!entry.isDirectory && !entry.isSpecial && IsCardTemporaryName(entry.name)) {
            RemoveQuietly(fs, JoinNative(cardRoot, entry.name));
        }
    }
    std::sort(fileNames.begin(), fileNames.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    NameTable table;
    if (fileNames.empty()) return table;
    const std::vector<std::string> names = FindFriendlyNames(
        ReadCatalogue(fs, cardRoot, FindCatalogueFiles(entries)).lines, fileNames, mode);
    for (std::size_t i = 0; i < fileNames.size(); ++i) table.append(fileNames[i], names[i]);
    return table;
}

std::string CardListLine(const CardEntry& entry) {
    return entry.fileName + " = " + entry.name;
}

}  // namespace quodlin
