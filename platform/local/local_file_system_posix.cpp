#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/io/temporary_names.h"
#include "platform/local/file_error_kind.h"
#include "platform/local/local_file_system.h"
#include "platform/local/local_file_system_paths.h"

#ifdef __linux__
#include <linux/fs.h>
#include <sys/syscall.h>
#endif

namespace quodlin {
namespace {

std::string ReasonOf(int error) {
    return ReasonText(std::strerror(error));
}

[[noreturn]] void ThrowErrno(const std::string& path, int error) {
    throw FileError(KindOfErrno(error), path, ReasonOf(error));
}

FileStamp StampIn(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

class LocalOutputFile : public OutputFile {
public:
    LocalOutputFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~LocalOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    void write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0) {
                if (errno == EINTR) continue;
                ThrowErrno(path_, errno);
            }
            if (written == 0) ThrowErrno(path_, ENOSPC);
            data += written;
            size -= static_cast<std::size_t>(written);
        }
    }

    void sync() override {
        if (::fsync(fd_) != 0) ThrowErrno(path_, errno);
    }

    std::size_t writeFrom(InputFile& input, char* buffer, std::size_t size) override;

    void close() override {
        const int fd = fd_;
        fd_ = -1;
        if (fd >= 0 && ::close(fd) != 0) ThrowErrno(path_, errno);
    }

private:
    int fd_;
    std::string path_;
    bool kernelCopy_ = true;
};

class LocalInputFile : public InputFile {
public:
    LocalInputFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~LocalInputFile() override { ::close(fd_); }
    int descriptor() const { return fd_; }

    std::size_t read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, size);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) ThrowErrno(path_, errno);
        }
    }

    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) ThrowErrno(path_, errno);
        }
    }

    FileStamp stamp() override {
        struct stat info {};
        if (::fstat(fd_, &info) != 0) ThrowErrno(path_, errno);
        return StampIn(info);
    }

private:
    int fd_;
    std::string path_;
};

std::size_t LocalOutputFile::writeFrom(InputFile& input, char* buffer, std::size_t size) {
#ifdef __linux__
    // The kernel copies file to file without a round trip through this process.
    auto* local = dynamic_cast<LocalInputFile*>(&input);
    while (local != nullptr && kernelCopy_) {
        const ssize_t copied =
            ::copy_file_range(local->descriptor(), nullptr, fd_, nullptr, size, 0);
        if (copied >= 0) return static_cast<std::size_t>(copied);
        if (errno == EINTR) continue;
        // Not offered between these two volumes: the bytes go through the buffer instead.
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            ThrowErrno(path_, errno);
        }
        kernelCopy_ = false;
    }
#endif
    return OutputFile::writeFrom(input, buffer, size);
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// One directory entry reached by a name that differs in letter case only, as a case-insensitive
// volume allows. A link or a hard link under another name is another entry: renaming onto it
// must be refused, or the file it shares would be lost.
bool SameEntryInOtherCase(const std::string& from, const std::string& to) {
    const std::filesystem::path fromPath = PathOf(from);
    const std::filesystem::path toPath = PathOf(to);
    struct stat first {};
    struct stat second {};
    return fromPath.parent_path() == toPath.parent_path() &&
           EqualsIgnoringAsciiCase(Utf8Of(fromPath.filename()), Utf8Of(toPath.filename())) &&
           ::lstat(from.c_str(), &first) == 0 && ::lstat(to.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// A case-insensitive volume (a FAT card) finds from under to when the two names differ only in
// letter case; the directory then holds from as spelt, and nothing spelt as to.
bool NamesItselfInOtherCase(LocalFileSystem& fs, const std::string& from, const std::string& to) {
    const std::filesystem::path fromPath = PathOf(from);
    const std::filesystem::path toPath = PathOf(to);
    const std::string fromName = Utf8Of(fromPath.filename());
    const std::string toName = Utf8Of(toPath.filename());
    if (fromPath.parent_path() != toPath.parent_path() || fromName == toName ||
        !EqualsIgnoringAsciiCase(fromName, toName)) {
        return false;
    }
    bool fromSeen = false;
    for (const DirEntry& entry : fs.list(Utf8Of(fromPath.parent_path()))) {
        if (entry.name == toName) return false;
        fromSeen = fromSeen || entry.name == fromName;
    }
    return fromSeen;
}

void WriteRecord(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) ThrowErrno(path, errno);
    const bool written =
        ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
        ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!written) {
        ::unlink(path.c_str());
        ThrowErrno(path, error);
    }
}

