#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/card/card_side.h"

namespace quodlin {

// The card as the window and the command line both drive it: the card side, with one way to
// take a card into use, to read it again and to find its rows, and one text for each failure.
// The actions that change the card take its lock themselves.
class CardSession : public CardSide {
public:
    using CardSide::CardSide;

    // Makes root the card in use, read now, or only pinned for a run that reads it under its
    // lock. Empty when done; otherwise what to tell: the card could not be read, or there is
    // no card at root. The card in use before stays in use after a failure.
    std::string use(const std::string& root, bool read = true);
    // Reads the card again. Empty when done; otherwise what to tell, and the list is empty.
    std::string reread();

    // The entry of the list's row; none for a row the table does not have.
    std::optional<CardEntry> entryAt(int row) const;
    // The card file of the list's row, with its path; empty for a row the table does not have.
    std::string pathAt(int row) const;

    struct Found {
        std::vector<CardEntry> entries;
        // The name each entry was found by, as it was given.
        std::vector<std::string> givenNames;
        // One sentence for each card file named that the card does not hold.
        std::vector<std::string> missing;
    };
    // The entries of the card files named, each found by its name as typed, or else in any case.
    Found find(const std::vector<std::string>& cardFiles) const;
};

}  // namespace quodlin
