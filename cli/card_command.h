#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quodlin {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs one quodlin-card command line (without the program name) and returns its exit status.
int RunCardCommand(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out,
                   std::ostream& err);

}  // namespace quodlin
