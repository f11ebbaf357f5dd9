#include "platform/audio/sndfile_sample_formats.h"

#include "platform/audio/sound_file.h"

namespace quodlin {

SampleFormat SndfileSampleFormats::read(const std::string& path) {
    return SoundFile(files_, path).format();
}

SampleFormat SndfileSampleFormats::read(FileSystem& fs, const std::string& path) {
    return SoundFile(fs, path).format();
}

}  // namespace quodlin
