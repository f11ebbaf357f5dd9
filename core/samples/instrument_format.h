#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/sample_formats.h"

namespace quodlin {

// What the instrument plays right: PCM WAV at one rate, 8 or 16 bits, mono or stereo.
inline constexpr int kInstrumentRate = 32000;
inline constexpr int kInstrumentBits[] = {8, 16};
inline constexpr int kInstrumentChannels[] = {1, 2};
// A conversion writes the larger word length unless asked for the smaller.
inline constexpr int kConvertedBits = 16;

inline bool IsInstrumentBits(int bits) {
    return bits == kInstrumentBits[0] || bits == kInstrumentBits[1];
}
inline bool IsInstrumentChannels(int channels) {
    return channels == kInstrumentChannels[0] || channels == kInstrumentChannels[1];
}

// "32 kHz, 8 or 16 bit", as the questions name the format.
inline std::string InstrumentFormatText() {
    return std::to_string(kInstrumentRate / 1000) + " kHz, " + std::to_string(kInstrumentBits[0]) +
           " or " + std::to_string(kInstrumentBits[1]) + " bit";
}

// "32000 Hz 16-bit": what a conversion makes of a sample.
inline std::string ConvertedFormatText() {
    return std::to_string(kInstrumentRate) + " Hz " + std::to_string(kConvertedBits) + "-bit";
}

// What a source to convert may be: beyond these rates and channels a header is taken to be
// damaged, and a converted sample must fit on the largest card (64 MB).
inline constexpr int kLowestSourceRate = 1000;
inline constexpr int kHighestSourceRate = 768000;
inline constexpr int kMostSourceChannels = 8;
inline constexpr std::uint64_t kLargestConvertedBytes = 64ull * 1024 * 1024;
// The largest card of the instrument's era was 128 MB: a larger FAT volume is a USB stick.
inline constexpr std::uint64_t kLargestLikelyCard = 128ull * 1024 * 1024;

// The instrument plays mono or stereo: more channels are mixed down to two.
inline int ConvertedChannels(int sourceChannels) {
    return sourceChannels > 2 ? 2 : sourceChannels;
}

// The frames of the converted sample: the source's length at the instrument's rate. A damaged
// header's count is held at 2^60, far past any card, so that sizes made from it cannot wrap.
inline std::uint64_t ConvertedFrames(const SampleFormat& format) {
    if (format.rate <= 0) return 0;
    constexpr double kMostFrames = 0x1p60;
    const double exact = static_cast<double>(format.frames) * kInstrumentRate / format.rate;
    return static_cast<std::uint64_t>(std::llround(std::min(exact, kMostFrames)));
}

}  // namespace quodlin
