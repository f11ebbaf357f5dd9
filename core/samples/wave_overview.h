#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

// Builds an overview from a sample's frames as they are read, block by block, so that the
// sample is never held whole. Frame i of n falls in column i * columns / n; frames beyond the
// count the header gave fall in the last column. A sample shorter than the columns asked for
// gets one column per frame.
class WaveOverviewBuilder {
public:
    WaveOverviewBuilder(int channels, std::uint64_t frames, int columns);

    // Takes interleaved frames that follow those added before.
    void add(const float* values, std::size_t frames);
    const WaveOverview& overview() const { return overview_; }

private:
    WaveOverview overview_;
    std::uint64_t expected_;
    std::uint64_t added_ = 0;
    std::vector<bool> seen_;  // a column's first frame sets its peak
};

}  // namespace quodlin
