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
#include <cstdio>
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
// A FUSE file system in the foreground as a child that dies with the test, and whose mount goes
// with it (auto_unmount), so that a crashed test leaves no mount behind.
pid_t StartFuse(const std::vector<std::string>& argv) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, 0);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

pid_t StartFusefat(const std::string& image, const std::string& root, bool writable) {
    const std::string options = std::string(writable ? "rw+" : "ro") + ",auto_unmount";
    return StartFuse({"fusefat", "-f", "-o", options, image, root});
}

// The little-endian number of width bytes at offset.
unsigned Field(const std::string& bytes, std::size_t offset, int width) {
    unsigned value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value =
            value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return value;
}

// The clusters mshowfat tells for a file: "::/01.wav <5-67> <70-71>".
std::vector<unsigned> ClustersOf(const std::string& shown) {
    std::vector<unsigned> clusters;
    for (std::size_t at = shown.find('<'); at != std::string::npos; at = shown.find('<', at + 1)) {
        unsigned first = 0;
        unsigned last = 0;
        const int read = std::sscanf(shown.c_str() + at, "<%u-%u>", &first, &last);
        if (read < 1) break;
        if (read == 1) last = first;
        for (unsigned c = first; c <= last; ++c) clusters.push_back(c);
    }
    return clusters;
}
#endif

}  // namespace

bool WriteSums(const std::string& dir) {
    return RunProgram({"sh", "-c", "cd \"$1\" && sha256sum * > SHA256SUMS", "sh", dir}).status == 0;
}

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
    if (kind == CardKind::Failing) {
        std::filesystem::create_directories(dir + "/backing");
        setFaults("");
    }
    if (kind != CardKind::Fat && kind != CardKind::Image) {
        mount(writable);
        return;
    }
    { std::ofstream image(image_, std::ios::binary); }
    std::filesystem::resize_file(image_, static_cast<std::uintmax_t>(sizeKiB) * 1024);
    const ProcessResult made =
        kind == CardKind::Image
            // A volume label, which fusefat shows as a file, is an entry the image reader skips.
            ? RunProgram(
                  {"mkfs.vfat", "-n", "ES1 CARD", "-F", sizeKiB >= 32768 ? "16" : "12", image_})
            : RunProgram({"mkfs.vfat", "-F", sizeKiB >= 32768 ? "16" : "12", image_});
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
#ifdef QUODLIN_FAILING_CARD_FS
    } else if (kind_ == CardKind::Failing) {
        const std::string dir = std::filesystem::path(root_).parent_path().string();
        fuse_ = StartFuse({QUODLIN_FAILING_CARD_FS, dir + "/backing", dir + "/faults", root_});
#endif
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
    const bool fuse = kind_ != CardKind::Tmpfs;
    RunProgram({fuse ? "fusermount" : "umount", fuse ? "-u" : "-l", root_});
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
    const bool wasMounted = mounted_;
    unmount();
    const ProcessResult typed = RunProgram({"mtype", "-i", image_, "::/" + name});
    if (wasMounted) remount();
    return typed.out;
}

void TestCard::setFaults(const std::string& rules) {
    if (kind_ != CardKind::Failing) return;
    const std::string dir = std::filesystem::path(root_).parent_path().string();
    const std::string temporary = dir + "/faults.new";
    { std::ofstream(temporary, std::ios::binary) << rules; }
    // In one step, so that the file system never reads half the rules.
    std::filesystem::rename(temporary, dir + "/faults");
}

#ifdef __linux__
std::string TestCard::bootSector() {
    std::ifstream image(image_, std::ios::binary);
    std::string boot(512, '\0');
    image.read(boot.data(), 512);
    return boot;
}

std::vector<unsigned> TestCard::clustersOf(const std::string& name) {
    unmount();
    return ClustersOf(RunProgram({"mshowfat", "-i", image_, "::/" + name}).out);
}

void TestCard::setFatEntry(unsigned cluster, unsigned value, unsigned firstCopy, unsigned copies) {
    const std::string boot = bootSector();
    const unsigned sector = Field(boot, 11, 2);
    const bool fat16 = sizeKiB_ >= 32768;
    std::fstream image(image_, std::ios::binary | std::ios::in | std::ios::out);
    for (unsigned fat = firstCopy; fat < firstCopy + copies; ++fat) {
        const std::uint64_t offset =
            std::uint64_t{sector} * (Field(boot, 14, 2) + fat * Field(boot, 22, 2)) +
            (fat16 ? cluster * 2 : cluster + cluster / 2);
        unsigned char pair[2];
        image.seekg(static_cast<std::streamoff>(offset));
        image.read(reinterpret_cast<char*>(pair), 2);
        // FAT12: two entries share three bytes.
        const unsigned old = pair[0] | pair[1] << 8;
        const unsigned entry = fat16              ? value
                               : cluster % 2 == 0 ? (old & 0xF000) | (value & 0xFFF)
                                                  : (old & 0x000F) | (value & 0xFFF) << 4;
        pair[0] = static_cast<unsigned char>(entry & 0xFF);
        pair[1] = static_cast<unsigned char>(entry >> 8);
        image.seekp(static_cast<std::streamoff>(offset));
        image.write(reinterpret_cast<const char*>(pair), 2);
    }
}

