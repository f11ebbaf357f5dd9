#pragma once

#include "platform/sample_overviews.h"

namespace quodlin {

// Reads waveforms with libsndfile, block by block, so that a long sample takes little memory.
class SndfileSampleOverviews : public SampleOverviews {
public:
    SampleOverview read(const std::string& path, int columns, const StillWanted& wanted) override;
};

}  // namespace quodlin
