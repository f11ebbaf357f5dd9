#include "ui/help_text.h"

namespace quodlin {

RtfDocument ReadHelpText(std::string_view fileText) {
    return ParseRtf(fileText);
}

}  // namespace quodlin
