#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace quodlin {

// What a sound file's header says. A file no sound library can read has readable false and
// only its size.
struct SampleFormat {
    bool readable = false;
    std::string container;  // "wav", "wavex" (WAVE_FORMAT_EXTENSIBLE), "aiff", "flac", "ogg", ...
    std::string encoding;   // "pcm", "float", "ulaw", "alaw", "adpcm", "vorbis", ...
    int rate = 0;
    int bits = 0;  // bits per sample value; 0 when the encoding has no fixed width
    int channels = 0;
    std::uint64_t frames = 0;
    std::uint64_t bytes = 0;  // the file's size
    bool regular = true;      // false for a FIFO, device or folder, which is never opened
    bool consistent = true;   // false when the header claims more sound than the file holds
    // Why the file's bytes could not be read ("input/output error"); "" when they could. A file
    // that cannot be read is no proof that it is not sound.
    std::string readError;

    double seconds() const { return rate > 0 ? static_cast<double>(frames) / rate : 0.0; }
};

// Reads sample formats from their headers, without decoding the sound.
class SampleFormats {
public:
    virtual ~SampleFormats() = default;
    virtual SampleFormat read(const std::string& path) = 0;
    // The format of a file read through fs, such as one inside a card image. Implementations that
    // read no bytes of their own may leave it to read(path).
    virtual SampleFormat read(FileSystem& fs, const std::string& path) {
        (void)fs;
        return read(path);
    }
    // False in a build without the sound libraries, where no file is read as sound.
    virtual bool readsSound() const { return true; }
};

}  // namespace quodlin
