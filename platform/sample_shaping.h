#pragma once

#include <optional>

namespace quodlin {

// The levels Normalize and Trim silence use when none is given.
inline constexpr double kNormalizeDb = -1.0;
inline constexpr double kTrimDb = -60.0;

// What the user asked to be done to a sample on its way to the card, beyond the instrument's rate.
struct SampleShaping {
    bool mono = false;                  // the channels' average, as one
    bool eightBit = false;              // 8-bit PCM with TPDF dither instead of 16-bit
    std::optional<double> normalizeDb;  // the written peak, in dBFS
    std::optional<double> trimDb;       // leading and trailing frames below this, in dBFS, go

    bool any() const { return mono || eightBit || normalizeDb || trimDb; }
};

}  // namespace quodlin
