#include "platform/player/sample_decoder.h"

#include <new>

#include "platform/audio/sound_file.h"
#include "platform/file_system.h"

namespace quodlin {
namespace {

constexpr std::size_t kChunkFrames = 4096;

DecodeResult Failure(std::string error) {
    return {Sample{}, std::move(error)};
}

}  // namespace

DecodeResult DecodeSample(FileSystem* files, const std::string& path) {
    SoundFile file(files, path);
    if (!file.format().regular) return Failure(path + ": not a regular file");
    if (!file.isOpen()) return Failure(path + ": " + file.openError());
    const SampleFormat& format = file.format();
    if (format.channels <= 0 || format.rate <= 0) return Failure(path + ": no sound in the file");

    Sample sample;
    sample.rate = format.rate;
    sample.channels = format.channels;
    const auto width = static_cast<std::size_t>(format.channels);
    try {
        // The header's frame count may lie in a damaged file, so read until the data ends.
        std::size_t used = 0;
        for (;;) {
            sample.samples.resize(used + kChunkFrames * width);
            const std::size_t got = file.read(sample.samples.data() + used, kChunkFrames);
            if (got == 0) break;
            used += got * width;
        }
        sample.samples.resize(used);
        sample.samples.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return Failure(path + ": too large to play");
    } catch (const FileError& error) {
        return Failure(error.what());
    }
    if (sample.samples.empty()) return Failure(path + ": no sound in the file");
    return {std::move(sample), {}};
}

}  // namespace quodlin
