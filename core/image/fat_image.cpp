#include "core/image/fat_image.h"

#include <algorithm>
#include <optional>

#include "core/text/wording.h"

namespace quodlin {
namespace {

// One copy of the file allocation table.
class FatTable {
public:
    FatTable(std::string bytes, int bits) : bytes_(std::move(bytes)), bits_(bits) {}

    // An entry past the bytes read counts as free, which ends a chain as damaged.
    std::uint32_t next(std::uint32_t cluster) const {
        const std::size_t at = bits_ == 16 ? std::size_t{cluster} * 2 : cluster + cluster / 2;
        if (at + 2 > bytes_.size()) return 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(bytes_.data()) + at;
        const std::uint32_t pair = bytes[0] | std::uint32_t{bytes[1]} << 8;
        if (bits_ == 16) return pair;
        return cluster % 2 == 0 ? pair & 0xFFF : pair >> 4;
    }
    bool isEnd(std::uint32_t value) const { return value >= (bits_ == 16 ? 0xFFF8u : 0xFF8u); }

private:
    std::string bytes_;
    int bits_;
};

struct Chain {
    std::vector<std::uint32_t> clusters;
    std::string damage;
    bool endsAtSize = false;  // the chain's end mark comes right after the file's last cluster
};

std::string BytesAfter(std::uint64_t held, std::uint64_t size) {
    return "after " + Grouped(held) + " of " + Grouped(size) + " bytes";
}

// Which chain last passed each cluster, so that a loop is seen without clearing a table for
// every chain.
struct ChainMarks {
    std::vector<std::uint32_t> by;
    std::uint32_t chain = 0;
};

Chain FollowChain(const FatTable& fat, const FatLayout& layout, const FatEntry& entry,
                  ChainMarks& marks) {
    Chain chain;
    const std::uint64_t size = entry.size;
    if (size == 0) {
        chain.endsAtSize = true;
        return chain;
    }
    const std::uint64_t needed = (size + layout.clusterBytes - 1) / layout.clusterBytes;
    const std::uint32_t mark = ++marks.chain;
    std::uint32_t cluster = entry.firstCluster;
    while (chain.clusters.size() < needed) {
        const std::uint64_t held = std::min<std::uint64_t>(
            chain.clusters.size() * std::uint64_t{layout.clusterBytes}, size);
        if (!layout.holdsCluster(cluster)) {
            chain.damage =
                fat.isEnd(cluster) ? "its cluster chain ends " + BytesAfter(held, size)
                : cluster == 0
                    ? "its cluster chain reaches a free cluster " + BytesAfter(held, size)
                    : "its cluster chain points to cluster " + std::to_string(cluster) +
                          ", beyond the end of the card, " + BytesAfter(held, size);
            return chain;
        }
        if (marks.by[cluster] == mark) {
            chain.damage = "its cluster chain runs in a loop " + BytesAfter(held, size);
            return chain;
        }
        marks.by[cluster] = mark;
        chain.clusters.push_back(cluster);
        cluster = fat.next(cluster);
    }
    chain.endsAtSize = fat.isEnd(cluster);
    return chain;
}

std::vector<ByteRange> ExtentsOf(const Chain& chain, const FatLayout& layout, std::uint64_t size) {
    std::vector<ByteRange> extents;
    std::uint64_t left = size;
    for (const std::uint32_t cluster : chain.clusters) {
        const std::uint64_t bytes = std::min<std::uint64_t>(left, layout.clusterBytes);
        const std::uint64_t offset = layout.clusterOffset(cluster);
        if (!extents.empty() && extents.back().end() == offset) {
            extents.back().size += bytes;
        } else {
            extents.push_back({offset, bytes});
        }
        left -= bytes;
    }
    return extents;
}

bool TouchesBad(const DdrescueMap& map, const std::vector<ByteRange>& ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [&](const ByteRange& range) { return map.firstBadIn(range) != nullptr; });
}

std::string CopyName(std::size_t copy) {
    static const char* const kNames[] = {"first", "second", "third", "fourth"};
    return kNames[copy];
}

// The FAT copies in the order they are trusted: those clear of unreadable sectors first.
std::vector<std::size_t> CopiesByTrust(const FatLayout& layout, const DdrescueMap& map,
                                       std::vector<std::string>& notes) {
    std::vector<std::size_t> clear;
    std::vector<std::size_t> touched;
    for (std::size_t copy = 0; copy < layout.fatCount; ++copy) {
        const ByteRange range{layout.fatOffset + copy * std::uint64_t{layout.fatBytes},
                              layout.fatBytes};
        if (map.firstBadIn(range)) {
            touched.push_back(copy);
            notes.push_back("The " + CopyName(copy) +
                            " copy of the FAT lies partly on unreadable sectors.");
        } else {
            clear.push_back(copy);
        }
    }
    clear.insert(clear.end(), touched.begin(), touched.end());
    return clear;
}

// The chain of entry in the most trusted copy that holds the file whole; else the most trusted
// copy's, with its damage.
Chain ChooseChain(const std::vector<FatTable>& tables, const std::vector<std::size_t>& order,
                  const FatLayout& layout, const FatEntry& entry, ChainMarks& marks,
                  std::vector<std::string>& notes) {
    std::optional<Chain> first;
    for (const std::size_t copy : order) {
        Chain chain = FollowChain(tables[copy], layout, entry, marks);
        if (chain.damage.empty() && chain.endsAtSize) {
            if (first && first->clusters != chain.clusters) {
                notes.push_back("The copies of the FAT differ for " + Quoted(entry.name) +
                                ": the " + CopyName(copy) +
                                " copy was followed, whose chain fits the file's size.");
            }
            return chain;
        }
        if (!first) first = std::move(chain);
    }
    return *first;
}

// The layout of the volume at the image's start or, in the image of a whole card, in its first
// FAT partition, with every offset counted from the image's start.
FatLayout ReadLayout(InputFile& image, std::uint64_t imageBytes) {
    const std::string first = ReadImageBytes(image, 0, kBootSectorBytes, "boot sector");
    try {
        return ReadFatLayout(first, imageBytes);
    } catch (const ImageDamage&) {
        const std::uint64_t offset = VolumeOffset(first);
        if (offset == 0 || offset >= imageBytes) throw;
        FatLayout layout = ReadFatLayout(
            ReadImageBytes(image, offset, kBootSectorBytes, "boot sector"), imageBytes - offset);
        layout.volumeOffset = offset;
        layout.fatOffset += offset;
        layout.rootOffset += offset;
        layout.dataOffset += offset;
        return layout;
    }
}

}  // namespace

