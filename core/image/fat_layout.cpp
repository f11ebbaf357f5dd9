#include "core/image/fat_layout.h"

#include <algorithm>
#include <iterator>

namespace quodlin {
namespace {

bool IsPowerOfTwo(std::uint32_t value) {
    return value != 0 && (value & (value - 1)) == 0;
}

void Require(bool holds, const std::string& reason) {
    if (!holds) throw ImageDamage("its boot sector " + reason);
}

// FAT12 has fewer than 4085 clusters and FAT16 fewer than 65525, whatever the boot sector names.
int FatBitsFor(std::uint32_t clusters) {
    if (clusters < 4085) return 12;
    if (clusters < 65525) return 16;
    throw ImageDamage("it is a FAT32 volume, which no ES1 card is");
}

}  // namespace

std::uint64_t VolumeOffset(std::string_view first) {
    if (first.size() < kBootSectorBytes || first.substr(510, 2) != "\x55\xAA") return 0;
    // FAT12, FAT16 under 32 MB, FAT16, and FAT16 addressed by LBA.
    static constexpr unsigned char kFatTypes[] = {0x01, 0x04, 0x06, 0x0E};
    for (std::size_t entry = 446; entry < 510; entry += 16) {
        const auto type = static_cast<unsigned char>(first[entry + 4]);
        const std::uint32_t start = LittleEndian(first, entry + 8, 4);
        if (start != 0 &&
            std::find(std::begin(kFatTypes), std::end(kFatTypes), type) != std::end(kFatTypes)) {
            return std::uint64_t{start} * 512;
        }
    }
    return 0;
}

std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

FatLayout ReadFatLayout(std::string_view boot, std::uint64_t imageBytes) {
    Require(boot.size() >= kBootSectorBytes, "is cut short");
    FatLayout layout;
    layout.sectorBytes = LittleEndian(boot, 11, 2);
    Require(
        IsPowerOfTwo(layout.sectorBytes) && layout.sectorBytes >= 512 && layout.sectorBytes <= 4096,
        "gives " + std::to_string(layout.sectorBytes) + " bytes per sector");
    const std::uint32_t sectorsPerCluster = LittleEndian(boot, 13, 1);
    Require(IsPowerOfTwo(sectorsPerCluster),
            "gives " + std::to_string(sectorsPerCluster) + " sectors per cluster");
    layout.clusterBytes = sectorsPerCluster * layout.sectorBytes;
    Require(layout.clusterBytes <= 65536, "gives clusters larger than 64 KiB");
    const std::uint32_t reserved = LittleEndian(boot, 14, 2);
    Require(reserved >= 1, "reserves no sector for itself");
    layout.fatCount = LittleEndian(boot, 16, 1);
    Require(layout.fatCount >= 1 && layout.fatCount <= 4,
            "gives " + std::to_string(layout.fatCount) + " copies of the FAT");
    layout.rootEntries = LittleEndian(boot, 17, 2);
    Require(layout.rootEntries >= 1, "gives a root directory of no entries");
    const std::uint32_t fatSectors = LittleEndian(boot, 22, 2);
    Require(fatSectors >= 1, "gives no sectors to the FAT, as FAT32 does");
    std::uint64_t totalSectors = LittleEndian(boot, 19, 2);
    if (totalSectors == 0) totalSectors = LittleEndian(boot, 32, 4);
    layout.volumeBytes = totalSectors * layout.sectorBytes;

    layout.fatBytes = fatSectors * layout.sectorBytes;
    layout.fatOffset = std::uint64_t{reserved} * layout.sectorBytes;
    layout.rootOffset = layout.fatOffset + std::uint64_t{layout.fatCount} * layout.fatBytes;
    const std::uint64_t rootSectors =
        (layout.rootBytes() + layout.sectorBytes - 1) / layout.sectorBytes;
    layout.dataOffset = layout.rootOffset + rootSectors * layout.sectorBytes;
    Require(layout.dataOffset < layout.volumeBytes, "leaves no room for data");
    Require(layout.dataOffset <= imageBytes,
            "puts the root directory past the image's end, at byte " + std::to_string(imageBytes));
    layout.clusterCount =
        static_cast<std::uint32_t>((layout.volumeBytes - layout.dataOffset) / layout.clusterBytes);
    Require(layout.clusterCount >= 1, "leaves no room for a cluster");
    layout.fatBits = FatBitsFor(layout.clusterCount);
    // Each cluster and the two reserved entries need their place in the FAT.
    const std::uint64_t fatEntries = std::uint64_t{layout.fatBytes} * 8 / layout.fatBits;
    Require(fatEntries >= std::uint64_t{layout.clusterCount} + 2,
            "gives a FAT too small for its " + std::to_string(layout.clusterCount) + " clusters");
    return layout;
}

}  // namespace quodlin
