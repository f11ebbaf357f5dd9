#pragma once

#include <string_view>

#include "core/rtf_reader.h"

namespace quodlin {

// The help file's text as the help page shows it.
RtfDocument ReadHelpText(std::string_view fileText);

}  // namespace quodlin
