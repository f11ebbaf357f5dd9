#include "tests/platform/sound/test_sounds.h"

#include <sndfile.h>

#include <cmath>
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

}  // namespace

void WriteTones(const std::string& path, int format, int rate, int channels,
                const std::vector<Tone>& tones) {
    WriteSound(path, format, rate, channels, Render(rate, channels, tones));
}

void WriteSound(const std::string& path, int format, int rate, int channels,
                const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    const sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
    const sf_count_t written = sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    if (written != frames) throw std::runtime_error(path + ": short write");
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

}  // namespace quodlin::test
