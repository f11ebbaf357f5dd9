#pragma once

#include "platform/file_system.h"

namespace quodlin {

// The computer's own file system. Writes are checked call by call and synced, because the card
// is the user's only copy and a write that fails quietly would cost them data.
class LocalFileSystem : public FileSystem {
public:
    std::vector<DirEntry> list(const std::string& dir) override;
    bool isDirectory(const std::string& path) override;
    std::uint64_t fileSize(const std::string& path) override;
    std::unique_ptr<InputFile> openForReading(const std::string& path) override;
    // One look at the file's entry, cheaper than opening it on a slow card.
    FileStamp stampOf(const std::string& path) override;
    std::unique_ptr<OutputFile> createNew(const std::string& path) override;
    void remove(const std::string& path) override;
    void createDirectory(const std::string& path) override;
    void renameNoReplace(const std::string& from, const std::string& to) override;
    void replace(const std::string& from, const std::string& to) override;
    std::optional<std::uint64_t> freeSpace(const std::string& dir) override;
    std::optional<std::uint64_t> totalSpace(const std::string& dir) override;
    std::string volumeIdentity(const std::string& dir) override;
#ifndef _WIN32
    std::unique_ptr<HeldDirectory> holdDirectory(const std::string& dir) override;
#endif
    std::optional<std::uint64_t> allocationUnit(const std::string& dir) override;
    std::unique_ptr<CardLock> lockCard(const std::string& root, LockMode mode) override;
    std::string ownerTag() override;
    bool ownerGone(const std::string& tag) override;
    std::vector<std::string> finishInterruptedRenames(
        const std::string& dir, const std::vector<DirEntry>& entries) override;
};

// The directory that stands in for one that cannot be used: "C:\" on Windows, the home folder
// elsewhere.
std::string FallbackDirectory();

}  // namespace quodlin
