#include "platform/local/no_sound.h"

#include <filesystem>
#include <system_error>

#include "platform/local/local_file_system_paths.h"

namespace quodlin {

SampleFormat NoSampleFormats::read(const std::string& path) {
    SampleFormat format;
    std::error_code code;
    const auto size = std::filesystem::file_size(PathOf(path), code);
    format.bytes = code ? 0 : size;
    return format;
}

ConversionNotes NoSampleConverter::convert(const std::string& sourcePath, const SampleShaping&,
                                           OutputFile&) {
    throw FileError(FileErrorKind::Other, sourcePath, kNoSoundBuild);
}

}  // namespace quodlin
