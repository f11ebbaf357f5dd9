#include "core/card/likely_cards.h"

#include <algorithm>

#include "core/catalogue_file.h"
#include "core/text/text_functions.h"

namespace quodlin {
namespace {

// A boot or system partition is FAT and small too, but never the card.
bool IsSystemMount(const std::string& root) {
    return root == "/" || root.starts_with("/boot") || root.starts_with("/efi");
}

bool HoldsCatalogue(FileSystem& fs, const std::string& root) {
    try {
        return !fs.isDirectory(JoinNative(root, kCatalogueName)) &&
               fs.fileSize(JoinNative(root, kCatalogueName)) > 0;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace

std::vector<std::string> LikelyCards(FileSystem& fs, const std::vector<Volume>& volumes) {
    std::vector<std::string> roots;
    for (const Volume& volume : volumes) {
        if (IsSystemMount(volume.root)) continue;
        const bool small =
            volume.fat && volume.bytesTotal > 0 && volume.bytesTotal <= kLargestLikelyCard;
        if (small || (volume.removable && HoldsCatalogue(fs, volume.root))) {
            roots.push_back(volume.root);
        }
    }
    return roots;
}

std::string CardToOpen(FileSystem& fs, const std::vector<Volume>& volumes,
                       const std::string& lastUsed) {
    const bool lastIsBack = std::any_of(volumes.begin(), volumes.end(), [&](const Volume& v) {
        return !lastUsed.empty() && v.root == lastUsed && v.removable && !IsSystemMount(v.root);
    });
    if (lastIsBack) return lastUsed;
    const std::vector<std::string> likely = LikelyCards(fs, volumes);
    return likely.size() == 1 ? likely.front() : "";
}

}  // namespace quodlin
