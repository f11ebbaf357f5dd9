#include "core/io/file_copy.h"

#include "core/io/file_io.h"
#include "core/io/whole_read.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

// Small enough that a card reader of 1.5 MB/s sees Cancel within a fifth of a second.
constexpr std::size_t kChunkSize = std::size_t{256} * 1024;

std::uint64_t SizeOrZero(FileSystem& fs, const std::string& path) {
    try {
        return fs.fileSize(path);
    } catch (const FileError&) {
        return 0;
    }
}

}  // namespace

std::optional<CopyFailure> FillUnsynced(FileSystem& fs, const std::string& target,
                                        UnsyncedCopy& copy, const FillFile& fill,
                                        const std::function<std::uint64_t()>& sizeOnFailure) {
    try {
        copy.file = fs.createNew(target);
    } catch (const FileError& error) {
        return CopyFailure{error, false, sizeOnFailure()};
    }
    copy.path = target;
    try {
        fill(*copy.file);
        return std::nullopt;
    } catch (const FileError& error) {
        copy.file.reset();
        RemoveQuietly(fs, target);
        return CopyFailure{error, true, sizeOnFailure()};
    } catch (...) {
        // Out of memory, say: the run ends with the error, but no part of the file stays.
        copy.file.reset();
        RemoveQuietly(fs, target);
        throw;
    }
}

std::optional<CopyFailure> CopyUnsynced(FileSystem& from, const std::string& source, FileSystem& to,
                                        const std::string& target, UnsyncedCopy& copy,
                                        const ChunkWritten& onChunk) {
    const auto sourceSize = [&] { return SizeOrZero(from, source); };
    std::unique_ptr<InputFile> input;
    try {
        input = from.openForReading(source);
    } catch (const FileError& error) {
        return CopyFailure{error, false, sourceSize()};
    }
    const auto copyChunks = [&](OutputFile& out) {
        WholeRead whole(*input, source);
        // Not zero-filled: every byte written is one read first.
        const std::unique_ptr<char[]> buffer(new char[kChunkSize]);
        for (;;) {
            const std::size_t written = out.writeFrom(*input, buffer.get(), kChunkSize);
            whole.counted(written);
            if (written == 0) break;
            if (onChunk && !onChunk(written)) {
                throw FileError(FileErrorKind::Canceled, target, kCopyCanceled);
            }
        }
    };
    return FillUnsynced(to, target, copy, copyChunks, sourceSize);
}

std::optional<FileError> FinishCopy(FileSystem& fs, UnsyncedCopy& copy) {
    try {
        copy.file->sync();
        copy.file->close();
        copy.file.reset();
        return std::nullopt;
    } catch (const FileError& error) {
        copy.file.reset();
        RemoveQuietly(fs, copy.path);
        return error;
    }
}

std::optional<CopyFailure> CopyToNewFile(FileSystem& from, const std::string& source,
                                         FileSystem& to, const std::string& target,
                                         const ChunkWritten& onChunk) {
    UnsyncedCopy copy;
    if (auto failure = CopyUnsynced(from, source, to, target, copy, onChunk)) return failure;
    if (auto error = FinishCopy(to, copy)) {
        return CopyFailure{*error, true, SizeOrZero(from, source)};
    }
    return std::nullopt;
}

std::uint64_t TotalBytes(FileSystem& fs, const std::vector<std::string>& paths) {
    std::uint64_t total = 0;
    for (const std::string& path : paths) {
        try {
            total += fs.fileSize(path);
        } catch (const FileError&) {
        }
    }
    return total;
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
