#pragma once

#include <string>
#include <vector>

namespace quodlin {

struct CardEntry {
    std::string fileName;  // the card file name, without directory
    std::string name;      // its friendly name, "" when it has none
};

// The card files of the current mode with their friendly names. Entry i is line i of the card
// list. It holds every matching card file, also past the instrument's 101, so that a save never
// drops a friendly name.
class NameTable {
public:
    int smLastIndex() const { return static_cast<int>(entries_.size()) - 1; }
    const std::string& smFileName(int i) const { return at(i).fileName; }
    const std::string& smName(int i) const { return at(i).name; }
    const std::vector<CardEntry>& entries() const { return entries_; }

    // Both take the name through CatalogueName.
    void setSmName(int i, const std::string& name);
    void append(const std::string& fileName, const std::string& name);
    // Deleted entries are marked first and removed together, so row numbers stay valid meanwhile.
    void markDeleted(int i);
    void removeMarked();
    // Sorts the entries by file name in ascending ordinal order; each friendly name stays with
    // its file.
    void sort();
    void clear() { entries_.clear(); }

private:
    const CardEntry& at(int i) const;
    CardEntry& at(int i);

    std::vector<CardEntry> entries_;
};

// The name as it may stand in the catalogue: UTF-8 text, a name from the computer that is not
// UTF-8 read as Windows-1252, with no character that would end its line.
std::string CatalogueName(const std::string& name);

}  // namespace quodlin
