#include "core/image/image_file_system.h"

#include <algorithm>
#include <cstring>

#include "core/messages/messages.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {

struct ImageFileSystem::Snapshot {
    std::shared_ptr<InputFile> input;
    FileStamp stamp;
    FatImage fat;
};

namespace {

constexpr const char* kInputOutputError = "input/output error";

// A file of the image, read through the extents of its clusters.
class ImageInputFile : public InputFile {
public:
    ImageInputFile(std::shared_ptr<InputFile> image, ImageFile file, std::string path,
                   std::shared_ptr<const DdrescueMap> map)
        : image_(std::move(image)),
          file_(std::move(file)),
          path_(std::move(path)),
          map_(std::move(map)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t got = readAt(position_, buffer, size);
        position_ += got;
        return got;
    }

    // Reads within one extent at a time; the bytes before an unreadable sector come first, and
    // the next read, which starts on it, fails.
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) override {
        std::size_t got = 0;
        std::uint64_t start = 0;
        for (const ByteRange& extent : file_.extents) {
            if (got == size) break;
            const std::uint64_t at = offset + got;
            if (at >= start + extent.size) {
                start += extent.size;
                continue;
            }
            const std::uint64_t within = at - start;
            ByteRange wanted{extent.start + within,
                             std::min<std::uint64_t>(extent.size - within, size - got)};
            const ByteRange* bad = map_->firstBadIn(wanted);
            if (bad && bad->start <= wanted.start) {
                if (got > 0) return got;
                throw FileError(FileErrorKind::Other, path_, kInputOutputError);
            }
            if (bad) wanted.size = bad->start - wanted.start;
            const std::size_t read =
                image_->readAt(wanted.start, buffer + got, static_cast<std::size_t>(wanted.size));
            got += read;
            // The bytes before an unreadable sector, or the end of the image, end this read.
            if (bad || read < wanted.size) break;
            start += extent.size;
        }
        return got;
    }

    FileStamp stamp() override { return {file_.entry.size, file_.entry.modified}; }

private:
    std::shared_ptr<InputFile> image_;
    ImageFile file_;
    std::string path_;
    std::shared_ptr<const DdrescueMap> map_;
    std::uint64_t position_ = 0;
};

}  // namespace

ImageFileSystem::ImageFileSystem(FileSystem& computer, std::string image, DdrescueMap map)
    : computer_(computer),
      image_(std::move(image)),
      map_(std::make_shared<const DdrescueMap>(std::move(map))) {}

std::shared_ptr<const ImageFileSystem::Snapshot> ImageFileSystem::snapshot() {
    {
        const std::lock_guard lock(mutex_);
        if (snapshot_) return snapshot_;
    }
    return reread();
}

std::shared_ptr<const ImageFileSystem::Snapshot> ImageFileSystem::reread() {
    auto next = std::make_shared<Snapshot>();
    next->input = computer_.openForReading(image_);
    next->stamp = next->input->stamp();
    try {
        next->fat = FatImage::Read(*next->input, *map_);
    } catch (const ImageDamage& damage) {
        throw FileError(FileErrorKind::Other, image_,
                        std::string("it is not a card image Quodlin can read: ") + damage.what());
    }
    const std::lock_guard lock(mutex_);
    snapshot_ = std::move(next);
    return snapshot_;
}

const ImageFile& ImageFileSystem::fileAt(const Snapshot& snapshot, const std::string& path) const {
    const std::string prefix = JoinNative(image_, "");
    const auto& files = snapshot.fat.files;
    if (path.starts_with(prefix)) {
        const std::string name = path.substr(prefix.size());
        const auto found = FindName(files.begin(), files.end(), name,
                                    [](const ImageFile& file) { return file.entry.name; });
        if (found != files.end()) return *found;
    }
    throw FileError(FileErrorKind::NotFound, path, "no such file or directory");
}