bool TestCard::damageChain(const std::string& name, std::uint64_t keepBytes, ChainDamage damage) {
    const std::vector<unsigned> clusters = clustersOf(name);
    const std::string boot = bootSector();
    const unsigned cluster = Field(boot, 11, 2) * Field(boot, 13, 1);
    const std::size_t keep = (keepBytes + cluster - 1) / cluster;
    if (clusters.empty() || keep == 0 || keep >= clusters.size()) return false;
    const unsigned end = sizeKiB_ >= 32768 ? 0xFFFF : 0xFFF;
    const unsigned value = damage == ChainDamage::Loop     ? clusters.front()
                           : damage == ChainDamage::Beyond ? end - 9
                                                           : end;
    setFatEntry(clusters[keep - 1], value, 0, damage == ChainDamage::CutInFirstCopy ? 1 : 2);
    return kind_ == CardKind::Image || remount();
}

bool TestCard::rewrite(const std::string& name) {
    const std::string bytes = onImage(name);
    const std::string copy = image_ + ".rewritten";
    std::ofstream(copy, std::ios::binary) << bytes;
    const bool done = RunProgram({"mdel", "-i", image_, "::/" + name}).status == 0 &&
                      RunProgram({"mcopy", "-i", image_, copy, "::/" + name}).status == 0;
    std::filesystem::remove(copy);
    return done;
}

void TestCard::putInPartition() {
    unmount();
    constexpr std::uint32_t kStart = 2048;
    std::string table(512, '\0');
    table[446 + 4] = 0x06;
    for (int i = 0; i < 4; ++i) table[446 + 8 + i] = static_cast<char>(kStart >> (8 * i) & 0xFF);
    table[510] = '\x55';
    table[511] = '\xAA';
    const std::string volume = ReadBytes(image_);
    std::ofstream out(image_, std::ios::binary | std::ios::trunc);
    out << table << std::string(kStart * 512 - table.size(), '\0') << volume;
}

void TestCard::damageBootSector() {
    unmount();
    std::fstream image(image_, std::ios::binary | std::ios::in | std::ios::out);
    image.seekp(11);
    image.write("\0\0", 2);
}

bool TestCard::writeMap(const std::string& name, std::uint64_t offset, const std::string& mapPath) {
    const std::vector<unsigned> clusters = clustersOf(name);
    const std::string boot = bootSector();
    const std::uint64_t sector = Field(boot, 11, 2);
    const std::uint64_t cluster = sector * Field(boot, 13, 1);
    if (offset / cluster >= clusters.size()) return false;
    const std::uint64_t rootSectors = (Field(boot, 17, 2) * 32 + sector - 1) / sector;
    const std::uint64_t data =
        sector * (Field(boot, 14, 2) + Field(boot, 16, 1) * Field(boot, 22, 2) + rootSectors);
    const std::uint64_t bad =
        (data + (clusters[offset / cluster] - 2) * cluster + offset % cluster) / sector * sector;
    const std::uint64_t size = std::filesystem::file_size(image_);
    char map[512];
    std::snprintf(map, sizeof map,
                  "# Mapfile. Created by GNU ddrescue\n# current_pos  current_status\n"
                  "0x%08llX     +\n#      pos        size  status\n0x00000000  0x%08llX  +\n"
                  "0x%08llX  0x%08llX  -\n0x%08llX  0x%08llX  +\n",
                  static_cast<unsigned long long>(bad), static_cast<unsigned long long>(bad),
                  static_cast<unsigned long long>(bad), static_cast<unsigned long long>(sector),
                  static_cast<unsigned long long>(bad + sector),
                  static_cast<unsigned long long>(size - bad - sector));
    std::ofstream(mapPath, std::ios::binary) << map;
    return true;
}
#else
bool TestCard::damageChain(const std::string&, std::uint64_t, ChainDamage) {
    return false;
}

bool TestCard::rewrite(const std::string&) {
    return false;
}

void TestCard::putInPartition() {}

void TestCard::damageBootSector() {}

bool TestCard::writeMap(const std::string&, std::uint64_t, const std::string&) {
    return false;
}
#endif

}  // namespace quodlin::test
