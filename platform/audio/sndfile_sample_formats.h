#pragma once

#include "platform/sample_formats.h"

namespace quodlin {

// Reads sample formats with libsndfile; safe to use from several threads at once.
class SndfileSampleFormats : public SampleFormats {
public:
    // Reads every file named by its path through files, or the computer's own file system when
    // it is null.
    explicit SndfileSampleFormats(FileSystem* files = nullptr) : files_(files) {}

    SampleFormat read(const std::string& path) override;
    SampleFormat read(FileSystem& fs, const std::string& path) override;

private:
    FileSystem* files_;
};

}  // namespace quodlin
