#include "platform/qt/freedesktop_trash.h"

#if defined(__unix__) && !defined(__APPLE__)

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/file_system.h"

namespace quodlin {
namespace {

std::string DataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return data;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return "";
    return std::string(home) + "/.local/share";
}

// Makes each missing folder of path, only for the user.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

bool SameVolume(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev;
}

// The path as the info file's Path= line holds it: a URL path, with every byte that is not
// plain escaped.
std::string Escaped(const std::string& path) {
    std::string text;
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-_.~", c) != nullptr) {
            text += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            text += escape;
        }
    }
    return text;
}

std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// "Kick.wav", then "Kick.2.wav", "Kick.3.wav", ...
std::string Candidate(const std::string& name, int n) {
    if (n == 1) return name;
    const std::size_t dot = name.rfind('.');
    const std::size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, cut) + "." + std::to_string(n) + name.substr(cut);
}

FileError Failed(const std::string& path, const std::string& why) {
    return FileError(FileErrorKind::Other, path, "it could not be moved to the trash: " + why);
}

}  // namespace

std::optional<FreedesktopTrash> FreedesktopTrash::For(const std::string& dir) {
    const std::string data = DataHome();
    if (data.empty()) return std::nullopt;
    const std::string root = data + "/Trash";
    if (!MakeFolders(root + "/files") || !MakeFolders(root + "/info")) return std::nullopt;
    if (::access((root + "/files").c_str(), W_OK) != 0 ||
        ::access((root + "/info").c_str(), W_OK) != 0 || !SameVolume(dir, root + "/files")) {
        return std::nullopt;
    }
    return FreedesktopTrash(root);
}

void FreedesktopTrash::move(const std::string& path) const {
    const std::string name = path.substr(path.rfind('/') + 1);
    const std::string contents =
        "[Trash Info]\nPath=" + Escaped(path) + "\nDeletionDate=" + Now() + "\n";
    for (int n = 1; n < 10000; ++n) {
        const std::string candidate = Candidate(name, n);
        const std::string info = root_ + "/info/" + candidate + ".trashinfo";
        const std::string target = root_ + "/files/" + candidate;
        // The info file, made exclusively, reserves the name.
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) throw Failed(path, std::strerror(errno));
        const bool written =
            ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
        const bool closed = ::close(fd) == 0;
        struct stat existing {};
        if (written && closed && ::lstat(target.c_str(), &existing) != 0 &&
            ::rename(path.c_str(), target.c_str()) == 0) {
            return;
        }
        const int error = errno;
        ::unlink(info.c_str());
        if (::lstat(target.c_str(), &existing) == 0) continue;
        throw Failed(path, std::strerror(error));
    }
    throw Failed(path, "the trash holds too many files of that name");
}

}  // namespace quodlin

#endif
