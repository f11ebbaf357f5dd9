#include "platform/audio/soxr_sample_converter.h"

#include <soxr.h>

#include <cmath>
#include <cstring>

#include "platform/audio/pcm16_wav.h"
#include "platform/audio/sndfile_format.h"

namespace quodlin {
namespace {

constexpr sf_count_t kReadFrames = 1 << 16;
constexpr std::size_t kWriteBytes = 1 << 20;

struct Sound {
    SampleFormat format;
    std::vector<float> values;  // interleaved

    std::size_t frames() const { return values.size() / static_cast<std::size_t>(format.channels); }
};

Sound ReadSound(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = OpenSound(path, info);
    if (!file) throw FileError(FileErrorKind::Other, path, "not a sound file");
    Sound sound{FormatOf(info), {}};
    std::vector<float> chunk(static_cast<std::size_t>(kReadFrames * info.channels));
    while (const sf_count_t got = sf_readf_float(file, chunk.data(), kReadFrames)) {
        sound.values.insert(sound.values.end(), chunk.begin(), chunk.begin() + got * info.channels);
    }
    const bool failed = sf_error(file) != SF_ERR_NO_ERROR;
    const std::string reason = sf_strerror(file);
    sf_close(file);
    if (failed) throw FileError(FileErrorKind::Other, path, reason);
    return sound;
}

// The sound at the instrument's rate, as many frames as the source's length rounds to.
std::vector<float> Resample(const Sound& sound, const std::string& path) {
    if (sound.format.rate == kInstrumentRate) return sound.values;
    const auto channels = static_cast<unsigned>(sound.format.channels);
    const std::size_t frames = static_cast<std::size_t>(
        std::llround(static_cast<double>(sound.frames()) * kInstrumentRate / sound.format.rate));
    std::vector<float> out(frames * channels, 0.0f);
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    std::size_t used = 0;
    std::size_t done = 0;
    const soxr_error_t error = soxr_oneshot(sound.format.rate, kInstrumentRate, channels,
                                            sound.values.data(), sound.frames(), &used,
                                            out.data(), frames, &done, &io, &quality, nullptr);
    if (error) throw FileError(FileErrorKind::Other, path, error);
    // A few frames short at the very end are left silent, which keeps the source's length.
    return out;
}

void WriteAll(OutputFile& out, const char* data, std::size_t size) {
    for (std::size_t at = 0; at < size; at += kWriteBytes) {
        out.write(data + at, std::min(kWriteBytes, size - at));
    }
}

}  // namespace

void SoxrSampleConverter::convert(const std::string& sourcePath, OutputFile& out) {
    const Sound sound = ReadSound(sourcePath);
    const std::vector<std::int16_t> pcm =
        ToPcm16(Resample(sound, sourcePath), ShortensWords(sound.format));
    const int channels = sound.format.channels;
    const std::string header =
        Pcm16WavHeader(channels, kInstrumentRate, pcm.size() / static_cast<std::size_t>(channels));
    out.write(header.data(), header.size());
    // WAV is little-endian, as is every machine this runs on; the bytes are written as they are.
    WriteAll(out, reinterpret_cast<const char*>(pcm.data()), pcm.size() * sizeof(std::int16_t));
}

}  // namespace quodlin
