#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quodlin {

// A card image whose structures cannot be trusted: the reason reads in the middle of a sentence
// ("its boot sector gives 0 bytes per sector").
class ImageDamage : public std::runtime_error {
public:
    explicit ImageDamage(const std::string& reason) : std::runtime_error(reason) {}
};

inline constexpr std::size_t kBootSectorBytes = 512;

// Where a FAT12 or FAT16 volume keeps its parts, in bytes from the start of the image.
struct FatLayout {
    std::uint64_t volumeOffset = 0;  // where the volume starts: after a partition table, if any
    std::uint32_t sectorBytes = 0;
    std::uint32_t clusterBytes = 0;
    std::uint64_t fatOffset = 0;  // the first copy; the others follow it
    std::uint32_t fatBytes = 0;   // of one copy
    unsigned fatCount = 0;
    std::uint64_t rootOffset = 0;
    std::uint32_t rootEntries = 0;
    std::uint64_t dataOffset = 0;
    std::uint32_t clusterCount = 0;  // data clusters, numbered from 2
    int fatBits = 0;                 // 12 or 16
    std::uint64_t volumeBytes = 0;   // as the boot sector gives it; the image may end before
    // The bytes a FAT copy needs for the card's clusters, which may be fewer than it has.
    std::uint32_t usedFatBytes() const {
        return static_cast<std::uint32_t>((std::uint64_t{clusterCount} + 2) * fatBits / 8 + 1);
    }

    bool holdsCluster(std::uint32_t cluster) const {
        return cluster >= 2 && cluster - 2 < clusterCount;
    }
    std::uint64_t clusterOffset(std::uint32_t cluster) const {
        return dataOffset + std::uint64_t{cluster - 2} * clusterBytes;
    }
    std::uint64_t rootBytes() const { return std::uint64_t{rootEntries} * 32; }
};

// Checks every field of the boot sector that the layout rests on against the others and against
// the image's size, which must hold at least the FATs and the root directory: an image that ends
// early, as a rescue cut short leaves it, still lists. Throws ImageDamage when one does not hold.
FatLayout ReadFatLayout(std::string_view bootSector, std::uint64_t imageBytes);

// Where the FAT volume of a whole card's image starts: a card read whole begins with a partition
// table, whose first FAT12 or FAT16 partition holds the volume. 0 when sector 0 holds no such
// table.
std::uint64_t VolumeOffset(std::string_view firstSector);

// The little-endian number of width bytes at offset.
std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset, std::size_t width);

}  // namespace quodlin
