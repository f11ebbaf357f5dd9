#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/card_side.h"
#include "platform/player.h"
#include "platform/prompt.h"

namespace quodlin {

// Writes the table to names.txt; the user is told of names that had to change to fit it.
// Throws FileError.
void SortAndSaveNamesTelling(CardSide& card, Prompt& prompt);

// Writes the table to names.txt and reloads the card list, telling the user of any failure.
// True when both succeeded.
bool SaveNamesAndReload(CardSide& card, Prompt& prompt);

// Reloads the card and finds the rows of the entries the user selected in the list shown
// before. An entry that is no longer on the card as it was listed (the card was changed or
// swapped meanwhile) is reported and left out, so that no action hits a file the user did not
// choose. Empty with *ok false when the card could not be read.
std::vector<int> ReloadAndFindRows(CardSide& card, Prompt& prompt,
                                   const std::vector<CardEntry>& selected, bool* ok);

// Asked once per selected entry, as it is on the card now; returns the friendly name to keep.
using AskName = std::function<std::string(const CardEntry& entry)>;

// Gives the selected card entries new friendly names, then saves the catalogue once and reloads.
bool NameOnCard(CardSide& card, Player& player, Prompt& prompt,
                const std::vector<CardEntry>& selected, const AskName& askName);

}  // namespace quodlin
