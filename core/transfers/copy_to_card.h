#pragma once

#include <string>
#include <vector>

#include "core/card/card_side.h"
#include "core/samples/sample_conversion.h"
#include "core/transfers/run_observer.h"
#include "platform/prompt.h"

namespace quodlin {

// How many of the instrument's names the card root's entries leave free.
int FreeCardNames(const std::vector<DirEntry>& rootEntries, Mode mode);

// The friendly name a computer file gets on the card: its name up to the first dot.
std::string FriendlyNameOf(const std::string& sourceFileName);

// Copies the files (full paths, in this order) to the card root under the first free numbered
// names, records their friendly names, then saves the catalogue and reloads the card list, also
// after a failure, so that the files copied before it keep their names. True when every file
// was copied. Samples the instrument would play wrongly are converted as conversion says.
bool CopyToCard(CardSide& card, Prompt& prompt, const std::vector<std::string>& sourcePaths,
                RunObserver& observer, const SampleConversion& conversion = {});

}  // namespace quodlin
