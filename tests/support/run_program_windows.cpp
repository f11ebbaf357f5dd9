#include <windows.h>

#include "platform/local/local_file_system_paths.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

// One argument as the program's command-line parser reads it back.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        quoted.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        slashes = 0;
        quoted += c;
    }
    return quoted.append(slashes * 2, L'\\') + L"\"";
}

HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult RunProgram(const std::vector<std::string>& argv) {
    const TempDir dir;
    std::wstring line;
    for (const std::string& arg : argv) line += (line.empty() ? L"" : L" ") + Quoted(PathOf(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = Inheritable(PathOf(dir.file("out")), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = Inheritable(PathOf(dir.file("err")), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    ProcessResult result;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        result.status = static_cast<int>(status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        CloseHandle(handle);
    }
    // Text written to stdout and stderr ends its lines with CR LF on Windows.
    for (const auto& [text, name] :
         {std::pair{&result.out, "out"}, std::pair{&result.err, "err"}}) {
        *text = ReadBytes(dir.file(name));
        for (std::size_t at; (at = text->find("\r\n")) != std::string::npos;) text->erase(at, 1);
    }
    return result;
}

}  // namespace quodlin::test
