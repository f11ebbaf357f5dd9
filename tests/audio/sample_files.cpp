#include "tests/audio/sample_files.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quodlin::test {

ReadBack ReadSound(const std::string& path) {
    ReadBack sound;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &sound.info);
    if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    sound.values.resize(static_cast<std::size_t>(sound.info.frames * sound.info.channels));
    sf_readf_float(file, sound.values.data(), sound.info.frames);
    sf_close(file);
    return sound;
}

void WriteTone(const std::string& path, int format, int rate, int channels, double seconds,
               double amplitude) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    const auto frames = static_cast<sf_count_t>(std::lround(seconds * rate));
    std::vector<float> values;
    for (sf_count_t f = 0; f < frames; ++f) {
        const double value = amplitude * std::sin(2 * std::numbers::pi * 440.0 * f / rate);
        values.insert(values.end(), channels, static_cast<float>(value));
    }
    const sf_count_t written = sf_writef_float(file, values.data(), frames);
    sf_close(file);
    if (written != frames) throw std::runtime_error(path + ": short write");
}

}  // namespace quodlin::test
