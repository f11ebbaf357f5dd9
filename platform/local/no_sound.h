#pragma once

#include "platform/sample_converter.h"
#include "platform/sample_formats.h"

namespace quodlin {

inline constexpr const char* kNoSoundBuild = "This build cannot read sound files.";

// What stands in for the sound libraries in a build without them: every file has only its
// size, and nothing converts.
class NoSampleFormats : public SampleFormats {
public:
    SampleFormat read(const std::string& path) override;
    bool readsSound() const override { return false; }
};

class NoSampleConverter : public SampleConverter {
public:
    ConversionNotes convert(const std::string& sourcePath, const SampleShaping& shaping,
                            OutputFile& out) override;
};

}  // namespace quodlin
