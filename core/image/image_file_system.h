#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/image/ddrescue_map.h"
#include "core/image/fat_image.h"
#include "platform/file_system.h"

namespace quodlin {

// A FAT card image file as a card: its path is the card root, and its root's files are the
// card's files under it. It is read through the computer's file system and never written: every
// change is refused as a write-protected card's would be, with the reason that it is an image.
// Reads of bytes that lie on sectors the map marks unreadable fail as an input/output error,
// and a damaged cluster chain ends its file's bytes early, so that the card's runs treat the
// image as they treat a failing card. Safe to use from several threads.
class ImageFileSystem : public FileSystem {
public:
    ImageFileSystem(FileSystem& computer, std::string image, DdrescueMap map = {});

    const std::string& image() const { return image_; }

    std::vector<DirEntry> list(const std::string& dir) override;
    bool isDirectory(const std::string& path) override;
    std::uint64_t fileSize(const std::string& path) override;
    std::unique_ptr<InputFile> openForReading(const std::string& path) override;
    std::unique_ptr<OutputFile> createNew(const std::string& path) override;
    void remove(const std::string& path) override;
    void createDirectory(const std::string& path) override;
    void renameNoReplace(const std::string& from, const std::string& to) override;
    void replace(const std::string& from, const std::string& to) override;
    std::optional<std::uint64_t> freeSpace(const std::string& dir) override;
    std::optional<std::uint64_t> totalSpace(const std::string& dir) override;
    std::string volumeIdentity(const std::string& dir) override;
    std::optional<std::uint64_t> allocationUnit(const std::string& dir) override;
    std::vector<std::string> structureProblems(const std::string& root) override;
    std::unique_ptr<CardLock> lockCard(const std::string& root, LockMode mode) override;
    std::string ownerTag() override;
    bool ownerGone(const std::string& tag) override;
    std::vector<std::string> finishInterruptedRenames(
        const std::string& dir, const std::vector<DirEntry>& entries) override;

private:
    struct Snapshot;
    // The image as last read; read now when it never was.
    std::shared_ptr<const Snapshot> snapshot();
    // Reads the image again, so that a listing shows it as it is now.
    std::shared_ptr<const Snapshot> reread();
    // Finds the file path names in snapshot; throws FileError NotFound when it is not there.
    const ImageFile& fileAt(const Snapshot& snapshot, const std::string& path) const;
    [[noreturn]] void refuseWrite(const std::string& path) const;

    FileSystem& computer_;
    std::string image_;
    std::shared_ptr<const DdrescueMap> map_;
    std::mutex mutex_;
    std::shared_ptr<const Snapshot> snapshot_;
};

}  // namespace quodlin
