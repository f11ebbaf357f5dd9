#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/card_side.h"
#include "platform/player.h"
#include "platform/prompt.h"

namespace quodlin {

// Writes the table to names.txt and reloads the card list, telling the user of any failure.
// True when both succeeded.
bool SaveNamesAndReload(CardSide& card, Prompt& prompt);

// Asked once per selected row with the row's friendly name; returns the name to keep.
using AskName = std::function<std::string(const std::string& currentName)>;

// Gives the selected card rows new friendly names, then saves the catalogue once and reloads.
bool NameOnCard(CardSide& card, Player& player, Prompt& prompt, const std::vector<int>& rows,
                const AskName& askName);

}  // namespace quodlin
