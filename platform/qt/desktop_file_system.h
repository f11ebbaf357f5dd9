#pragma once

#include "platform/local/local_file_system.h"

namespace quodlin {

// The local file system with the desktop's trash, where the window's deletes on the computer
// go, so that a slip of the hand can be taken back.
class DesktopFileSystem : public LocalFileSystem {
public:
    bool hasTrash(const std::string& dir) override;
    void moveToTrash(const std::string& path) override;
};

}  // namespace quodlin
