#include "platform/audio/sndfile_sample_formats.h"

#include <filesystem>
#include <system_error>

#include "platform/audio/sndfile_format.h"
#include "platform/local_file_system_paths.h"

namespace quodlin {

SampleFormat SndfileSampleFormats::read(const std::string& path) {
    SampleFormat format;
    SF_INFO info{};
    if (SNDFILE* file = OpenSound(path, info)) {
        format = FormatOf(info);
        sf_close(file);
    }
    std::error_code code;
    const auto size = std::filesystem::file_size(PathOf(path), code);
    format.bytes = code ? 0 : size;
    return format;
}

}  // namespace quodlin
