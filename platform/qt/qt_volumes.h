#pragma once

#include "platform/volumes.h"

namespace quodlin {

// The mounted volumes as QStorageInfo finds them. A volume counts as removable when the kernel
// says its disk is (Linux: /sys/block/*/removable) or when it holds a FAT file system, as memory
// cards do.
class QtVolumes : public Volumes {
public:
    void refresh() override;
    const std::vector<Volume>& list() const override { return volumes_; }

private:
    std::vector<Volume> volumes_;
};

// FAT in any of the names the kernel and FUSE give it.
bool IsFatFileSystem(const std::string& type);

}  // namespace quodlin
