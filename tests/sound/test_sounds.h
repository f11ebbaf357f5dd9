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

// A 16-bit mono WAV written byte by byte, with a chunk of odd size (and its pad byte) before the
// data chunk.
void WriteOddChunkWav(const std::string& path, int rate, const Tone& tone);

// The test files of every kind the player must take.
struct SoundFile {
    std::string name;
    int format;  // SF_FORMAT_*, or 0 for the odd-chunk file
    int rate;
    int channels;
};
std::vector<SoundFile> EveryKindOfSoundFile();
void WriteSoundFile(const std::string& path, const SoundFile& kind, const Tone& tone);

// A sound file as libsndfile reads it back: interleaved values, full scale 1.0.
struct ReadBack {
    SF_INFO info{};
    std::vector<float> values;
};
ReadBack ReadSound(const std::string& path);

// How many of this process's open file descriptors refer to path.
int OpenHandlesTo(const std::string& path);

}  // namespace quodlin::test
