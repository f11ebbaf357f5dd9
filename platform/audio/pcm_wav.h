#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quodlin {

// The 44-byte header of a canonical 8- or 16-bit PCM WAV file.
std::string PcmWavHeader(int channels, int rate, int bits, std::uint64_t frames);

// The bytes of sound data in such a file, before the pad byte an odd size takes.
std::uint64_t PcmDataBytes(int channels, int bits, std::uint64_t frames);

// The gain that keeps a sound whose largest magnitude is peak (full scale 1.0) within the word
// length, dither included: 1 for any sound within full scale.
float HeadroomGain(float peak, int bits, bool dither);

// The gain that brings a sound's peak to db dBFS, as near as the word length and dither allow;
// 1 for silence.
float NormalizingGain(float peak, double db, int bits, bool dither);

// Turns interleaved values (full scale 1.0) into the bytes of 8-bit (unsigned) or 16-bit
// (signed, little-endian) PCM, block by block: each value is scaled by the gain and, with
// dither, TPDF noise of one step's width is added before rounding. A value that still lies
// beyond the word length is held at the limit.
class PcmEncoder {
public:
    PcmEncoder(int bits, float gain, bool dither);
    void encode(const float* values, std::size_t count, std::vector<char>& out);

private:
    // A xorshift generator is cheap enough for millions of values, and a fixed seed makes the
    // same source convert to the same bytes.
    float noise();

    int bits_;
    float gain_;
    bool dither_;
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace quodlin
