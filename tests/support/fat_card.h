#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quodlin::test {

// Where a test's card lives: a plain folder, a FAT image made with mkfs.vfat and mounted with
// fusefat, a small tmpfs whose writes fail for want of space as a full card's do, a folder seen
// through the failing card file system (tests/support/failing_card_fs.c), which fails as
// setFaults tells it, or (on Windows) the root of the drive named by QUODLIN_TEST_DRIVE, emptied
// first. An Image card is a Fat card whose image file, once filled and unmounted, is the card.
enum class CardKind { Folder, Fat, Tmpfs, Failing, Drive, Image };

// How a file's cluster chain on a FAT image is damaged after its first bytes: ended, pointed
// back to its first cluster, pointed past the card's last cluster, or ended in the first copy
// of the FAT only.
enum class ChainDamage { Cut, Loop, Beyond, CutInFirstCopy };

// A card root under dir. mounted() is false when this machine cannot mount it; tests then fail
// when CI is set and skip otherwise.
class TestCard {
public:
    // sizeKiB is the size of an image or tmpfs (an image of 32 MiB or more is FAT16, a smaller
    // one FAT12); writable false mounts an image read-only, as a locked card.
    TestCard(const std::string& dir, int sizeKiB = 8192, bool writable = true,
             CardKind kind = CardKind::Fat);
    ~TestCard();
    TestCard(const TestCard&) = delete;
    TestCard& operator=(const TestCard&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& root() const { return root_; }
    const std::string& image() const { return image_; }
    const std::string& problem() const { return problem_; }
    void unmount();
    // Mounts the image again, so that what is read comes from the image and not a cache.
    bool remount(bool writable = true);
    // A file as it is on the image itself, read by mtools without the mount.
    std::string onImage(const std::string& name);
    // The rules of a failing card, one a line, as failing_card_fs reads them; "" heals it.
    void setFaults(const std::string& rules);
    // Damages the cluster chain of a file on a FAT image after keepBytes, as a failing card or a
    // write cut off on another device leaves it: its entry still tells the whole size.
    bool damageChain(const std::string& name, std::uint64_t keepBytes,
                     ChainDamage damage = ChainDamage::Cut);
    // Writes the file again with mtools, which takes the first free clusters, so that after a
    // deletion before it the file is split.
    bool rewrite(const std::string& name);
    // Makes the image a whole card's: a partition table whose one FAT16 partition, 1 MiB in,
    // holds the volume that was the image.
    void putInPartition();
    // Gives the image's boot sector 0 bytes per sector.
    void damageBootSector();
    // Writes to mapPath a GNU ddrescue map of the image that marks unreadable the sector holding
    // byte offset of the file name.
    bool writeMap(const std::string& name, std::uint64_t offset, const std::string& mapPath);

private:
    bool mount(bool writable);
    // Where the file name's clusters lie: its clusters as mshowfat tells them, and the boot
    // sector.
    std::vector<unsigned> clustersOf(const std::string& name);
    std::string bootSector();
    // Sets the FAT entry of cluster to value in the given copies of the FAT.
    void setFatEntry(unsigned cluster, unsigned value, unsigned firstCopy, unsigned copies);

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

// Writes the SHA256SUMS of every file in dir with sha256sum, as a backup holds it.
bool WriteSums(const std::string& dir);

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
