#include "platform/audio/wave_overview.h"

#include <algorithm>

namespace quodlin {

WaveOverviewBuilder::WaveOverviewBuilder(int channels, std::uint64_t frames, int columns)
    : expected_(std::max<std::uint64_t>(frames, 1)) {
    overview_.channels = std::max(channels, 0);
    overview_.columns = static_cast<int>(std::min<std::uint64_t>(std::max(columns, 1), expected_));
    const auto cells =
        static_cast<std::size_t>(overview_.channels) * static_cast<std::size_t>(overview_.columns);
    overview_.peaks.assign(cells, Peak{});
    seen_.assign(cells, false);
}

void WaveOverviewBuilder::add(const float* values, std::size_t frames) {
    const auto columns = static_cast<std::uint64_t>(overview_.columns);
    const auto channels = static_cast<std::size_t>(overview_.channels);
    for (std::size_t frame = 0; frame < frames; ++frame, ++added_) {
        const auto column =
            static_cast<std::size_t>(std::min(added_ * columns / expected_, columns - 1));
        for (std::size_t channel = 0; channel < channels; ++channel) {
            const float value = values[frame * channels + channel];
            const std::size_t cell = channel * static_cast<std::size_t>(columns) + column;
            Peak& peak = overview_.peaks[cell];
            if (!seen_[cell]) {
                peak = {value, value};
                seen_[cell] = true;
            } else {
                peak.low = std::min(peak.low, value);
                peak.high = std::max(peak.high, value);
            }
        }
    }
}

}  // namespace quodlin
