#pragma once

#include <optional>
#include <string>

#include "core/card/card_side.h"
#include "platform/prompt.h"

namespace quodlin {

// The card name a number or a card name asks for: "12" or "12.wav" is "12.wav" among the samples,
// "7" is "07.wav"; nullopt for what is no name the instrument uses in the mode.
std::optional<std::string> CardNameAskedFor(const std::string& numberOrName, Mode mode);

// Gives one card file another free number, keeping its friendly name: the file is renamed and
// names.txt saved under the card's lock, through the save every change takes, and the card
// reloaded. Moving onto a taken number or outside the instrument's range is refused with a
// message and changes nothing. True when the move was made.
bool MoveOnCard(CardSide& card, Prompt& prompt, const CardEntry& entry,
                const std::string& numberOrName);

}  // namespace quodlin
