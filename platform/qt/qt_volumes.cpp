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
    const std::string label = storage.name().toStdString();
    if (!label.empty()) return label;
    return fs::path(root).filename().string();
}

Volume VolumeOf(const QStorageInfo& storage) {
    Volume volume;
    volume.root = storage.rootPath().toStdString();
    const std::string name = ShortName(storage, volume.root);
    volume.displayText = name.empty() ? volume.root : name + " (" + volume.root + ")";
    volume.removable = IsRemovableDevice(storage.device().toStdString()) ||
                       IsFatFileSystem(storage.fileSystemType().toStdString());
    return volume;
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
