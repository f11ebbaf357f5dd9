#pragma once

#include <string_view>

namespace quodlin {

// The order of the file lists: runs of digits compare as numbers, other characters without
// regard to case, ties by plain character order (00.wav, 01.wav, ..., 99.wav, 100.wav).
bool NaturalLess(std::string_view a, std::string_view b);

// ASCII letters compared without regard to case, as a FAT card compares names.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace quodlin
