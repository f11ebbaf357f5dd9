#pragma once

#include <memory>
#include <mutex>

#include "core/image/image_file_system.h"

namespace quodlin {

// The computer's file system with one card image opened inside it, for a program that keeps a
// card image as its card among the computer's own folders: a path inside the image is read from
// the image, every other one from the computer. Safe to use from several threads; an image
// replaced or closed stays readable for the reads that started in it.
class WithCardImage : public FileSystem {
public:
    explicit WithCardImage(FileSystem& computer) : computer_(computer) {}

    // Makes image the one read inside the computer's files; nullptr closes it.
    void open(std::shared_ptr<ImageFileSystem> image);
    FileSystem& computer() { return computer_; }
    // The image open now, or nullptr.
    std::shared_ptr<ImageFileSystem> image() const;
    // True when path is the open image's card root or a file in it.
    bool inImage(const std::string& path) const;

    std::vector<DirEntry> list(const std::string& dir) override;
    bool isDirectory(const std::string& path) override;
    std::uint64_t fileSize(const std::string& path) override;
    std::unique_ptr<InputFile> openForReading(const std::string& path) override;
    FileStamp stampOf(const std::string& path) override;
    std::unique_ptr<OutputFile> createNew(const std::string& path) override;
    void remove(const std::string& path) override;
    void createDirectory(const std::string& path) override;
    void renameNoReplace(const std::string& from, const std::string& to) override;
    void replace(const std::string& from, const std::string& to) override;
    std::optional<std::uint64_t> freeSpace(const std::string& dir) override;
    std::optional<std::uint64_t> totalSpace(const std::string& dir) override;
    bool hasTrash(const std::string& dir) override;
    void moveToTrash(const std::string& path) override;
    std::string volumeIdentity(const std::string& dir) override;
    std::unique_ptr<HeldDirectory> holdDirectory(const std::string& dir) override;
    std::optional<std::uint64_t> allocationUnit(const std::string& dir) override;
    std::vector<std::string> structureProblems(const std::string& root) override;
    std::unique_ptr<CardLock> lockCard(const std::string& root, LockMode mode) override;
    std::string ownerTag() override;
    bool ownerGone(const std::string& tag) override;
    std::vector<std::string> finishInterruptedRenames(
        const std::string& dir, const std::vector<DirEntry>& entries) override;

private:
    // The file system path lies in, and the image kept alive while it is used.
    struct Route {
        FileSystem& fs;
        std::shared_ptr<ImageFileSystem> image;
    };
    Route route(const std::string& path) const;

    FileSystem& computer_;
    mutable std::mutex mutex_;
    std::shared_ptr<ImageFileSystem> image_;
};

}  // namespace quodlin
