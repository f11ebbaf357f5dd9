#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/samples/instrument_format.h"
#include "platform/file_system.h"
#include "platform/sample_formats.h"
#include "platform/sample_shaping.h"

namespace quodlin {

// What a source to convert may be: beyond these rates and channels a header is taken to be
// damaged, and a converted sample must fit on the largest card (64 MB).
inline constexpr int kLowestSourceRate = 1000;
inline constexpr int kHighestSourceRate = 768000;
inline constexpr int kMostSourceChannels = 8;
inline constexpr std::uint64_t kLargestConvertedBytes = 64ull * 1024 * 1024;

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
