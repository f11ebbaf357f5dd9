#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/sample_formats.h"
#include "platform/sample_shaping.h"

namespace quodlin {

// What a conversion met on its way.
struct ConversionNotes {
    bool madeSilent = false;  // samples that were not numbers (NaN, infinite) became silence
    // The source's frames as its header promised them, and as many as could be read: fewer
    // means the source ended early, and what was written must not pass for the whole sample.
    std::uint64_t framesPromised = 0;
    std::uint64_t framesRead = 0;
};

// Converts a sound file into a 32000 Hz PCM WAV, 16-bit and mono or stereo as the source unless
// the shaping asks otherwise.
class SampleConverter {
public:
    virtual ~SampleConverter() = default;
    // Writes the whole converted file into out; throws FileError when the source cannot be read
    // as sound, out cannot be written, or the shaping would leave nothing (a trimmed silence).
    virtual ConversionNotes convert(const std::string& sourcePath, const SampleShaping& shaping,
                                    OutputFile& out) = 0;
};

}  // namespace quodlin
