#include "core/card/card_listing.h"

#include <algorithm>

#include "core/catalogue_file.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"

namespace quodlin {

std::vector<std::string> CardFilesOfMode(const std::vector<DirEntry>& rootEntries, Mode mode) {
    std::vector<std::string> fileNames;
    for (const DirEntry& entry : rootEntries) {
        if (IsCardFileOfMode(entry, mode)) fileNames.push_back(entry.name);
    }
    SortNaturally(fileNames);
    return fileNames;
}

NameTable TableOf(const std::vector<std::string>& fileNames,
                  const std::vector<std::string>& catalogueLines, Mode mode) {
    const std::vector<std::string> names = FriendlyNames(catalogueLines, fileNames, mode);
    NameTable table;
    for (std::size_t i = 0; i < fileNames.size(); ++i) table.append(fileNames[i], names[i]);
    return table;
}

std::string CardListLine(const CardEntry& entry) {
    return entry.fileName + " = " + entry.name;
}

}  // namespace quodlin
