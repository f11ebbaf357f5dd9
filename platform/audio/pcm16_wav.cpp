#include "platform/audio/pcm16_wav.h"

#include <algorithm>
#include <cmath>

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

// TPDF noise of one step's width, from two uniform values per call: a xorshift generator is
// cheap enough for millions of values, and a fixed seed makes the same source convert to the
// same bytes.
class TriangularNoise {
public:
    float next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        constexpr float kScale = 1.0f / 4294967296.0f;
        const auto high = static_cast<std::uint32_t>(state_ >> 32);
        const auto low = static_cast<std::uint32_t>(state_);
        return (static_cast<float>(high) - static_cast<float>(low)) * kScale;
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

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
    TriangularNoise noise;
    std::vector<std::int16_t> result(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        float value = values[i] * gain * 32768.0f;
        if (dither) value += noise.next();
        result[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
    return result;
}

}  // namespace quodlin
