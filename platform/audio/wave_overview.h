#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sample_overviews.h"

namespace quodlin {

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
