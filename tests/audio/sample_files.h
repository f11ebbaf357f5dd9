#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

namespace quodlin::test {

// A sound file as libsndfile reads it back.
struct ReadBack {
    SF_INFO info{};
    std::vector<float> values;  // interleaved, full scale 1.0
};
ReadBack ReadSound(const std::string& path);

// A 440 Hz tone of the given amplitude (above 1.0 only in float files).
void WriteTone(const std::string& path, int format, int rate, int channels, double seconds,
               double amplitude);

}  // namespace quodlin::test