// Such a volume may refuse or ignore the direct rename, so the file goes through a name of its
// own; it is moved back when the second step fails. A record beside it names the target, so
// that a rename cut off between the two steps is finished later instead of leaving the file
// hidden.
void RenameThroughTemporary(LocalFileSystem& fs, const std::string& from, const std::string& to) {
    const std::filesystem::path dir = PathOf(to).parent_path();
    const std::string temporary = Utf8Of(dir / (kRenamePrefix + fs.ownerTag()));
    const std::string record = temporary + kRenameRecordSuffix;
    struct stat info {};
    if (::lstat(temporary.c_str(), &info) == 0) ThrowErrno(temporary, EEXIST);
    WriteRecord(record, Utf8Of(PathOf(to).filename()));
    if (::rename(from.c_str(), temporary.c_str()) != 0) {
        const int error = errno;
        ::unlink(record.c_str());
        ThrowErrno(to, error);
    }
    int error = 0;
#ifdef SYS_renameat2
    // A stat may still see the old spelling for a while; a rename looks its target up afresh.
    if (::syscall(SYS_renameat2, AT_FDCWD, temporary.c_str(), AT_FDCWD, to.c_str(),
                  RENAME_NOREPLACE) == 0) {
        ::unlink(record.c_str());
        return;
    }
    if (errno != EINVAL && errno != ENOSYS) error = errno;
#endif
    if (error == 0 && ::rename(temporary.c_str(), to.c_str()) == 0) {
        ::unlink(record.c_str());
        return;
    }
    if (error == 0) error = errno;
    if (::rename(temporary.c_str(), from.c_str()) == 0) ::unlink(record.c_str());
    ThrowErrno(to, error);
}

void SyncDirectoryOf(const std::string& path) {
    const std::string dir = Utf8Of(PathOf(path).parent_path());
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    // Some drivers refuse fsync on a directory; the file itself is already synced.
    ::fsync(fd);
    ::close(fd);
}

// Every entry is examined itself, not taken from the directory's type hint: a failing card
// lists a file whose entry it then cannot read, and that file must not pass for absent. It is
// examined relative to its open directory, which spares the kernel walking the whole path again.
DirEntry EntryOf(int dirFd, const char* name) {
    DirEntry entry;
    entry.name = name;
    struct stat info {};
    if (::fstatat(dirFd, name, &info, 0) == 0) {
        entry.isDirectory = S_ISDIR(info.st_mode);
        entry.isSpecial = !entry.isDirectory && !S_ISREG(info.st_mode);
    } else if (errno == ENOENT || errno == ENOTDIR || errno == ELOOP) {
        // A dangling link; a file that went since the directory was read is simply not there.
        entry.isSpecial = ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
        if (!entry.isSpecial) entry.name.clear();
    } else {
        entry.unreadable = ReasonOf(errno);
    }
    return entry;
}

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

std::vector<DirEntry> LocalFileSystem::list(const std::string& dir) {
    const std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle) ThrowErrno(dir, errno);
    std::vector<DirEntry> entries;
    for (;;) {
        errno = 0;
        const dirent* found = ::readdir(handle.get());
        if (found == nullptr) break;
        if (IsDotEntry(found->d_name)) continue;
        DirEntry entry = EntryOf(::dirfd(handle.get()), found->d_name);
        if (!entry.name.empty()) entries.push_back(std::move(entry));
    }
    if (errno != 0) ThrowErrno(dir, errno);
    return entries;
}

std::unique_ptr<InputFile> LocalFileSystem::openForReading(const std::string& path) {
    // Opened without blocking, so that a FIFO with no writer cannot hang the open; anything but
    // a regular file is refused before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) ThrowErrno(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        ThrowErrno(path, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode)) ThrowErrno(path, EISDIR);
        throw FileError(FileErrorKind::Other, path, "not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<LocalInputFile>(fd, path);
}

FileStamp LocalFileSystem::stampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) ThrowErrno(path, errno);
    return StampIn(info);
}

std::unique_ptr<OutputFile> LocalFileSystem::createNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) ThrowErrno(path, errno);
    return std::make_unique<LocalOutputFile>(fd, path);
}

void LocalFileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0) ThrowErrno(path, errno);
}

void LocalFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
    if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) ==
        0)
        return;
    const int error = errno;
    // A case-insensitive volume finds the source itself under a name that differs in case only.
    const bool caseOnly = error == EEXIST && (SameEntryInOtherCase(from, to) ||
                                              NamesItselfInOtherCase(*this, from, to));
    if (error != EINVAL && error != ENOSYS && !caseOnly) ThrowErrno(to, error);
#endif
    struct stat target {};
    if (::lstat(to.c_str(), &target) == 0 && NamesItselfInOtherCase(*this, from, to)) {
        RenameThroughTemporary(*this, from, to);
        return;
    }
    if (::lstat(to.c_str(), &target) == 0 && !SameEntryInOtherCase(from, to)) {
        ThrowErrno(to, EEXIST);
    }
    if (::rename(from.c_str(), to.c_str()) != 0) ThrowErrno(to, errno);
}

namespace {

// The mount's id: the one the kernel never gives out twice (kernels from 6.8), else the plain one
// (from 5.8), which a new mount may take over once the old one is gone, but not while its root
// is held open; "" where the kernel tells neither. The device number alone is the same for every
// card in one reader.
std::string MountId(const std::string& dir) {
#if defined(__linux__) && defined(STATX_BASIC_STATS)
    constexpr unsigned kMountIdUnique = 0x4000;
    constexpr unsigned kMountId = 0x1000;
    // Where stx_mnt_id sits in the kernel's struct statx, which glibc 2.36 does not name.
    constexpr std::size_t kMountIdOffset = 0x90;
    struct statx info {};
    static_assert(sizeof info >= kMountIdOffset + sizeof(std::uint64_t));
    if (::statx(AT_FDCWD, dir.c_str(), 0, kMountIdUnique | kMountId, &info) != 0 ||
        (info.stx_mask & (kMountIdUnique | kMountId)) == 0) {
        return "";
    }
    std::uint64_t id = 0;
    std::memcpy(&id, reinterpret_cast<const char*>(&info) + kMountIdOffset, sizeof id);
    return ":" + std::to_string(id);
#else
    (void)dir;
    return "";
#endif
}

class HeldRoot : public HeldDirectory {
public:
    explicit HeldRoot(int fd) : fd_(fd) {}
    ~HeldRoot() override { ::close(fd_); }

private:
    int fd_;
};

}  // namespace

std::string LocalFileSystem::volumeIdentity(const std::string& dir) {
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) ThrowErrno(dir, errno);
    return std::to_string(static_cast<unsigned long long>(info.st_dev)) + MountId(dir);
}

std::unique_ptr<HeldDirectory> LocalFileSystem::holdDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) ThrowErrno(dir, errno);
    return std::make_unique<HeldRoot>(fd);
}

void LocalFileSystem::replace(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) ThrowErrno(to, errno);
    SyncDirectoryOf(to);
}

std::vector<std::string> LocalFileSystem::finishInterruptedRenames(
    const std::string& dir, const std::vector<DirEntry>& entries) {
    std::vector<std::string> finished;
    for (const DirEntry& entry : entries) {
        const std::string& name = entry.name;
        if (!name.starts_with(kRenamePrefix) || !name.ends_with(kRenameRecordSuffix)) continue;
        const std::string temporaryName =
            name.substr(0, name.size() - std::strlen(kRenameRecordSuffix));
        if (!ownerGone(temporaryName.substr(std::strlen(kRenamePrefix)))) continue;
        const std::string record = Utf8Of(PathOf(dir) / PathOf(name));
        const std::string temporary = Utf8Of(PathOf(dir) / PathOf(temporaryName));
        std::ifstream in(PathOf(record), std::ios::binary);
        std::string target;
        std::getline(in, target, '\0');
        struct stat info {};
        const bool hidden = ::lstat(temporary.c_str(), &info) == 0;
        const std::string to = Utf8Of(PathOf(dir) / PathOf(target));
        if (hidden && (target.empty() || target.find('/') != std::string::npos ||
                       ::lstat(to.c_str(), &info) == 0)) {
            continue;  // nothing safe to do: the check reports it
        }
        if (hidden && ::rename(temporary.c_str(), to.c_str()) != 0) ThrowErrno(to, errno);
        ::unlink(record.c_str());
        if (hidden) finished.push_back(target);
    }
    return finished;
}

std::string FallbackDirectory() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home == '/' ? home : "/";
}

}  // namespace quodlin
