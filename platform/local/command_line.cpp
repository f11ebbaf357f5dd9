#include "platform/local/command_line.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/local/local_file_system_paths.h"
#endif

namespace quodlin {

#ifdef _WIN32
// main's arguments are in the ANSI code page, which lacks most names; the wide command line
// has them all.
std::vector<std::string> Utf8Arguments(int, char**) {
    SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(Utf8Of(wide[i]));
    LocalFree(wide);
    return args;
}
#else
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}
#endif

}  // namespace quodlin
