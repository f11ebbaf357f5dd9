#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quodlin::test {

// Where a test's card lives: a plain folder, a FAT image made with mkfs.vfat and mounted with
// fusefat, a small tmpfs whose writes fail for want of space as a full card's do, a folder seen
// through the failing card file system (tests/support/failing_card_fs.c), which fails as
// setFaults tells it, or (on Windows) the root of the drive named by QUODLIN_TEST_DRIVE, emptied
// first.
enum class CardKind { Folder, Fat, Tmpfs, Failing, Drive };

// A card root under dir. mounted() is false when this machine cannot mount it; tests then fail
// when CI is set and skip otherwise.
class TestCard {
public:
    // sizeKiB is the size of an image or tmpfs; writable false mounts an image read-only, as a
    // locked card.
    TestCard(const std::string& dir, int sizeKiB = 8192, bool writable = true,
             CardKind kind = CardKind::Fat);
    ~TestCard();
    TestCard(const TestCard&) = delete;
    TestCard& operator=(const TestCard&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& root() const { return root_; }
    const std::string& problem() const { return problem_; }
    void unmount();
    // Mounts the image again, so that what is read comes from the image and not a cache.
    bool remount(bool writable = true);
    // A file as it is on the image itself, read by mtools without the mount.
    std::string onImage(const std::string& name);
    // The rules of a failing card, one a line, as failing_card_fs reads them; "" heals it.
    void setFaults(const std::string& rules);
    // Ends the cluster chain of a file on a FAT image after keepBytes, as a failing card or a
    // write cut off on another device leaves it: its entry still tells the whole size.
    bool cutChain(const std::string& name, std::uint64_t keepBytes);

private:
    bool mount(bool writable);

    CardKind kind_;
    int sizeKiB_;
    std::string image_;
    std::string root_;
    std::string problem_;
    bool mounted_ = false;
    int fuse_ = -1;  // the fusefat process of a mounted image
};
using FatCard = TestCard;

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with its arguments (no shell), capturing its output.
ProcessResult RunProgram(const std::vector<std::string>& argv);

bool InCi();

}  // namespace quodlin::test

// In a test body: fail under CI, skip elsewhere, when the card could not be mounted.
#define REQUIRE_FAT_CARD(card)                                                          \
    do {                                                                                \
        if (!(card).mounted()) {                                                        \
            if (::quodlin::test::InCi()) FAIL() << "no FAT card: " << (card).problem(); \
            GTEST_SKIP() << "no FAT card: " << (card).problem();                        \
        }                                                                               \
    } while (0)
