#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text/utf8.h"

namespace quodlin {

// The order of the file lists: runs of digits compare as numbers, other characters without
// regard to ASCII case (FoldAscii), ties by plain character order (00.wav, 01.wav, ..., 99.wav,
// 100.wav).
bool NaturalLess(std::string_view a, std::string_view b);

// Puts names into that order.
void SortNaturally(std::vector<std::string>& names);

}  // namespace quodlin
