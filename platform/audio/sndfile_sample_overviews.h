#pragma once

#include "platform/sample_overviews.h"

namespace quodlin {

// Reads waveforms with libsndfile, block by block, so that a long sample takes little memory.
class SndfileSampleOverviews : public SampleOverviews {
public:
    // Reads through files, or the computer's own file system when it is null.
    explicit SndfileSampleOverviews(FileSystem* files = nullptr) : files_(files) {}

    SampleOverview read(const std::string& path, int columns, const StillWanted& wanted) override;

private:
    FileSystem* files_;
};

}  // namespace quodlin
