#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quodlin {

// A whole sample in memory: interleaved frames of floats in -1..1.
struct Sample {
    std::vector<float> samples;
    int rate = 0;
    int channels = 0;

    std::size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
};

struct DecodeResult {
    Sample sample;
    std::string error;  // empty when the sample was decoded

    bool ok() const { return error.empty(); }
};

// Reads the whole sound file at path, through files or the computer's own file system when it is
// null, and closes it before returning.
DecodeResult DecodeSample(FileSystem* files, const std::string& path);

}  // namespace quodlin
