#pragma once

#include "platform/sample_converter.h"

namespace quodlin {

// Converts with libsndfile (any container it reads) and libsoxr at its high quality; TPDF
// dither when the source has longer words than 16 bits. It streams: the source is read,
// resampled and written in blocks, so memory does not grow with its length.
class SoxrSampleConverter : public SampleConverter {
public:
    ConversionNotes convert(const std::string& sourcePath, const SampleShaping& shaping,
                            OutputFile& out) override;
};

}  // namespace quodlin
