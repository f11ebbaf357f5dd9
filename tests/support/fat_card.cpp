#include "tests/support/fat_card.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace quodlin::test {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsMountPoint(const std::string& path) {
    struct stat self {};
    struct stat parent {};
    const std::string up = path + "/..";
    return ::stat(path.c_str(), &self) == 0 && ::stat(up.c_str(), &parent) == 0 &&
           self.st_dev != parent.st_dev;
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
    result.out = Slurp(outName);
    result.err = Slurp(errName);
    ::unlink(outName);
    ::unlink(errName);
    return result;
}

FatCard::FatCard(const std::string& dir, int sizeKiB, bool writable)
    : image_(dir + "/card.img"), root_(dir + "/card") {
    std::filesystem::create_directories(root_);
    { std::ofstream image(image_, std::ios::binary); }
    std::filesystem::resize_file(image_, static_cast<std::uintmax_t>(sizeKiB) * 1024);
    const ProcessResult made = RunProgram({"mkfs.vfat", "-F", "12", image_});
    if (made.status != 0) {
        problem_ = "mkfs.vfat failed: " + made.err;
        return;
    }
    mount(writable);
}

FatCard::~FatCard() {
    unmount();
}

bool FatCard::mount(bool writable) {
    const std::vector<std::string> argv = {"fusefat", "-o", writable ? "rw+" : "ro", image_, root_};
    const ProcessResult result = RunProgram(argv);
    for (int i = 0; i < 100 && !IsMountPoint(root_); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    mounted_ = IsMountPoint(root_);
    if (!mounted_) problem_ = "fusefat did not mount (" + result.err + ")";
    return mounted_;
}

void FatCard::unmount() {
    if (!mounted_) return;
    RunProgram({"fusermount", "-u", root_});
    for (int i = 0; i < 100 && IsMountPoint(root_); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    mounted_ = false;
}

bool FatCard::remount(bool writable) {
    unmount();
    return mount(writable);
}

}  // namespace quodlin::test
