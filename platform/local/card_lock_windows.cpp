#include <windows.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/local/local_file_system.h"

// The card's lock, and the owners that temporary files record, on Windows: a named mutex, seen by
// every process of this computer, keyed by the volume's serial number and the root's path.
namespace quodlin {
namespace {

constexpr DWORD kLockWaitMs = 5000;

class MutexCardLock : public CardLock {
public:
    MutexCardLock(HANDLE mutex, HANDLE owner) : mutex_(mutex), owner_(owner) {}
    ~MutexCardLock() override {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        if (owner_ != nullptr) CloseHandle(owner_);
    }

private:
    HANDLE mutex_;
    HANDLE owner_;
};

std::wstring LockName(const std::string& volume, const std::string& root) {
    std::string key = volume + "|" + root;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return L"Local\\Quodlin-card-" + std::to_wstring(std::hash<std::string>{}(key));
}

// The holder writes its process id into a small named mapping beside the mutex, so that a
// waiter can say which process it waited for.
HANDLE PublishOwner(const std::wstring& name) {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(DWORD), (name + L"-owner").c_str());
    if (mapping == nullptr) return nullptr;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(DWORD))) {
        *static_cast<DWORD*>(view) = GetCurrentProcessId();
        UnmapViewOfFile(view);
    }
    return mapping;
}

DWORD ReadOwner(const std::wstring& name) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, (name + L"-owner").c_str());
    if (mapping == nullptr) return 0;
    DWORD pid = 0;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(DWORD))) {
        pid = *static_cast<DWORD*>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return pid;
}

std::string BootTag() {
    // The boot time, to the minute, in minutes since 1601: the same for every process of a boot.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const std::uint64_t bootMinutes = (ticks / 10000 - GetTickCount64()) / 60000;
    return std::to_string(bootMinutes);
}

}  // namespace

std::unique_ptr<CardLock> LocalFileSystem::lockCard(const std::string& root, LockMode) {
    // A mutex has no shared mode: a backup holds the card alone here.
    const std::wstring name = LockName(volumeIdentity(root), root);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) return std::make_unique<CardLock>();
    const DWORD waited = WaitForSingleObject(mutex, kLockWaitMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        return std::make_unique<MutexCardLock>(mutex, PublishOwner(name));
    }
    CloseHandle(mutex);
    const DWORD holder = ReadOwner(name);
    throw FileError(FileErrorKind::CardInUse, root,
                    holder == 0 ? "The card is in use by another Quodlin."
                                : "The card is in use by another Quodlin (process " +
                                      std::to_string(holder) + ").");
}

std::string LocalFileSystem::ownerTag() {
    static const std::string boot = BootTag();
    return boot + "-" + std::to_string(GetCurrentProcessId());
}

bool LocalFileSystem::ownerGone(const std::string& tag) {
    const std::size_t dash = tag.find('-');
    if (dash == std::string::npos) return true;
    // The boot time is read to the minute: one minute apart is still the same boot.
    const std::string mine = ownerTag().substr(0, ownerTag().find('-'));
    const std::string boot = tag.substr(0, dash);
    if (boot.empty() || boot.find_first_not_of("0123456789") != std::string::npos) return true;
    if (mine.empty()) return true;
    const long long difference = std::stoll(boot) - std::stoll(mine);
    if (difference > 1 || difference < -1) return true;
    const std::string pid = tag.substr(dash + 1);
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) {
        return true;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::stoul(pid)));
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

std::optional<std::uint64_t> LocalFileSystem::allocationUnit(const std::string& dir) {
    wchar_t volume[MAX_PATH + 1] = {};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetVolumePathNameW(std::filesystem::path(std::u8string(dir.begin(), dir.end())).c_str(),
                            volume, MAX_PATH) ||
        !GetDiskFreeSpaceW(volume, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
}

std::vector<std::string> LocalFileSystem::finishInterruptedRenames(const std::string&,
                                                                   const std::vector<DirEntry>&) {
    // Windows renames between spellings of one name in one step: there is no middle name.
    return {};
}

}  // namespace quodlin
