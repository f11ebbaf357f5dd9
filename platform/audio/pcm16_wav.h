#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quodlin {

// The 44-byte header of a canonical 16-bit PCM WAV file.
std::string Pcm16WavHeader(int channels, int rate, std::uint64_t frames);

// Turns interleaved values (full scale 1.0) into 16-bit integers. Values beyond what 16 bits
// hold are first scaled down as a whole, so nothing clips or wraps; with dither, TPDF noise of
// one step's width is added before rounding.
std::vector<std::int16_t> ToPcm16(const std::vector<float>& values, bool dither);

}  // namespace quodlin
