#include "platform/audio/pcm16_wav.h"

#include <algorithm>
#include <cmath>

namespace quodlin {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
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

float HeadroomGain(float peak, bool dither) {
    // The negative limit is one step further out, so the positive one decides.
    const double highest = 32767.49 - (dither ? 1.0 : 0.0);
    const double loudest = static_cast<double>(peak) * 32768.0;
    return loudest > highest ? static_cast<float>(highest / loudest) : 1.0f;
}

float Pcm16Encoder::noise() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    constexpr float kScale = 1.0f / 4294967296.0f;
    const auto high = static_cast<std::uint32_t>(state_ >> 32);
    const auto low = static_cast<std::uint32_t>(state_);
    return (static_cast<float>(high) - static_cast<float>(low)) * kScale;
}

void Pcm16Encoder::encode(const float* values, std::size_t count, std::vector<std::int16_t>& out) {
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        float value = values[i] * gain_;
        if (dither_) value += noise();
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
}

}  // namespace quodlin
