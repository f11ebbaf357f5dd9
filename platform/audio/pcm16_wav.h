#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quodlin {

// The 44-byte header of a canonical 16-bit PCM WAV file.
std::string Pcm16WavHeader(int channels, int rate, std::uint64_t frames);

// The gain that keeps a sound whose largest magnitude is peak (full scale 1.0) within 16 bits,
// dither included: 1 for any sound within full scale.
float HeadroomGain(float peak, bool dither);

// Turns interleaved values (full scale 1.0) into 16-bit integers, block by block: each value is
// scaled by the gain and, with dither, TPDF noise of one step's width is added before rounding.
// A value that still lies beyond 16 bits is held at the limit.
class Pcm16Encoder {
public:
    Pcm16Encoder(float gain, bool dither) : gain_(gain * 32768.0f), dither_(dither) {}
    void encode(const float* values, std::size_t count, std::vector<std::int16_t>& out);

private:
    // A xorshift generator is cheap enough for millions of values, and a fixed seed makes the
    // same source convert to the same bytes.
    float noise();

    float gain_;
    bool dither_;
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace quodlin
