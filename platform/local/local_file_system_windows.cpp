#include <windows.h>

#include "platform/local/local_file_system.h"
#include "platform/local/local_file_system_paths.h"

namespace quodlin {
namespace {

std::wstring Wide(const std::string& utf8) {
    return SystemPath(utf8).native();
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

// Windows' own error numbers, which the error numbers of the C library do not cover.
FileErrorKind KindOfWindowsError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_NOT_READY:
            return FileErrorKind::NotFound;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileErrorKind::AlreadyExists;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileErrorKind::NoSpace;
        case ERROR_WRITE_PROTECT:
            return FileErrorKind::WriteProtected;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return FileErrorKind::AccessDenied;
        default:
            return FileErrorKind::Other;
    }
}

[[noreturn]] void ThrowLastError(const std::string& path) {
    const DWORD error = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = text != nullptr ? text : L"unknown error";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r')) reason.pop_back();
    throw FileError(KindOfWindowsError(error), path, Narrow(reason));
}

FileStamp StampOf(DWORD sizeHigh, DWORD sizeLow, const FILETIME& written) {
    return {(std::uint64_t{sizeHigh} << 32) | sizeLow,
            static_cast<std::int64_t>((std::uint64_t{written.dwHighDateTime} << 32) |
                                      written.dwLowDateTime)};
}

class WindowsOutputFile : public OutputFile {
public:
    WindowsOutputFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~WindowsOutputFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

    void write(const char* data, std::size_t size) override {
        while (size > 0) {
            const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(handle_, data, chunk, &written, nullptr)) ThrowLastError(path_);
            if (written == 0) {
                SetLastError(ERROR_DISK_FULL);
                ThrowLastError(path_);
            }
            data += written;
            size -= written;
        }
    }

    void sync() override {
        if (!FlushFileBuffers(handle_)) ThrowLastError(path_);
    }

    void close() override {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (handle != INVALID_HANDLE_VALUE && !CloseHandle(handle)) ThrowLastError(path_);
    }

private:
    HANDLE handle_;
    std::string path_;
};

class WindowsInputFile : public InputFile {
public:
    WindowsInputFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~WindowsInputFile() override { CloseHandle(handle_); }

    std::size_t read(char* buffer, std::size_t size) override {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, chunk, &got, nullptr)) ThrowLastError(path_);
        return got;
    }

    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) override {
        LARGE_INTEGER here{};
        LARGE_INTEGER there{};
        there.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, &here, FILE_CURRENT) ||
            !SetFilePointerEx(handle_, there, nullptr, FILE_BEGIN)) {
            ThrowLastError(path_);
        }
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD got = 0;
        const bool read = ReadFile(handle_, buffer, chunk, &got, nullptr);
        const DWORD error = GetLastError();
        SetFilePointerEx(handle_, here, nullptr, FILE_BEGIN);
        if (!read) {
            SetLastError(error);
            ThrowLastError(path_);
        }
        return got;
    }

    FileStamp stamp() override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(handle_, &info)) ThrowLastError(path_);
        return StampOf(info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
    }

private:
    HANDLE handle_;
    std::string path_;
};

// Files copied from a CD are read-only. They are removed and replaced as elsewhere, where only
// the folder's rights count; the user was asked before.
bool ClearedReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
           SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}

// Names such as CON, NUL or COM1 open a device, not a file: writing there would lose the bytes
// and reading could wait for ever.
HANDLE OnlyFile(HANDLE handle, const std::string& path) {
    if (handle == INVALID_HANDLE_VALUE) ThrowLastError(path);
    if (GetFileType(handle) == FILE_TYPE_DISK) return handle;
    CloseHandle(handle);
    throw FileError(FileErrorKind::Other, path, "the name is one Windows keeps for a device");
}

}  // namespace

std::vector<DirEntry> LocalFileSystem::list(const std::string& dir) {
    std::wstring pattern = Wide(dir);
    pattern += pattern.ends_with(L'\\') || pattern.ends_with(L'/') ? L"*" : L"\\*";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    // An empty drive root has not even "." to find.
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    if (search == INVALID_HANDLE_VALUE) ThrowLastError(dir);
    std::vector<DirEntry> entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        DirEntry entry;
        entry.name = Narrow(name);
        entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(entry);
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    SetLastError(error);
    if (error != ERROR_NO_MORE_FILES) ThrowLastError(dir);
    return entries;
}

FileStamp LocalFileSystem::stampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &info)) {
        ThrowLastError(path);
    }
    return StampOf(info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
}

std::unique_ptr<InputFile> LocalFileSystem::openForReading(const std::string& path) {
    const HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return std::make_unique<WindowsInputFile>(OnlyFile(handle, path), path);
}

std::unique_ptr<OutputFile> LocalFileSystem::createNew(const std::string& path) {
    const HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return std::make_unique<WindowsOutputFile>(OnlyFile(handle, path), path);
}

void LocalFileSystem::remove(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (DeleteFileW(wide.c_str())) return;
    if (GetLastError() == ERROR_ACCESS_DENIED && ClearedReadOnly(wide) &&
        DeleteFileW(wide.c_str())) {
        return;
    }
    ThrowLastError(path);
}

void LocalFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING an existing target is refused; a change of letter case
    // only names the same file and is allowed.
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError(to);
    }
}

void LocalFileSystem::replace(const std::string& from, const std::string& to) {
    const std::wstring source = Wide(from);
    const std::wstring target = Wide(to);
    const auto move = [&] {
        return MoveFileExW(source.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    };
    if (move()) return;
    if (GetLastError() == ERROR_ACCESS_DENIED && ClearedReadOnly(target) && move()) return;
    ThrowLastError(to);
}

std::string LocalFileSystem::volumeIdentity(const std::string& dir) {
    wchar_t volume[MAX_PATH + 1] = {};
    DWORD serial = 0;
    if (!GetVolumePathNameW(Wide(dir).c_str(), volume, MAX_PATH) ||
        !GetVolumeInformationW(volume, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
        ThrowLastError(dir);
    }
    return Narrow(volume) + "#" + std::to_string(serial);
}

std::string FallbackDirectory() {
    return "C:\\";
}

}  // namespace quodlin
