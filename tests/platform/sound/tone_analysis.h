#pragma once

#include <cstddef>
#include <vector>

namespace quodlin::test {

double Rms(const std::vector<float>& samples);

// The frequency of a tone from its rising zero crossings, placed between samples by linear
// interpolation; 0 when there are fewer than two.
double ZeroCrossingFrequency(const std::vector<float>& samples, int rate);

// Every channel-th value from first on: one channel of interleaved frames.
std::vector<float> Channel(const std::vector<float>& interleaved, int channels, int first);

// A recording cut into short windows, each with its loudness and frequency.
struct Window {
    double rms;
    double frequency;
};
std::size_t WindowSize(int rate);
std::vector<Window> Windows(const std::vector<float>& samples, std::size_t from, int rate);

// Whether a window is a clear tone of about the frequency given.
bool IsTone(const Window& window, double frequency);
inline constexpr double kSilenceRms = 0.01;

}  // namespace quodlin::test
