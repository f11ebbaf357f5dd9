#include "platform/audio/pcm16_wav.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace quodlin {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// The gain that keeps every rounded value within 16 bits, dither included.
float HeadroomGain(const std::vector<float>& values, bool dither) {
    if (values.empty()) return 1.0f;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double margin = dither ? 1.0 : 0.0;
    const double highest = 32767.49 - margin;
    const double lowest = -32768.49 + margin;
    double gain = 1.0;
    if (*high * 32768.0 > highest) gain = std::min(gain, highest / (*high * 32768.0));
    if (*low * 32768.0 < lowest) gain = std::min(gain, lowest / (*low * 32768.0));
    return static_cast<float>(gain);
}

}  // namespace

std::string Pcm16WavHeader(int channels, int rate, std::uint64_t frames) {
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(channels) * 2;
    const auto dataBytes = static_cast<std::uint32_t>(frames * blockAlign);
    std::string header = "RIFF";
    Put(header, 36 + dataBytes, 4);
    header += "WAVEfmt ";
    Put(header, 16, 4);
    Put(header, 1, 2);  // PCM
    Put(header, static_cast<std::uint32_t>(channels), 2);
    Put(header, static_cast<std::uint32_t>(rate), 4);
    Put(header, static_cast<std::uint32_t>(rate) * blockAlign, 4);
    Put(header, blockAlign, 2);
    Put(header, 16, 2);
    header += "data";
    Put(header, dataBytes, 4);
    return header;
}

std::vector<std::int16_t> ToPcm16(const std::vector<float>& values, bool dither) {
    const float gain = HeadroomGain(values, dither);
    // A fixed seed: the same source always converts to the same bytes.
    std::minstd_rand noise(1);
    std::uniform_real_distribution<float> half(-0.5f, 0.5f);
    std::vector<std::int16_t> result(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        float value = values[i] * gain * 32768.0f;
        if (dither) value += half(noise) + half(noise);
        result[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
    return result;
}

}  // namespace quodlin
