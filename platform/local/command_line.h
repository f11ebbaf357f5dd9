#pragma once

#include <string>
#include <vector>

namespace quodlin {

// The program's arguments in UTF-8, whatever the system's code page. On Windows the console is
// also set to show the UTF-8 the program writes.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace quodlin
