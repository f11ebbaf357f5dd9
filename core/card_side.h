#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/name_table.h"
#include "platform/file_system.h"

namespace quodlin {

// The card half of the window: the card root in use, the mode, the name table and the card list
// lines it was last loaded into.
class CardSide {
public:
    explicit CardSide(FileSystem& fs) : fs_(fs) {}

    FileSystem& fileSystem() { return fs_; }
    const std::string& cardRoot() const { return cardRoot_; }
    Mode mode() const { return mode_; }
    NameTable& table() { return table_; }
    const NameTable& table() const { return table_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // False when the last reload failed: the table then does not reflect the card, and nothing
    // may be saved from it.
    bool loaded() const { return loaded_; }

    // Makes root the card in use when it can be listed; when it cannot, throws FileError and
    // keeps the card that was in use, so that no later save goes to a card it was not read from.
    void open(const std::string& root);
    // No card any more: nothing is listed, and every card action is refused.
    void close();
    void setMode(Mode mode) { mode_ = mode; }
    // Throws FileError of kind CardRemoved when the card root is no longer the volume it was
    // when opened (pulled, unmounted, another card), so that nothing is written beside it.
    void ensureCardPresent();

    // Rebuilds the table and the list from the card. On failure the list is emptied and the
    // error passed on.
    void smFile_PathChange();
    // Sorts the table and rewrites the mode's section of names.txt. Returns the friendly names
    // that lost characters to the catalogue's 8-bit code page.
    std::vector<std::string> SortAndSaveNames();

private:
    void show(NameTable table);

    FileSystem& fs_;
    std::string cardRoot_;
    std::string volume_;
    Mode mode_ = Mode::Samples;
    NameTable table_;
    std::vector<std::string> lines_;
    bool loaded_ = false;
};

}  // namespace quodlin
