#pragma once

#include "platform/sample_converter.h"

namespace quodlin {

// Converts with libsndfile (any container it reads) and libsoxr at its high quality; TPDF
// dither when the source has longer words than 16 bits.
class SoxrSampleConverter : public SampleConverter {
public:
    void convert(const std::string& sourcePath, OutputFile& out) override;
};

}  // namespace quodlin
