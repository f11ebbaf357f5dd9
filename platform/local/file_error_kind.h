#pragma once

#include <string>
#include <system_error>

#include "platform/file_system.h"

namespace quodlin {

// The one sorting of the system's error numbers into the kinds the program tells apart: a full
// volume (also a full quota or a file past its size limit), a write-protected card, and so on.
FileErrorKind KindOfErrno(int error);
// The same for an error code of the standard library's file calls.
FileErrorKind KindOf(const std::error_code& code);

// The system's text for an error, as a reason reads in the middle of a sentence: "input/output
// error".
std::string ReasonText(std::string text);

}  // namespace quodlin
