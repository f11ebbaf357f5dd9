#include "core/computer/file_listing.h"

#include <algorithm>

#include "core/computer/directory_query.h"
#include "core/text/natural_order.h"
#include "core/text/utf8.h"
#include "core/text/wording.h"

namespace quodlin {

namespace {

struct SoundKind {
    const char* extension;
    const char* name;
};

// The one list of the sound files a copy converts: the window lists them beside the samples, and
// the command line takes them with --convert.
constexpr SoundKind kSoundKindsToConvert[] = {
    {".aif", "AIFF"}, {".aiff", "AIFF"}, {".flac", "FLAC"}, {".ogg", "Ogg"}};

}  // namespace

bool IsSoundFileToConvert(const std::string& name) {
    for (const SoundKind& kind : kSoundKindsToConvert) {
        if (EndsWithIgnoringCase(name, kind.extension)) return true;
    }
    return false;
}

std::string SoundKindsToConvert() {
    std::vector<std::string> names;
    for (const SoundKind& kind : kSoundKindsToConvert) {
        if (std::find(names.begin(), names.end(), kind.name) == names.end()) {
            names.push_back(kind.name);
        }
    }
    return Joined(names);
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
