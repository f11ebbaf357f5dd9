#pragma once

#include <cstdint>

namespace quodlin {

// The largest cluster a FAT volume of this size may have been formatted with: SmartMedia's own
// format uses its erase block (8 KiB up to 8 MiB, 16 KiB above), and FAT12 holds at most 4084
// clusters, so a card formatted FAT12 elsewhere has clusters of at least size / 4084.
inline std::uint64_t LargestFatCluster(std::uint64_t volumeBytes) {
    std::uint64_t cluster = volumeBytes <= (8u << 20) ? 8192 : 16384;
    while (cluster < 32768 && cluster * 4084 < volumeBytes) cluster *= 2;
    return cluster;
}

}  // namespace quodlin
