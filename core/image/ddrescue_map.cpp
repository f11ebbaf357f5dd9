#include "core/image/ddrescue_map.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/image/fat_layout.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

// The words of a line up to a comment.
std::vector<std::string> WordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : line.substr(0, line.find('#')) + ' ') {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// A position or size as ddrescue writes them: "0x" and hexadecimal, or decimal.
std::uint64_t NumberOf(const std::string& word, std::size_t lineNumber) {
    const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const std::string digits = hex ? word.substr(2) : word;
    std::uint64_t value = 0;
    const std::uint64_t base = hex ? 16 : 10;
    for (const char c : digits) {
        const char lower = FoldAscii(c);
        const int digit = lower >= '0' && lower <= '9'          ? lower - '0'
                          : hex && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                                : -1;
        if (digit < 0 || value > (std::numeric_limits<std::uint64_t>::max() - 15) / base) {
            throw ImageDamage("line " + std::to_string(lineNumber) + " of the map has " + word +
                              " where a number belongs");
        }
        value = value * base + static_cast<std::uint64_t>(digit);
    }
    return value;
}

}  // namespace

DdrescueMap DdrescueMap::Parse(std::string_view text) {
    std::vector<ByteRange> finished;
    bool statusSeen = false;
    std::size_t lineNumber = 0;
    for (const std::string& line : SplitLines(text)) {
        ++lineNumber;
        const std::vector<std::string> words = WordsOf(line);
        if (words.empty()) continue;
        // The first line tells where ddrescue stood, not a block.
        if (!statusSeen) {
            statusSeen = true;
            continue;
        }
        if (words.size() != 3 || words[2].size() != 1 ||
            std::string_view("?*/-+").find(words[2][0]) == std::string_view::npos) {
            throw ImageDamage("line " + std::to_string(lineNumber) +
                              " of the map is not \"position size status\"");
        }
        const ByteRange block{NumberOf(words[0], lineNumber), NumberOf(words[1], lineNumber)};
        if (block.end() < block.start) {
            throw ImageDamage("line " + std::to_string(lineNumber) + " of the map ends past 2^64");
        }
        if (words[2] == "+" && block.size > 0) finished.push_back(block);
    }
    if (!statusSeen) throw ImageDamage("the map holds no line");
    std::sort(finished.begin(), finished.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.start < b.start; });
    DdrescueMap map;
    std::uint64_t covered = 0;
    for (const ByteRange& block : finished) {
        if (block.start > covered) map.unreadable_.push_back({covered, block.start - covered});
        covered = std::max(covered, block.end());
    }
    map.unreadable_.push_back({covered, std::numeric_limits<std::uint64_t>::max() - covered});
    return map;
}

const ByteRange* DdrescueMap::firstBadIn(ByteRange range) const {
    const auto after = std::upper_bound(
        unreadable_.begin(), unreadable_.end(), range.start,
        [](std::uint64_t start, const ByteRange& bad) { return start < bad.start; });
    // The range before the first one starting after range.start may still reach into it.
    if (after != unreadable_.begin() && std::prev(after)->end() > range.start) {
        return &*std::prev(after);
    }
    return after != unreadable_.end() && after->start < range.end() ? &*after : nullptr;
}

}  // namespace quodlin
