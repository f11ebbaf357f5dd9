#pragma once

#include <string>
#include <vector>

namespace quodlin::test {

// A real FAT card: an image file made with mkfs.vfat and mounted with fusefat. mounted() is
// false when this machine cannot mount it; tests then fail when CI is set and skip otherwise.
class FatCard {
public:
    // sizeKiB is the size of the image; writable false mounts it read-only, as a locked card.
    FatCard(const std::string& dir, int sizeKiB = 8192, bool writable = true);
    ~FatCard();
    FatCard(const FatCard&) = delete;
    FatCard& operator=(const FatCard&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& root() const { return root_; }
    const std::string& image() const { return image_; }
    const std::string& problem() const { return problem_; }
    void unmount();
    // Mounts the image again, so that what is read comes from the image and not a cache.
    bool remount(bool writable = true);

private:
    bool mount(bool writable);

    std::string image_;
    std::string root_;
    std::string problem_;
    bool mounted_ = false;
};

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
