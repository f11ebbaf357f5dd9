#pragma once

#include <cstddef>
#include <cstdint>

namespace quodlin::test {

// One input through the catalogue reader: the bytes up to the first zero byte are names.txt,
// the rest a leftover beside it; both are read, merged, looked up and written back.
void FuzzCatalogue(const std::uint8_t* data, std::size_t size);

// One input as a sound file given to put --convert: its header is read and checked, and a
// source the check lets through is converted until its first blocks are written.
void FuzzSoundFile(const std::uint8_t* data, std::size_t size);

// One input as a card image, zeros after it up to 1 MiB, and its second half as a ddrescue map:
// the image is listed and every file read through it, with and without the map.
void FuzzCardImage(const std::uint8_t* data, std::size_t size);

}  // namespace quodlin::test
