#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/image/ddrescue_map.h"
#include "core/image/fat_directory.h"
#include "core/image/fat_layout.h"
#include "platform/file_system.h"

namespace quodlin {

// A file of the image's root with where its bytes lie.
struct ImageFile {
    FatEntry entry;
    // Where the file's bytes lie in the image, in order; they hold fewer bytes than its size when
    // its cluster chain is damaged.
    std::vector<ByteRange> extents;
    // What is wrong with the cluster chain ("its cluster chain runs in a loop after 8,192 of
    // 20,000 bytes"); "" when it holds the whole file.
    std::string damage;
    // True when some of its bytes lie on sectors the map marks unreadable.
    bool onBadSectors = false;
};

// A FAT12 or FAT16 card image as it is at the moment it was read: its layout, its root's files
// and what is wrong with its structures. Reading never writes, and trusts nothing: every field is
// checked and every chain followed within the card's clusters.
struct FatImage {
    FatLayout layout;
    std::vector<ImageFile> files;
    // What check tells of the structures: FAT copies that differ, the boot sector, a FAT copy or
    // the root directory on unreadable sectors. Whole sentences.
    std::vector<std::string> notes;
    std::uint64_t freeBytes = 0;

    // Throws ImageDamage when the boot sector (after a partition table, if the image has one)
    // does not describe a FAT12 or FAT16 volume that fits the image, and FileError when the
    // image cannot be read.
    static FatImage Read(InputFile& image, const DdrescueMap& map);
};

// Reads exactly size bytes of the image at offset; throws ImageDamage naming part when the image
// ends first, and FileError when it cannot be read.
std::string ReadImageBytes(InputFile& image, std::uint64_t offset, std::uint64_t size,
                           const std::string& part);

}  // namespace quodlin
