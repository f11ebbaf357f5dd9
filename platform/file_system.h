#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quodlin {

enum class FileErrorKind {
    NotFound,
    AlreadyExists,
    NoSpace,
    AccessDenied,
    CardRemoved,
    WriteProtected,
    CardInUse,   // another run holds the card's lock; the reason names its process
    Canceled,    // the user ended the run in the middle of the file
    Incomplete,  // a read ended before the file's size, or the file changed while it was read;
                 // the reason is a whole sentence that names the file
    Other
};

// Every failed file operation throws this; the action that started it catches it and tells the
// user.
class FileError : public std::runtime_error {
public:
    FileError(FileErrorKind kind, std::string path, std::string reason)
        : std::runtime_error(path + ": " + reason),
          kind_(kind),
          path_(std::move(path)),
          reason_(std::move(reason)) {}

    FileErrorKind kind() const { return kind_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    FileErrorKind kind_;
    std::string path_;
    std::string reason_;
};

struct DirEntry {
    std::string name;
    bool isDirectory = false;
    // A FIFO, device, socket or dangling link: never read, listed or copied, since reading one
    // can block forever or never end.
    bool isSpecial = false;
    // Why the entry could not be examined (an I/O error, say); "" when it could. Such an entry is
    // a file that is there but cannot be read: it is listed, and never taken for absent.
    std::string unreadable;
    // Why some of the file's bytes cannot be read though the rest can ("its cluster chain ends
    // after 8,192 of 20,000 bytes"), as a card image tells it; "" when none is known lost.
    std::string damaged;
};

// A file's size and last change, as the open file tells them.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // in the platform's own units
    bool operator==(const FileStamp&) const = default;
};

class InputFile;

class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Writes all of the bytes or throws.
    virtual void write(const char* data, std::size_t size) = 0;
    // Flushes to the device, so that a later close cannot hide a lost write.
    virtual void sync() = 0;
    virtual void close() = 0;
    // Writes up to size more bytes of input, in the kernel where the file system can, else
    // through buffer; returns how many, 0 at the end of input.
    virtual std::size_t writeFrom(InputFile& input, char* buffer, std::size_t size);
};

class InputFile {
public:
    virtual ~InputFile() = default;
    // Returns 0 at the end of the file.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // Reads up to size bytes at offset, leaving the position of read() alone; 0 past the end.
    virtual std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) = 0;
    // The open file's size and last change as they are now.
    virtual FileStamp stamp() = 0;
};

inline std::size_t OutputFile::writeFrom(InputFile& input, char* buffer, std::size_t size) {
    const std::size_t got = input.read(buffer, size);
    if (got > 0) write(buffer, got);
    return got;
}

// Held for the whole of a run that changes the card (or, shared, reads it for a backup), so that
// no other Quodlin changes the card meanwhile. Released when destroyed.
class CardLock {
public:
    virtual ~CardLock() = default;
};

enum class LockMode { Exclusive, Shared };

// A directory kept open until this goes. While a card's root is held, its mount lives on, and the
// kernel cannot give its mount id (nor a FUSE card's device number) to another card mounted in
// its place, so that a swap shows as another volume.
class HeldDirectory {
public:
    virtual ~HeldDirectory() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Every entry of a directory, hidden ones included, without "." and "..".
    virtual std::vector<DirEntry> list(const std::string& dir) = 0;
    // False for a missing path or one that names a file. Throws when the path cannot be examined
    // at all: not a full path (a Windows path on Linux), a missing search permission, a loop of
    // links, a name too long, a device that is gone.
    virtual bool isDirectory(const std::string& path) = 0;
    virtual std::uint64_t fileSize(const std::string& path) = 0;
    virtual std::unique_ptr<InputFile> openForReading(const std::string& path) = 0;
    // The file's size and time of change; throws FileError when it cannot be examined. A file
    // system that can tell them without opening the file says so by overriding this.
    virtual FileStamp stampOf(const std::string& path) { return openForReading(path)->stamp(); }
    // Fails with AlreadyExists when anything of that name is there.
    virtual std::unique_ptr<OutputFile> createNew(const std::string& path) = 0;
    virtual void remove(const std::string& path) = 0;
    // Makes one new directory; fails with AlreadyExists when anything of that name is there.
    virtual void createDirectory(const std::string& path) = 0;
    // Fails with AlreadyExists when the target is another existing file.
    virtual void renameNoReplace(const std::string& from, const std::string& to) = 0;
    // Moves a finished file over an existing one in a single step.
    virtual void replace(const std::string& from, const std::string& to) = 0;
    // Free bytes on the volume holding dir, when the volume tells.
    virtual std::optional<std::uint64_t> freeSpace(const std::string& dir) = 0;
    // The size of the volume holding dir, when the volume tells.
    virtual std::optional<std::uint64_t> totalSpace(const std::string&) { return std::nullopt; }
    // True when deleted files of dir go to a trash the user can take them back from.
    virtual bool hasTrash(const std::string&) { return false; }
    // Moves the file to the trash where there is one; deletes it where there is none.
    virtual void moveToTrash(const std::string& path) { remove(path); }
    // What tells the volume holding dir from any other mounted now or later (the device id and,
    // where the kernel tells it, the mount's id; the volume serial on Windows). Throws when dir
    // cannot be reached.
    virtual std::string volumeIdentity(const std::string& dir) = 0;
    // Holds dir open; nullptr where holding it proves nothing.
    virtual std::unique_ptr<HeldDirectory> holdDirectory(const std::string&) { return nullptr; }
    // What a file takes on the volume holding dir is a whole number of these; nullopt when the
    // volume does not tell.
    virtual std::optional<std::uint64_t> allocationUnit(const std::string&) { return std::nullopt; }
    // What is wrong with the structures of the volume whose root is root, beyond its files (a
    // card image's FAT copies that differ, its directory on unreadable sectors), one sentence
    // each; empty where nothing is, or the volume does not tell.
    virtual std::vector<std::string> structureProblems(const std::string&) { return {}; }

    // Takes the lock of the card whose root is root, waiting a few seconds for another run to
    // end; throws FileError of kind CardInUse when it does not. Nothing is written to the card.
    virtual std::unique_ptr<CardLock> lockCard(const std::string& root, LockMode mode) = 0;
    // This process and boot, as temporary file names record their owner: letters, digits and
    // "-" only.
    virtual std::string ownerTag() = 0;
    // True when the process a tag names has ended, or the tag is not one of ownerTag()'s.
    virtual bool ownerGone(const std::string& tag) = 0;
    // Brings back under their own names the files that a rename between two names differing in
    // letter case only left under its hidden middle name when it was cut off; returns those
    // names. entries are dir's, as just listed. Only records whose owner is gone are taken.
    virtual std::vector<std::string> finishInterruptedRenames(
        const std::string& dir, const std::vector<DirEntry>& entries) = 0;
};

}  // namespace quodlin
