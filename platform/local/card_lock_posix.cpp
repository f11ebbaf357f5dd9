#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/local/fat_cluster.h"
#include "platform/local/local_file_system.h"

#ifdef __linux__
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#endif

// The card's lock, and the owners that temporary files record, on POSIX systems.
namespace quodlin {
namespace {

constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(100);

class FlockCardLock : public CardLock {
public:
    explicit FlockCardLock(int fd) : fd_(fd) {}
    ~FlockCardLock() override { ::close(fd_); }

private:
    int fd_;
};

// The process that holds a lock on the directory open as fd, from the kernel's list of locks;
// 0 when the list does not tell.
long LockHolder(int fd) {
#ifdef __linux__
    struct stat info {};
    if (::fstat(fd, &info) != 0) return 0;
    std::ostringstream device;
    device << std::hex << major(info.st_dev) << ':' << minor(info.st_dev) << std::dec << ':'
           << info.st_ino;
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        if (line.find("->") != std::string::npos) continue;  // a waiter, not a holder
        std::istringstream fields(line);
        std::string number, kind, advisory, access, pid, where;
        fields >> number >> kind >> advisory >> access >> pid >> where;
        // /proc/locks writes the numbers with two hex digits at least.
        unsigned major_ = 0, minor_ = 0;
        unsigned long long inode = 0;
        if (kind != "FLOCK" ||
            std::sscanf(where.c_str(), "%x:%x:%llu", &major_, &minor_, &inode) != 3) {
            continue;
        }
        if (major_ == major(info.st_dev) && minor_ == minor(info.st_dev) && inode == info.st_ino &&
            std::stol(pid) != ::getpid()) {
            return std::stol(pid);
        }
    }
#else
    (void)fd;
#endif
    return 0;
}

std::string InUseText(long holder) {
    if (holder == 0) return "The card is in use by another Quodlin.";
    return "The card is in use by another Quodlin (process " + std::to_string(holder) + ").";
}

// The first 8 hex digits of this boot's id; "0" where the system does not tell.
std::string BootTag() {
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(file, id);
    std::string tag;
    for (const char c : id) {
        if (std::isxdigit(static_cast<unsigned char>(c)) && tag.size() < 8) tag += c;
    }
    return tag.size() == 8 ? tag : "0";
}

}  // namespace

std::unique_ptr<CardLock> LocalFileSystem::lockCard(const std::string& root, LockMode mode) {
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw FileError(errno == ENOENT ? FileErrorKind::NotFound : FileErrorKind::Other, root,
                        std::strerror(errno));
    const int operation = mode == LockMode::Exclusive ? LOCK_EX : LOCK_SH;
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0) break;
        if (errno == EINTR) continue;
        // A volume without locks (some network shares) is still written: refusing would leave
        // the user no way to change it at all.
        if (errno != EWOULDBLOCK) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            const long holder = LockHolder(fd);
            ::close(fd);
            throw FileError(FileErrorKind::CardInUse, root, InUseText(holder));
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return std::make_unique<FlockCardLock>(fd);
}

std::string LocalFileSystem::ownerTag() {
    static const std::string boot = BootTag();
    return boot + "-" + std::to_string(::getpid());
}

bool LocalFileSystem::ownerGone(const std::string& tag) {
    const std::size_t dash = tag.find('-');
    if (dash == std::string::npos || tag.substr(0, dash) != ownerTag().substr(0, dash)) return true;
    const std::string pid = tag.substr(dash + 1);
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) {
        return true;
    }
    return ::kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH;
}

std::optional<std::uint64_t> LocalFileSystem::allocationUnit(const std::string& dir) {
    struct statvfs info {};
    if (::statvfs(dir.c_str(), &info) != 0 || info.f_frsize == 0) return std::nullopt;
#ifdef __linux__
    // A FAT card through FUSE or the kernel reports blocks that need not be its clusters.
    constexpr long kMsdosMagic = 0x4d44;
    constexpr long kFuseMagic = 0x65735546;
    struct statfs type {};
    if (::statfs(dir.c_str(), &type) == 0 &&
        (type.f_type == kMsdosMagic || type.f_type == kFuseMagic)) {
        return LargestFatCluster(static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize);
    }
#endif
    return info.f_frsize;
}

}  // namespace quodlin
