#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/card/card_side.h"
#include "core/card/card_temporary.h"
#include "platform/prompt.h"

namespace quodlin {

// A run that changes the card. It holds the card's lock for its whole length, so that no other
// Quodlin changes the card meanwhile; reads the card once under it, for the run to plan from;
// and first tidies what ended runs left: their interrupted renames are finished and their
// unfinished copies removed. Readers take no lock and tidy nothing.
class CardWriteRun {
public:
    // Throws FileError: CardInUse when another run keeps the lock, CardRemoved, or the card's
    // own when it cannot be read.
    explicit CardWriteRun(CardSide& card);

    // The run, or nullptr when there is no card or it cannot be had; the user was told why.
    static std::unique_ptr<CardWriteRun> Start(CardSide& card, Prompt& prompt);

private:
    std::unique_ptr<CardLock> lock_;
    TemporaryOwner owner_;
};

// False, after telling the user to choose the card first, when no card is in use.
bool CardChosen(const CardSide& card, Prompt& prompt);

// What ended runs left on the card just opened is tidied as a write run would, when the card's
// lock can be had; otherwise the next write run does it.
void TidyEndedRuns(CardSide& card);

// The unfinished copies of ended runs on the card as last read, and the bytes they take.
struct Leftovers {
    std::vector<std::string> names;
    std::uint64_t bytes = 0;
};
Leftovers EndedRunsLeftovers(CardSide& card);

// "Remove 2 leftover files (11.5 MB)"
std::string RemoveLeftoversText(const Leftovers& leftovers);

// Removes the ended runs' leftovers under the card's lock and says what went: "Removed 2
// leftover files (11.5 MB)."; throws FileError when the card cannot be had.
std::string RemoveEndedRunsLeftovers(CardSide& card);

}  // namespace quodlin
