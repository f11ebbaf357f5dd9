#include "core/image/with_card_image.h"

#include "core/text/text_functions.h"

namespace quodlin {
namespace {

bool IsIn(const ImageFileSystem& image, const std::string& path) {
    return path == image.image() || path.starts_with(JoinNative(image.image(), ""));
}

}  // namespace

void WithCardImage::open(std::shared_ptr<ImageFileSystem> image) {
    const std::lock_guard lock(mutex_);
    image_ = std::move(image);
}

std::shared_ptr<ImageFileSystem> WithCardImage::image() const {
    const std::lock_guard lock(mutex_);
    return image_;
}

bool WithCardImage::inImage(const std::string& path) const {
    const auto image = this->image();
    return image && IsIn(*image, path);
}

WithCardImage::Route WithCardImage::route(const std::string& path) const {
    auto image = this->image();
    if (image && IsIn(*image, path)) return {*image, std::move(image)};
    return {computer_, nullptr};
}

std::vector<DirEntry> WithCardImage::list(const std::string& dir) {
    return route(dir).fs.list(dir);
}

bool WithCardImage::isDirectory(const std::string& path) {
    return route(path).fs.isDirectory(path);
}

std::uint64_t WithCardImage::fileSize(const std::string& path) {
    return route(path).fs.fileSize(path);
}

std::unique_ptr<InputFile> WithCardImage::openForReading(const std::string& path) {
    return route(path).fs.openForReading(path);
}

FileStamp WithCardImage::stampOf(const std::string& path) {
    return route(path).fs.stampOf(path);
}

std::unique_ptr<OutputFile> WithCardImage::createNew(const std::string& path) {
    return route(path).fs.createNew(path);
}

void WithCardImage::remove(const std::string& path) {
    route(path).fs.remove(path);
}

void WithCardImage::createDirectory(const std::string& path) {
    route(path).fs.createDirectory(path);
}

void WithCardImage::renameNoReplace(const std::string& from, const std::string& to) {
    route(inImage(to) ? to : from).fs.renameNoReplace(from, to);
}

void WithCardImage::replace(const std::string& from, const std::string& to) {
    route(inImage(to) ? to : from).fs.replace(from, to);
}

std::optional<std::uint64_t> WithCardImage::freeSpace(const std::string& dir) {
    return route(dir).fs.freeSpace(dir);
}

std::optional<std::uint64_t> WithCardImage::totalSpace(const std::string& dir) {
    return route(dir).fs.totalSpace(dir);
}

bool WithCardImage::hasTrash(const std::string& dir) {
    return route(dir).fs.hasTrash(dir);
}

void WithCardImage::moveToTrash(const std::string& path) {
    route(path).fs.moveToTrash(path);
}

std::string WithCardImage::volumeIdentity(const std::string& dir) {
    return route(dir).fs.volumeIdentity(dir);
}

std::unique_ptr<HeldDirectory> WithCardImage::holdDirectory(const std::string& dir) {
    return route(dir).fs.holdDirectory(dir);
}

std::optional<std::uint64_t> WithCardImage::allocationUnit(const std::string& dir) {
    return route(dir).fs.allocationUnit(dir);
}

std::vector<std::string> WithCardImage::structureProblems(const std::string& root) {
    return route(root).fs.structureProblems(root);
}

std::unique_ptr<CardLock> WithCardImage::lockCard(const std::string& root, LockMode mode) {
    return route(root).fs.lockCard(root, mode);
}

std::string WithCardImage::ownerTag() {
    return computer_.ownerTag();
}

bool WithCardImage::ownerGone(const std::string& tag) {
    return computer_.ownerGone(tag);
}

std::vector<std::string> WithCardImage::finishInterruptedRenames(
    const std::string& dir, const std::vector<DirEntry>& entries) {
    return route(dir).fs.finishInterruptedRenames(dir, entries);
}

}  // namespace quodlin
