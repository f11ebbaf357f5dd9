#include "platform/qt/qt_volumes.h"

#include <QStorageInfo>
#include <algorithm>
#include <filesystem>
#include <fstream>

namespace quodlin {
namespace {

namespace fs = std::filesystem;

// /sys/class/block/<name> is a disk or a partition of one; the flag belongs to the disk.
bool IsRemovableDevice(const std::string& device) {
#ifdef __linux__
    if (!device.starts_with("/dev/")) return false;
    std::error_code code;
    fs::path node = fs::canonical(fs::path("/sys/class/block") / fs::path(device).filename(), code);
    if (code) return false;
    if (fs::exists(node / "partition", code)) node = node.parent_path();
    std::ifstream flag(node / "removable");
    char value = '0';
    return static_cast<bool>(flag >> value) && value == '1';
#else
    (void)device;
    return false;
#endif
}

std::string ShortName(const QStorageInfo& storage, const std::string& root) {
    std::string label = storage.name().toStdString();
    if (!label.empty()) return label;
    return fs::path(root).filename().string();
}

Volume VolumeOf(const QStorageInfo& storage) {
    Volume volume;
    volume.root = storage.rootPath().toStdString();
    const std::string name = ShortName(storage, volume.root);
    volume.displayText = name.empty() ? volume.root : name + " (" + volume.root + ")";
    volume.fat = IsFatFileSystem(storage.fileSystemType().toStdString());
    volume.removable = IsRemovableDevice(storage.device().toStdString()) || volume.fat;
    volume.label = storage.name().toStdString();
    volume.bytesTotal = static_cast<std::uint64_t>(storage.bytesTotal());
    return volume;
}

// Desktops mount each user's media under /media/USER or /run/media/USER; another user's are not
// this user's cards.
bool BelongsToAnotherUser(const std::string& root) {
    const QString user = qEnvironmentVariable("USER");
    for (const std::string base : {"/media/", "/run/media/"}) {
        if (!root.starts_with(base)) continue;
        const std::string rest = root.substr(base.size());
        const std::size_t slash = rest.find('/');
        if (slash == std::string::npos || user.isEmpty()) return false;
        return rest.substr(0, slash) != user.toStdString();
    }
    return false;
}

}  // namespace

bool IsFatFileSystem(const std::string& type) {
    static const char* const kFatTypes[] = {"vfat", "msdos",        "exfat",
                                            "fat",  "fuse.fusefat", "fusefat"};
    return std::any_of(std::begin(kFatTypes), std::end(kFatTypes),
                       [&](const char* fat) { return type == fat; });
}

void QtVolumes::refresh() {
    volumes_.clear();
    for (QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        storage.refresh();
        if (!storage.isValid() || !storage.isReady()) continue;
        Volume volume = VolumeOf(storage);
        if (BelongsToAnotherUser(volume.root)) continue;
        const bool seen = std::any_of(volumes_.begin(), volumes_.end(),
                                      [&](const Volume& v) { return v.root == volume.root; });
        if (!seen) volumes_.push_back(std::move(volume));
    }
    std::stable_sort(volumes_.begin(), volumes_.end(), [](const Volume& a, const Volume& b) {
        if (a.removable != b.removable) return a.removable;
        return a.root < b.root;
    });
}

}  // namespace quodlin
