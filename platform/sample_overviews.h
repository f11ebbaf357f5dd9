#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/sample_formats.h"

namespace quodlin {

// The lowest and highest value of a stretch of one channel, full scale 1.0.
struct Peak {
    float low = 0.0f;
    float high = 0.0f;

    bool operator==(const Peak&) const = default;
};

// A sample drawn small: its frames cut into equal columns, each with its peak per channel.
struct WaveOverview {
    int channels = 0;
    int columns = 0;
    std::vector<Peak> peaks;  // channel by channel, column by column

    const Peak& at(int channel, int column) const {
        return peaks[static_cast<std::size_t>(channel) * static_cast<std::size_t>(columns) +
                     static_cast<std::size_t>(column)];
    }
};

// A sample as the window's pane shows it: its format and its waveform, or why it has none.
struct SampleOverview {
    SampleFormat format;
    WaveOverview wave;
    std::string problem;  // empty when the waveform was read whole
};

// Asked between blocks of a long read; false ends it early.
using StillWanted = std::function<bool()>;

// Reads a sample's waveform in the given number of columns. Safe to use from a worker thread.
class SampleOverviews {
public:
    virtual ~SampleOverviews() = default;
    // When wanted turns false, the read ends with what it has and the problem kNoLongerWanted.
    virtual SampleOverview read(const std::string& path, int columns,
                                const StillWanted& wanted) = 0;
};

inline constexpr const char* kNoLongerWanted = "No longer wanted.";

}  // namespace quodlin
