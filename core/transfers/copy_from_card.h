#pragma once

#include <string>
#include <vector>

#include "core/card/card_side.h"
#include "core/transfers/run_observer.h"
#include "platform/prompt.h"

namespace quodlin {

// Copies the selected card files into destDir under their friendly names. An existing file is
// replaced only after Yes, and then through a temporary file moved over it, so a failed copy
// never destroys it; a name written earlier in the same run is never replaced, the copy takes
// "Name (2).ext" instead. A failure is reported and the run goes on. True when every file was
// copied.
bool CopyFromCard(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected,
                  const std::string& destDir, RunObserver& observer);

}  // namespace quodlin