std::string ReadImageBytes(InputFile& image, std::uint64_t offset, std::uint64_t size,
                           const std::string& part) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t read = image.readAt(offset + got, bytes.data() + got, bytes.size() - got);
        if (read == 0) break;
        got += read;
    }
    if (got < bytes.size()) {
        throw ImageDamage("it ends at byte " + Grouped(offset + got) + ", inside its " + part);
    }
    return bytes;
}

FatImage FatImage::Read(InputFile& image, const DdrescueMap& map) {
    FatImage fat;
    const std::uint64_t imageBytes = image.stamp().size;
    if (imageBytes < kBootSectorBytes) throw ImageDamage("it is too short to hold a boot sector");
    fat.layout = ReadLayout(image, imageBytes);
    FatLayout& layout = fat.layout;
    if (map.firstBadIn({layout.volumeOffset, kBootSectorBytes})) {
        fat.notes.push_back("The boot sector lies on unreadable sectors.");
    }
    std::vector<FatTable> tables;
    for (unsigned copy = 0; copy < layout.fatCount; ++copy) {
        tables.emplace_back(
            ReadImageBytes(image, layout.fatOffset + copy * std::uint64_t{layout.fatBytes},
                           std::min(layout.usedFatBytes(), layout.fatBytes), "FAT"),
            layout.fatBits);
    }
    const std::vector<std::size_t> order = CopiesByTrust(layout, map, fat.notes);
    if (map.firstBadIn({layout.rootOffset, layout.rootBytes()})) {
        fat.notes.push_back(
            "The root directory lies partly on unreadable sectors: files may be missing from it.");
    }
    ChainMarks marks{std::vector<std::uint32_t>(std::size_t{layout.clusterCount} + 2), 0};
    for (FatEntry& entry : ReadFatDirectory(
             ReadImageBytes(image, layout.rootOffset, layout.rootBytes(), "root directory"))) {
        ImageFile file{std::move(entry), {}, {}, false};
        if (!file.entry.isDirectory) {
            const Chain chain = ChooseChain(tables, order, layout, file.entry, marks, fat.notes);
            file.extents = ExtentsOf(chain, layout, file.entry.size);
            file.damage = chain.damage;
            // Bytes past the image's end, as a rescue cut short leaves them, are unreadable too.
            file.onBadSectors = TouchesBad(map, file.extents) ||
                                (!file.extents.empty() && file.extents.back().end() > imageBytes);
        }
        fat.files.push_back(std::move(file));
    }
    std::uint64_t freeClusters = 0;
    for (std::uint32_t cluster = 2; layout.holdsCluster(cluster); ++cluster) {
        if (tables[order.front()].next(cluster) == 0) ++freeClusters;
    }
    fat.freeBytes = freeClusters * layout.clusterBytes;
    return fat;
}

}  // namespace quodlin
