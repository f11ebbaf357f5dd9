#include "platform/player/sample_decoder.h"

#include <sndfile.h>

#include <filesystem>
#include <memory>
#include <new>

namespace quodlin {

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

constexpr sf_count_t kChunkFrames = 4096;

DecodeResult Failure(std::string error) {
    return {Sample{}, std::move(error)};
}

}  // namespace

DecodeResult DecodeSample(const std::string& path) {
    // Opening a FIFO would wait for a writer, and the window with it.
    std::error_code code;
    const auto status = std::filesystem::status(path, code);
    if (!code && !std::filesystem::is_regular_file(status)) {
        return Failure(path + ": not a regular file");
    }
    SF_INFO info{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) return Failure(path + ": " + sf_strerror(nullptr));
    if (info.channels <= 0 || info.samplerate <= 0) return Failure(path + ": no sound in the file");

    Sample sample;
    sample.rate = info.samplerate;
    sample.channels = info.channels;
    try {
        // The header's frame count may lie in a damaged file, so read until the data ends.
        std::size_t used = 0;
        for (;;) {
            sample.samples.resize(used + kChunkFrames * info.channels);
            sf_count_t got = sf_readf_float(file.get(), sample.samples.data() + used, kChunkFrames);
            if (got <= 0) break;
            used += static_cast<std::size_t>(got) * info.channels;
        }
        sample.samples.resize(used);
        sample.samples.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return Failure(path + ": too large to play");
    }
    if (sample.samples.empty()) return Failure(path + ": no sound in the file");
    return {std::move(sample), {}};
}

}  // namespace quodlin
