#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

namespace quodlin::test {

inline constexpr double kToneAmplitude = 0.5;

// A stretch of sine tone; an amplitude above 1.0 only in float files.
struct Tone {
    double frequency;
    double seconds;
    double amplitude = kToneAmplitude;
};

// Writes the tones one after another with libsndfile; format is an SF_FORMAT_* combination.
// Every channel carries the same tone.
void WriteTones(const std::string& path, int format, int rate, int channels,
                const std::vector<Tone>& tones);
// Writes interleaved values (full scale 1.0) as they are.
void WriteSound(const std::string& path, int format, int rate, int channels,
                const std::vector<float>& samples);

// A sound file as libsndfile reads it back: interleaved values, full scale 1.0.
struct ReadBack {
    SF_INFO info{};
    std::vector<float> values;
};
ReadBack ReadSound(const std::string& path);

}  // namespace quodlin::test
