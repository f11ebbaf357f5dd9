#include "core/file_copy.h"

#include <memory>

#include "core/file_io.h"

namespace quodlin {
namespace {

constexpr std::size_t kChunkSize = 1 << 20;

std::uint64_t SizeOrZero(FileSystem& fs, const std::string& path) {
    try {
        return fs.fileSize(path);
    } catch (const FileError&) {
        return 0;
    }
}

}  // namespace

std::optional<CopyFailure> CopyToNewFile(FileSystem& fs, const std::string& source,
                                         const std::string& target) {
    std::unique_ptr<InputFile> input;
    try {
        input = fs.openForReading(source);
    } catch (const FileError& error) {
        return CopyFailure{error, false, SizeOrZero(fs, source)};
    }
    std::unique_ptr<OutputFile> output;
    try {
        output = fs.createNew(target);
    } catch (const FileError& error) {
        return CopyFailure{error, false, SizeOrZero(fs, source)};
    }
    try {
        // Not zero-filled: every byte written is one read first.
        const std::unique_ptr<char[]> buffer(new char[kChunkSize]);
        while (const std::size_t got = input->read(buffer.get(), kChunkSize)) {
            output->write(buffer.get(), got);
        }
        output->sync();
        output->close();
        return std::nullopt;
    } catch (const FileError& error) {
        output.reset();
        RemoveQuietly(fs, target);
        return CopyFailure{error, true, SizeOrZero(fs, source)};
    }
}

bool IsVolumeFull(FileSystem& fs, const std::string& dir, const CopyFailure& failure) {
    if (failure.error.kind() == FileErrorKind::NoSpace) return true;
    if (!failure.targetCreated) return false;
    try {
        const auto free = fs.freeSpace(dir);
        return free && *free < failure.sourceSize;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace quodlin
