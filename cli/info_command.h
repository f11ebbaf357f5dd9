#pragma once

#include <ostream>

#include "core/card/card_side.h"
#include "platform/sample_formats.h"

namespace quodlin {

// Prints what `info` tells of an opened card: its use and space, then each card file of the
// mode with its format and whether the instrument plays it right; as one JSON object when json
// is set. Returns the exit status.
int PrintCardInfo(CardSide& card, SampleFormats& formats, bool json, std::ostream& out,
                  std::ostream& err);

}  // namespace quodlin
