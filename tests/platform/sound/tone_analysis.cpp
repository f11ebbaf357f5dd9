#include "tests/platform/sound/tone_analysis.h"

#include <cmath>

namespace quodlin::test {

namespace {

constexpr double kWindowSeconds = 0.05;
constexpr double kToneRms = 0.1;
constexpr double kFrequencyTolerance = 0.03;

}  // namespace

double Rms(const std::vector<float>& samples) {
    if (samples.empty()) return 0;
    double sum = 0;
    for (float value : samples) sum += double(value) * value;
    return std::sqrt(sum / samples.size());
}

double ZeroCrossingFrequency(const std::vector<float>& samples, int rate) {
    double first = -1;
    double last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            const double at = (i - 1) + samples[i - 1] / (samples[i - 1] - samples[i]);
            if (first < 0) first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * rate / (last - first);
}

std::vector<float> Channel(const std::vector<float>& interleaved, int channels, int first) {
    std::vector<float> out;
    for (std::size_t i = first; i < interleaved.size(); i += channels)
        out.push_back(interleaved[i]);
    return out;
}

std::size_t WindowSize(int rate) {
    return static_cast<std::size_t>(kWindowSeconds * rate);
}

std::vector<Window> Windows(const std::vector<float>& samples, std::size_t from, int rate) {
    const std::size_t size = WindowSize(rate);
    std::vector<Window> windows;
    for (std::size_t at = from; at + size <= samples.size(); at += size) {
        const std::vector<float> part(samples.begin() + at, samples.begin() + at + size);
        windows.push_back({Rms(part), ZeroCrossingFrequency(part, rate)});
    }
    return windows;
}

bool IsTone(const Window& window, double frequency) {
    return window.rms > kToneRms &&
           std::abs(window.frequency - frequency) < kFrequencyTolerance * frequency;
}

}  // namespace quodlin::test
