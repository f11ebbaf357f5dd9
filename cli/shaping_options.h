#pragma once

#include <string>

#include "platform/sample_shaping.h"

namespace quodlin {

// "--mono, --8bit, --normalize and --trim shape the samples --convert writes: add --convert."
extern const char* const kShapingNeedsConvert;

// Takes arg into shaping when it is --mono, --8bit, --normalize[=DB] or --trim[=DB]; false when
// it is none of them. A level that is not a number from -96 to 0 leaves problem telling so.
bool TakeShapingOption(const std::string& arg, SampleShaping& shaping, std::string& problem);

}  // namespace quodlin
