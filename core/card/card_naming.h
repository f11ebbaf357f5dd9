#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/card/card_side.h"
#include "platform/prompt.h"

namespace quodlin {

// Sorts the table and rewrites the mode's section of names.txt from the catalogue the run read
// under the card's lock, so that the save holds the run's own changes and nothing older; the user
// is told of names that had to change to fit it. Nothing is written when the catalogue would not
// change. Throws FileError.
void SortAndSaveNames(CardSide& card, Prompt& prompt);

// Reloads the card list after a change, telling the user when the card cannot be read.
bool ReloadTelling(CardSide& card, Prompt& prompt);

// SortAndSaveNames, then the reload that shows the result, telling the user of any failure.
// True when both succeeded.
bool SaveAndReload(CardSide& card, Prompt& prompt);

// The longest friendly name a save writes; longer ones that other hands wrote are still read.
inline constexpr std::size_t kLongestName = 255;

// The rows of the entries the user selected in the list shown before, -1 for one no longer on
// the card as it was listed (the card was changed or swapped meanwhile): it is reported, and
// *ok set false, so that no action hits a file the user did not choose.
std::vector<int> FindRows(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected,
                          bool* ok);

// FindRows after reloading the card. Empty with *ok false when the card could not be read.
std::vector<int> ReloadAndFindRows(CardSide& card, Prompt& prompt,
                                   const std::vector<CardEntry>& selected, bool* ok);

// Asked once per selected entry, as it was listed; returns the friendly name to keep.
using AskName = std::function<std::string(const CardEntry& entry)>;

// Gives the selected card entries new friendly names, then saves the catalogue once and reloads.
// The names are asked for first; the card is then read again under its lock and only these
// entries change, so that a change made meanwhile by another run stays.
bool NameOnCard(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected,
                const AskName& askName);

}  // namespace quodlin
