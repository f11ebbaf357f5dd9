#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/sample_formats.h"

namespace quodlin {

// How much of the card is used: its samples and banks, and its space when the volume tells.
struct CardUse {
    int samples = 0;
    int banks = 0;
    std::optional<std::uint64_t> freeBytes;
    std::optional<std::uint64_t> totalBytes;
};

class CardSide;

// Counts the card root's files of both modes as the card was last read, and asks for its space.
CardUse CardUseOf(CardSide& card);

// "12 samples · 3 banks · 5.2 MB free of 15.6 MB"; the space is left out when it is not known.
std::string CardUseText(const CardUse& use);

// The selected files' count, total size and, when any is a sound, total length and what the
// instrument holds of them: "3 selected · 290 kB · 4.56 s · 292 kB in the ES1". Empty when
// nothing is selected.
std::string SelectionText(const std::vector<SampleFormat>& selected);

}  // namespace quodlin
