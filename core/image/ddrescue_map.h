#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quodlin {

// A stretch of bytes: [start, start + size).
struct ByteRange {
    std::uint64_t start = 0;
    std::uint64_t size = 0;
    std::uint64_t end() const { return start + size; }
    bool operator==(const ByteRange&) const = default;
};

// What GNU ddrescue's mapfile says of an image: the byte ranges it did not read whole. Every
// block not marked finished ("+") is unreadable, and so is whatever the map does not cover.
class DdrescueMap {
public:
    DdrescueMap() = default;
    // Throws ImageDamage naming the line that does not read as the format has it.
    static DdrescueMap Parse(std::string_view text);

    const std::vector<ByteRange>& unreadable() const { return unreadable_; }
    // The first unreadable range that overlaps range, or nullptr when none does.
    const ByteRange* firstBadIn(ByteRange range) const;
    bool empty() const { return unreadable_.empty(); }

private:
    std::vector<ByteRange> unreadable_;  // sorted, apart from each other
};

}  // namespace quodlin
