#include "core/archive/file_hash.h"

#include <vector>

#include "core/archive/sha256.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/io/whole_read.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

constexpr std::size_t kChunk = std::size_t{256} * 1024;

}  // namespace

std::string FileSha256(FileSystem& fs, const std::string& path) {
    auto input = fs.openForReading(path);
    WholeRead whole(*input, path);
    std::vector<char> buffer(kChunk);
    Sha256 sum;
    while (const std::size_t got = whole.read(buffer.data(), buffer.size())) {
        sum.update(buffer.data(), got);
    }
    return sum.hexDigest();
}

std::string CopyHashed(FileSystem& from, const std::string& source, FileSystem& to,
                       const std::string& target, const ChunkWritten& onChunk) {
    auto input = from.openForReading(source);
    Sha256 sum;
    const auto copyHashing = [&](OutputFile& out) {
        WholeRead whole(*input, source);
        std::vector<char> buffer(kChunk);
        while (const std::size_t got = whole.read(buffer.data(), buffer.size())) {
            sum.update(buffer.data(), got);
            out.write(buffer.data(), got);
            if (!onChunk(got)) {
                throw FileError(FileErrorKind::Canceled, target, kCopyCanceled);
            }
        }
    };
    UnsyncedCopy copy;
    if (auto failure =
            FillUnsynced(to, target, copy, copyHashing, [] { return std::uint64_t{0}; })) {
        throw failure->error;
    }
    if (auto error = FinishCopy(to, copy)) throw *error;
    return sum.hexDigest();
}

}  // namespace quodlin
