#pragma once

#include <string>

#include "platform/file_system.h"

namespace quodlin {

// The format the instrument plays right, which every conversion writes.
inline constexpr int kInstrumentRate = 32000;
inline constexpr int kConvertedBits = 16;

// Converts a sound file into a 32000 Hz, 16-bit PCM WAV with the source's channels.
class SampleConverter {
public:
    virtual ~SampleConverter() = default;
    // Writes the whole converted file into out; throws FileError when the source cannot be read
    // as sound or out cannot be written.
    virtual void convert(const std::string& sourcePath, OutputFile& out) = 0;
};

}  // namespace quodlin
