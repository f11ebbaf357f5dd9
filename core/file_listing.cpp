#include "core/file_listing.h"

#include <algorithm>

#include "core/card_listing.h"
#include "core/natural_order.h"

namespace quodlin {

std::vector<std::string> ListComputerFiles(FileSystem& fs, const std::string& dir, Mode mode) {
    std::vector<std::string> names;
    for (const DirEntry& entry : fs.list(dir)) {
        // The card's rule: a file of the mode's kind, not a hidden one.
        if (IsCardFileOfMode(entry, mode)) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    return names;
}

}  // namespace quodlin
