#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text/wording.h"
#include "platform/sample_formats.h"

namespace quodlin {

// What keeps the instrument from playing a sample right, one short text each: "44100 Hz",
// "24-bit", "float", "not a sound file". Empty when the sample is ready: PCM WAV, 8 or 16 bits,
// 32000 Hz, mono or stereo.
std::vector<std::string> SampleProblems(const SampleFormat& format);

inline bool IsReadyForInstrument(const SampleFormat& format) {
    return SampleProblems(format).empty();
}

// What is wrong with a sample that is not ready and what that does: "44100 Hz, 24-bit: plays at
// the wrong speed."
std::string SampleProblemText(const SampleFormat& format);

// A sample's format in one line: "32000 Hz · 16-bit · mono · 1.52 s · 95 KB"; other containers
// than WAV are named first.
std::string SampleFormatText(const SampleFormat& format);

}  // namespace quodlin