std::vector<DirEntry> ImageFileSystem::list(const std::string& dir) {
    // Only the root is read: the instrument keeps nothing in folders.
    if (dir != image_) {
        if (!fileAt(*snapshot(), dir).entry.isDirectory) {
            throw FileError(FileErrorKind::Other, dir, "not a directory");
        }
        return {};
    }
    std::vector<DirEntry> entries;
    for (const ImageFile& file : reread()->fat.files) {
        DirEntry entry{file.entry.name, file.entry.isDirectory, false, "", file.damage};
        if (entry.damaged.empty() && file.onBadSectors) {
            entry.damaged = "some of it lies on unreadable sectors";
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool ImageFileSystem::isDirectory(const std::string& path) {
    if (path == image_) return true;
    try {
        return fileAt(*snapshot(), path).entry.isDirectory;
    } catch (const FileError& error) {
        if (error.kind() == FileErrorKind::NotFound) return false;
        throw;
    }
}

std::uint64_t ImageFileSystem::fileSize(const std::string& path) {
    return fileAt(*snapshot(), path).entry.size;
}

std::unique_ptr<InputFile> ImageFileSystem::openForReading(const std::string& path) {
    const auto current = snapshot();
    const ImageFile& file = fileAt(*current, path);
    if (file.entry.isDirectory) throw FileError(FileErrorKind::Other, path, "is a directory");
    return std::make_unique<ImageInputFile>(current->input, file, path, map_);
}

void ImageFileSystem::refuseWrite(const std::string& path) const {
    throw FileError(FileErrorKind::WriteProtected, path, ImageIsReadOnly(image_));
}

std::unique_ptr<OutputFile> ImageFileSystem::createNew(const std::string& path) {
    refuseWrite(path);
}

void ImageFileSystem::remove(const std::string& path) {
    refuseWrite(path);
}

void ImageFileSystem::createDirectory(const std::string& path) {
    refuseWrite(path);
}

void ImageFileSystem::renameNoReplace(const std::string& from, const std::string&) {
    refuseWrite(from);
}

void ImageFileSystem::replace(const std::string&, const std::string& to) {
    refuseWrite(to);
}

std::optional<std::uint64_t> ImageFileSystem::freeSpace(const std::string&) {
    return snapshot()->fat.freeBytes;
}

std::optional<std::uint64_t> ImageFileSystem::totalSpace(const std::string&) {
    const FatLayout& layout = snapshot()->fat.layout;
    return std::uint64_t{layout.clusterCount} * layout.clusterBytes;
}

std::string ImageFileSystem::volumeIdentity(const std::string& dir) {
    if (dir != image_ && !dir.starts_with(JoinNative(image_, ""))) {
        throw FileError(FileErrorKind::NotFound, dir, "no such file or directory");
    }
    // Another image put in its place, or the same one written again, is another card.
    const FileStamp stamp = computer_.openForReading(image_)->stamp();
    return "image " + std::to_string(stamp.size) + " " + std::to_string(stamp.modified) + " " +
           computer_.volumeIdentity(image_);
}

std::optional<std::uint64_t> ImageFileSystem::allocationUnit(const std::string&) {
    return snapshot()->fat.layout.clusterBytes;
}

std::vector<std::string> ImageFileSystem::structureProblems(const std::string&) {
    return snapshot()->fat.notes;
}

std::unique_ptr<CardLock> ImageFileSystem::lockCard(const std::string&, LockMode) {
    // Nothing changes an image Quodlin opens, so no run needs to wait for another.
    return std::make_unique<CardLock>();
}

std::string ImageFileSystem::ownerTag() {
    return computer_.ownerTag();
}

bool ImageFileSystem::ownerGone(const std::string& tag) {
    return computer_.ownerGone(tag);
}

std::vector<std::string> ImageFileSystem::finishInterruptedRenames(const std::string&,
                                                                   const std::vector<DirEntry>&) {
    return {};
}

}  // namespace quodlin
