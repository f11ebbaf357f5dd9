#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/catalogue_file.h"
#include "core/name_table.h"
#include "platform/file_system.h"

namespace quodlin {

// The card half of the window: the card root in use, the mode, and what the card held when it was
// last read: the root's entries, its catalogue, the name table and the card list lines (derived
// from the table).
class CardSide {
public:
    // holdRoot keeps a pinned card's root open for as long as it is pinned (the command line's
    // runs); the window, which keeps its card for a whole session, must not, or the desktop
    // could not eject the card.
    explicit CardSide(FileSystem& fs, bool holdRoot = false) : CardSide(fs, fs, holdRoot) {}
    // The card is read and written through card, the computer's folders through computer: a card
    // image is a file system of its own, inside one of the computer's files.
    CardSide(FileSystem& card, FileSystem& computer, bool holdRoot)
        : fs_(card), computer_(computer), holdRoot_(holdRoot) {}

    FileSystem& fileSystem() { return fs_; }
    FileSystem& computer() { return computer_; }
    const std::string& cardRoot() const { return cardRoot_; }
    Mode mode() const { return mode_; }
    NameTable& table() { return table_; }
    const NameTable& table() const { return table_; }
    std::vector<std::string> lines() const;
    // False when the last reload failed: the table then does not reflect the card, and nothing
    // may be saved from it.
    bool loaded() const { return loaded_; }

    // Makes root the card in use when it can be listed; when it cannot, throws FileError and
    // keeps the card that was in use, so that no later save goes to a card it was not read from.
    void open(const std::string& root);
    // Makes root the card in use without reading it, for a run that reads it under its lock.
    // Throws FileError when root cannot be reached.
    void pin(const std::string& root);
    // No card any more: nothing is listed, and every card action is refused.
    void close();
    void setMode(Mode mode) { mode_ = mode; }
    // Throws FileError of kind CardRemoved when the card root is no longer the volume it was
    // when opened (pulled, unmounted, another card), so that nothing is written beside it.
    void ensureCardPresent();

    // Rebuilds the table and the list from the card: one listing of the root, and one read of
    // the catalogue when the mode has files. On failure the list is emptied and the error
    // passed on.
    void smFile_PathChange();
    // The root's entries as last read.
    const std::vector<DirEntry>& rootEntries() const { return entries_; }
    const CatalogueFiles& catalogueFiles() const { return files_; }
    // The catalogue as last read, read now when the listing did not need it.
    const CatalogueText& catalogue();

private:
    void load();

    FileSystem& fs_;
    FileSystem& computer_;
    std::string cardRoot_;
    std::string volume_;
    bool holdRoot_;
    std::unique_ptr<HeldDirectory> held_;
    Mode mode_ = Mode::Samples;
    NameTable table_;
    std::vector<DirEntry> entries_;
    CatalogueFiles files_;
    std::optional<CatalogueText> catalogue_;
    bool loaded_ = false;
};

}  // namespace quodlin
