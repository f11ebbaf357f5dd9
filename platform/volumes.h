#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quodlin {

// A mounted volume, as the drive lists offer it.
struct Volume {
    std::string root;         // where its files begin: a mount point, or a drive root such as "C:\"
    std::string displayText;  // how a drive list shows it, short name first
    bool removable = false;   // a removable disk or a FAT file system: likely a memory card
    std::string label;        // the volume's own name, "" when it has none
    std::uint64_t bytesTotal = 0;
    bool fat = false;  // a FAT file system, as the instrument formats its cards
};

// The volumes of this machine.
class Volumes {
public:
    virtual ~Volumes() = default;
    // Reads the mounted volumes afresh, so that a card inserted meanwhile is seen.
    virtual void refresh() = 0;
    // The volumes found by the last refresh, removable ones first.
    virtual const std::vector<Volume>& list() const = 0;
};

}  // namespace quodlin
