#include "core/computer/file_listing.h"

#include <algorithm>

#include "core/computer/directory_query.h"
#include "core/text/natural_order.h"
#include "core/text/utf8.h"

namespace quodlin {

bool IsSoundFileToConvert(const std::string& name) {
    for (const char* extension : {".aif", ".aiff", ".flac", ".ogg"}) {
        if (EndsWithIgnoringCase(name, extension)) return true;
    }
    return false;
}

std::vector<std::string> ListComputerFiles(FileSystem& fs, const std::string& dir, Mode mode) {
    std::vector<std::string> names;
    for (const DirEntry& entry : fs.list(dir)) {
        // The card's rule: a file of the mode's kind, not a hidden one; in samples mode also the
        // sound files a copy converts.
        const bool convertible = mode == Mode::Samples && !entry.isDirectory && !entry.isSpecial &&
                                 !entry.name.starts_with('.') && IsSoundFileToConvert(entry.name);
        if (IsCardFileOfMode(entry, mode) || convertible) names.push_back(entry.name);
    }
    SortNaturally(names);
    return names;
}

}  // namespace quodlin
