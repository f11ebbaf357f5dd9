#include "core/archive/file_hash.h"

#include <vector>

#include "core/archive/sha256.h"
#include "core/text/wording.h"
#include "core/transfers/file_io.h"

namespace quodlin {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

}  // namespace

std::string FileSha256(FileSystem& fs, const std::string& path) {
    auto input = fs.openForReading(path);
    std::vector<char> buffer(kChunk);
    Sha256 sum;
    while (const std::size_t got = input->read(buffer.data(), buffer.size())) {
        sum.update(buffer.data(), got);
    }
    return sum.hexDigest();
}

std::string CopyHashed(FileSystem& fs, const std::string& source, const std::string& target,
                       const ChunkWritten& onChunk) {
    auto input = fs.openForReading(source);
    auto output = fs.createNew(target);
    try {
        std::vector<char> buffer(kChunk);
        Sha256 sum;
        while (const std::size_t got = input->read(buffer.data(), buffer.size())) {
            sum.update(buffer.data(), got);
            output->write(buffer.data(), got);
            if (!onChunk(got)) {
                throw FileError(FileErrorKind::Canceled, target, kCopyCanceled);
            }
        }
        output->sync();
        output->close();
        return sum.hexDigest();
    } catch (const FileError&) {
        output.reset();
        RemoveQuietly(fs, target);
        throw;
    }
}

}  // namespace quodlin
