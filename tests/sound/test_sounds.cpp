#include "tests/sound/test_sounds.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace quodlin::test {

namespace {

std::vector<float> Render(int rate, int channels, const std::vector<Tone>& tones) {
    std::vector<float> samples;
    double phase = 0;
    for (const Tone& tone : tones) {
        const auto frames = static_cast<long>(std::lround(tone.seconds * rate));
        for (long f = 0; f < frames; ++f) {
            const auto value = static_cast<float>(tone.amplitude * std::sin(phase));
            samples.insert(samples.end(), channels, value);
            phase += 2 * std::numbers::pi * tone.frequency / rate;
        }
    }
    return samples;
}

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

void WriteTones(const std::string& path, int format, int rate, int channels,
                const std::vector<Tone>& tones) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    const std::vector<float> samples = Render(rate, channels, tones);
    const sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
    const sf_count_t written = sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    if (written != frames) throw std::runtime_error(path + ": short write");
}

void WriteOddChunkWav(const std::string& path, int rate, const Tone& tone) {
    const std::vector<float> samples = Render(rate, 1, {tone});
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    PutLittleEndian(out, 4 + (8 + 16) + (8 + 3 + 1) + (8 + dataBytes), 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 1, 2);  // mono
    PutLittleEndian(out, rate, 4);
    PutLittleEndian(out, rate * 2, 4);
    PutLittleEndian(out, 2, 2);
    PutLittleEndian(out, 16, 2);
    out.write("note", 4);
    PutLittleEndian(out, 3, 4);
    out.write("ES1\0", 4);  // three bytes and the pad byte
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (float value : samples) {
        PutLittleEndian(out, static_cast<std::uint16_t>(std::lround(value * 32767)), 2);
    }
    if (!out.flush()) throw std::runtime_error(path + ": write failed");
}

std::vector<SoundFile> EveryKindOfSoundFile() {
    return {
        {"u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 22050, 1},
        {"s16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1},
        {"s24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2},
        {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 32000, 1},
        {"extensible.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 44100, 2},
        {"odd_chunk.wav", 0, 44100, 1},
    };
}

void WriteSoundFile(const std::string& path, const SoundFile& kind, const Tone& tone) {
    if (kind.format == 0) {
        WriteOddChunkWav(path, kind.rate, tone);
    } else {
        WriteTones(path, kind.format, kind.rate, kind.channels, {tone});
    }
}

ReadBack ReadSound(const std::string& path) {
    ReadBack sound;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &sound.info);
    if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    sound.values.resize(static_cast<std::size_t>(sound.info.frames * sound.info.channels));
    sf_readf_float(file, sound.values.data(), sound.info.frames);
    sf_close(file);
    return sound;
}

int OpenHandlesTo(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path target = fs::weakly_canonical(path);
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const fs::path link = fs::read_symlink(entry.path(), error);
        if (!error && link == target) ++count;
    }
    return count;
}

}  // namespace quodlin::test
