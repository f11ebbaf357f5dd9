#pragma once

#include <string>

namespace quodlin {

// A friendly name made fit to be a file name on Windows, macOS and Linux alike: characters no
// file name may hold become "_", leading and trailing dots and blanks go, and the result is cut
// to a length every file system takes. "" when nothing usable is left or the name is one that
// Windows reserves for a device (CON, NUL, COM1, ...).
std::string SafeFileStem(const std::string& friendlyName);

// The computer file name for a card file: the safe friendly name with the mode's extension, or
// the card file's own name when the friendly name gives no usable name.
std::string ComputerFileName(const std::string& friendlyName, const std::string& extension,
                             const std::string& cardFileName);

}  // namespace quodlin
