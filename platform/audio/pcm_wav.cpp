#include "platform/audio/pcm_wav.h"

#include <algorithm>
#include <cmath>

namespace quodlin {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// The steps on either side of zero: 128 for 8 bits, 32768 for 16.
double Steps(int bits) {
    return std::ldexp(1.0, bits - 1);
}

// The largest magnitude, in steps, that stays within the word once rounded and dithered. The
// negative limit is one step further out, so the positive one decides.
double Highest(int bits, bool dither) {
    return Steps(bits) - 0.51 - (dither ? 1.0 : 0.0);
}

}  // namespace

std::uint64_t PcmDataBytes(int channels, int bits, std::uint64_t frames) {
    return frames * static_cast<std::uint64_t>(channels) * static_cast<std::uint64_t>(bits / 8);
}

std::string PcmWavHeader(int channels, int rate, int bits, std::uint64_t frames) {
    const auto blockAlign = static_cast<std::uint32_t>(channels * bits / 8);
    const auto dataBytes = static_cast<std::uint32_t>(PcmDataBytes(channels, bits, frames));
    std::string header = "RIFF";
    Put(header, 36 + dataBytes + dataBytes % 2, 4);
    header += "WAVEfmt ";
    Put(header, 16, 4);
    Put(header, 1, 2);  // PCM
    Put(header, static_cast<std::uint32_t>(channels), 2);
    Put(header, static_cast<std::uint32_t>(rate), 4);
    Put(header, static_cast<std::uint32_t>(rate) * blockAlign, 4);
    Put(header, blockAlign, 2);
    Put(header, static_cast<std::uint32_t>(bits), 2);
    header += "data";
    Put(header, dataBytes, 4);
    return header;
}

float HeadroomGain(float peak, int bits, bool dither) {
    const double loudest = static_cast<double>(peak) * Steps(bits);
    const double highest = Highest(bits, dither);
    return loudest > highest ? static_cast<float>(highest / loudest) : 1.0f;
}

float NormalizingGain(float peak, double db, int bits, bool dither) {
    if (peak <= 0.0f) return 1.0f;
    const double wanted = std::min(std::pow(10.0, db / 20.0) * Steps(bits), Highest(bits, dither));
    return static_cast<float>(wanted / (static_cast<double>(peak) * Steps(bits)));
}

PcmEncoder::PcmEncoder(int bits, float gain, bool dither)
    : bits_(bits), gain_(gain * static_cast<float>(Steps(bits))), dither_(dither) {}

float PcmEncoder::noise() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    constexpr float kScale = 1.0f / 4294967296.0f;
    const auto high = static_cast<std::uint32_t>(state_ >> 32);
    const auto low = static_cast<std::uint32_t>(state_);
    return (static_cast<float>(high) - static_cast<float>(low)) * kScale;
}

void PcmEncoder::encode(const float* values, std::size_t count, std::vector<char>& out) {
    const long lowest = -static_cast<long>(Steps(bits_));
    const long highest = -lowest - 1;
    out.resize(count * static_cast<std::size_t>(bits_ / 8));
    for (std::size_t i = 0; i < count; ++i) {
        float value = values[i] * gain_;
        if (dither_) value += noise();
        const long word = std::clamp(std::lround(value), lowest, highest);
        if (bits_ == 8) {
            out[i] = static_cast<char>(word + 128);
        } else {
            out[2 * i] = static_cast<char>(word & 0xff);
            out[2 * i + 1] = static_cast<char>((word >> 8) & 0xff);
        }
    }
}

}  // namespace quodlin
