#pragma once

#include <vector>

#include "core/card/card_side.h"
#include "platform/prompt.h"

namespace quodlin {

// Deletes the selected card files after one confirmation, removes their entries and saves the
// catalogue. A file that could not be deleted keeps its entry and friendly name. True when
// everything asked for was done (also when the user answered No).
bool DeleteOnCard(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected);

}  // namespace quodlin
