#include "core/archive/sector_rescue.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/archive/sha256.h"
#include "core/io/file_copy.h"
#include "core/text/text_functions.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;
constexpr std::size_t kSector = 512;
constexpr int kTries = 4;
constexpr int kOpenTries = 3;

// Reads [offset, offset + size) whole, or tells how much of it came before a failure or an
// early end.
std::size_t ReadSpan(InputFile& input, std::uint64_t offset, char* buffer, std::size_t size) {
    std::size_t got = 0;
    try {
        while (got < size) {
            const std::size_t read = input.readAt(offset + got, buffer + got, size - got);
            if (read == 0) break;
            got += read;
        }
    } catch (const FileError& error) {
        if (error.kind() == FileErrorKind::CardRemoved) throw;
    }
    return got;
}

class Rescue {
public:
    Rescue(InputFile& input, std::string name, RunObserver& observer)
        : input_(input), name_(std::move(name)), observer_(observer) {}

    // Fills block with the bytes at offset, sector by sector where the block did not come
    // whole, zeros where a sector never did.
    void read(std::uint64_t offset, char* block, std::size_t size) {
        const std::size_t whole = ReadSpan(input_, offset, block, size);
        if (whole == size) return;
        for (std::size_t at = whole - whole % kSector; at < size; at += kSector) {
            const std::size_t sector = std::min(kSector, size - at);
            if (!retried(offset + at, block + at, sector)) {
                std::fill(block + at, block + at + sector, '\0');
                result_.lost.add(offset + at, offset + at + sector - 1);
            }
        }
    }

    RescuedFile& result() { return result_; }

private:
    bool retried(std::uint64_t offset, char* sector, std::size_t size) {
        for (int attempt = 1; attempt <= kTries; ++attempt) {
            if (!observer_.retrying(name_, offset, attempt)) {
                throw FileError(FileErrorKind::Canceled, name_, kCopyCanceled);
            }
            if (ReadSpan(input_, offset, sector, size) == size) return true;
        }
        return false;
    }

    InputFile& input_;
    std::string name_;
    RunObserver& observer_;
    RescuedFile result_;
};

std::unique_ptr<InputFile> OpenWithRetries(FileSystem& fs, const std::string& source,
                                           std::string& reason) {
    for (int attempt = 1;; ++attempt) {
        try {
            return fs.openForReading(source);
        } catch (const FileError& error) {
            if (error.kind() == FileErrorKind::CardRemoved || attempt == kOpenTries) {
                if (error.kind() == FileErrorKind::CardRemoved) throw;
                reason = error.reason();
                return nullptr;
            }
        }
    }
}

}  // namespace

std::uint64_t LostBytes::count() const {
    std::uint64_t total = 0;
    for (const auto& [first, last] : ranges) total += last - first + 1;
    return total;
}

void LostBytes::add(std::uint64_t first, std::uint64_t last) {
    if (!ranges.empty() && ranges.back().second + 1 == first) {
        ranges.back().second = last;
    } else {
        ranges.emplace_back(first, last);
    }
}

RescuedFile RescueFile(FileSystem& from, const std::string& source, FileSystem& to,
                       const std::string& target, RunObserver& observer) {
    std::string reason;
    const auto input = OpenWithRetries(from, source, reason);
    if (!input) {
        RescuedFile unopened;
        unopened.unopened = reason;
        return unopened;
    }
    const std::uint64_t size = input->stamp().size;
    Rescue rescue(*input, FileNameOf(source), observer);
    Sha256 sum;
    const auto fill = [&](OutputFile& out) {
        const std::unique_ptr<char[]> block(new char[kBlock]);
        for (std::uint64_t offset = 0; offset < size; offset += kBlock) {
            const auto length =
                static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - offset));
            rescue.read(offset, block.get(), length);
            sum.update(block.get(), length);
            out.write(block.get(), length);
            if (!observer.copied(length)) {
                throw FileError(FileErrorKind::Canceled, target, kCopyCanceled);
            }
        }
    };
    UnsyncedCopy copy;
    if (auto failure = FillUnsynced(to, target, copy, fill, [] { return std::uint64_t{0}; })) {
        throw failure->error;
    }
    if (auto error = FinishCopy(to, copy)) throw *error;
    RescuedFile& result = rescue.result();
    result.digest = sum.hexDigest();
    result.size = size;
    return result;
}

}  // namespace quodlin
