#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/sample_converter.h"
#include "platform/sample_formats.h"

namespace quodlin {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What reads and converts samples for `info` and `put --convert`.
struct SampleTools {
    SampleFormats& formats;
    SampleConverter& converter;
};

// Runs one quodlin-card command line (without the program name) and returns its exit status.
int RunCardCommand(const std::vector<std::string>& args, FileSystem& fs, SampleTools tools,
                   std::ostream& out, std::ostream& err);

}  // namespace quodlin
