#include "tests/support/fat_card.h"

#include <sys/stat.h>
#ifdef __linux__
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#ifdef __linux__
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
#endif

}  // namespace

bool InCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0';
}

TestCard::TestCard(const std::string& dir, int sizeKiB, bool writable, CardKind kind)
    : kind_(kind), sizeKiB_(sizeKiB), image_(dir + "/card.img"), root_(dir + "/card") {
    if (kind == CardKind::Drive) {
        const char* drive = std::getenv("QUODLIN_TEST_DRIVE");
        root_ = drive != nullptr ? std::string(drive) + "\\" : "";
        mounted_ = !root_.empty() && std::filesystem::is_directory(root_);
        if (!mounted_) {
            problem_ = "QUODLIN_TEST_DRIVE names no drive";
            return;
        }
        std::error_code empty;
        for (const auto& entry : std::filesystem::directory_iterator(root_, empty)) {
            std::filesystem::remove_all(entry.path());
        }
        return;
    }
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
    if (kind_ == CardKind::Folder || kind_ == CardKind::Drive) return true;
    ProcessResult result;
    if (kind_ == CardKind::Tmpfs) {
        const std::string size = "size=" + std::to_string(sizeKiB_) + "k";
        result = RunProgram({"mount", "-t", "tmpfs", "-o", size, "tmpfs", root_});
    } else {
#ifdef __linux__
        fuse_ = StartFusefat(image_, root_, writable);
#else
        result = RunProgram({"fusefat", "-o", writable ? "rw+" : "ro", image_, root_});
#endif
    }
    for (int i = 0; i < 100 && !IsMountPoint(root_); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    mounted_ = IsMountPoint(root_);
    if (!mounted_) problem_ = "the card did not mount (" + result.err + ")";
    return mounted_;
}

void TestCard::unmount() {
    if (!mounted_ || kind_ == CardKind::Folder || kind_ == CardKind::Drive) return;
    RunProgram({kind_ == CardKind::Fat ? "fusermount" : "umount",
                kind_ == CardKind::Fat ? "-u" : "-l", root_});
    for (int i = 0; i < 100 && IsMountPoint(root_); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
#ifdef __linux__
    if (fuse_ > 0) {
        ::kill(fuse_, SIGTERM);
        ::waitpid(fuse_, nullptr, 0);
        fuse_ = -1;
    }
#endif
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
