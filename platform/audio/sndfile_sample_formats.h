#pragma once

#include "platform/sample_formats.h"

namespace quodlin {

// Reads sample formats with libsndfile; safe to use from several threads at once.
class SndfileSampleFormats : public SampleFormats {
public:
    SampleFormat read(const std::string& path) override;
    SampleFormat read(FileSystem& fs, const std::string& path) override;
};

}  // namespace quodlin
