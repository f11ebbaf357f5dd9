#include "tests/support/fat_card.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

bool IsMountPoint(const std::string& path) {
    struct stat self {};
    struct stat parent {};
    const std::string up = path + "/..";
    return ::stat(path.c_str(), &self) == 0 && ::stat(up.c_str(), &parent) == 0 &&
           self.st_dev != parent.st_dev;
}

// fusefat in the foreground as a child that dies with the test, and whose mount goes with it
// (auto_unmount), so that a crashed test leaves no mount behind.
pid_t StartFusefat(const std::string& image, const std::string& root, bool writable) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, 0);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        const std::string options = std::string(writable ? "rw+" : "ro") + ",auto_unmount";
        ::execlp("fusefat", "fusefat", "-f", "-o", options.c_str(), image.c_str(), root.c_str(),
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

}  // namespace

bool InCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0';
}

ProcessResult RunProgram(const std::vector<std::string>& argv) {
    char outName[] = "/tmp/quodlin-out-XXXXXX";
    char errName[] = "/tmp/quodlin-err-XXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
    ProcessResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::close(outFd);
    ::close(errFd);
    result.out = ReadBytes(outName);
    result.err = ReadBytes(errName);
    ::unlink(outName);
    ::unlink(errName);
    return result;
}

TestCard::TestCard(const std::string& dir, int sizeKiB, bool writable, CardKind kind)
    : kind_(kind), sizeKiB_(sizeKiB), image_(dir + "/card.img"), root_(dir + "/card") {
    std::filesystem::create_directories(root_);
    mounted_ = kind == CardKind::Folder;
    if (kind != CardKind::Fat) {
        mount(writable);
        return;
    }
    { std::ofstream image(image_, std::ios::binary); }
    std::filesystem::resize_file(image_, static_cast<std::uintmax_t>(sizeKiB) * 1024);
    const ProcessResult made = RunProgram({"mkfs.vfat", "-F", "12", image_});
    if (made.status != 0) {
        problem_ = "mkfs.vfat failed: " + made.err;
        return;
    }
    mount(writable);
}

TestCard::~TestCard() {
    unmount();
}

bool TestCard::mount(bool writable) {
    if (kind_ == CardKind::Folder) return true;
    ProcessResult result;
    if (kind_ == CardKind::Tmpfs) {
        const std::string size = "size=" + std::to_string(sizeKiB_) + "k";
        result = RunProgram({"mount", "-t", "tmpfs", "-o", size, "tmpfs", root_});
    } else {
        fuse_ = StartFusefat(image_, root_, writable);
    }
    for (int i = 0; i < 100 && !IsMountPoint(root_); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    mounted_ = IsMountPoint(root_);
    if (!mounted_) problem_ = "the card did not mount (" + result.err + ")";
    return mounted_;
}

void TestCard::unmount() {
    if (!mounted_ || kind_ == CardKind::Folder) return;
    RunProgram({kind_ == CardKind::Fat ? "fusermount" : "umount",
                kind_ == CardKind::Fat ? "-u" : "-l", root_});
    for (int i = 0; i < 100 && IsMountPoint(root_); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (fuse_ > 0) {
        ::kill(fuse_, SIGTERM);
        ::waitpid(fuse_, nullptr, 0);
        fuse_ = -1;
    }
    mounted_ = false;
}

bool TestCard::remount(bool writable) {
    unmount();
    return mount(writable);
}

std::string TestCard::onImage(const std::string& name) {
    unmount();
    const ProcessResult typed = RunProgram({"mtype", "-i", image_, "::/" + name});
    remount();
    return typed.out;
}

}  // namespace quodlin::test
