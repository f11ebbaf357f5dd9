#pragma once

#include <string>

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

}  // namespace quodlin
