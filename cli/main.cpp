#include <iostream>

#include "cli/card_command.h"
#include "platform/local/command_line.h"
#include "platform/local/local_file_system.h"
#if QUODLIN_SOUND
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#else
#include "platform/local/no_sound.h"
#endif

int main(int argc, char** argv) {
    quodlin::LocalFileSystem fs;
    const std::vector<std::string> args = quodlin::Utf8Arguments(argc, argv);
#if QUODLIN_SOUND
    quodlin::SndfileSampleFormats formats;
    quodlin::SoxrSampleConverter converter;
#else
    quodlin::NoSampleFormats formats;
    quodlin::NoSampleConverter converter;
#endif
    return quodlin::RunCardCommand(args, fs, {formats, converter}, std::cout, std::cerr);
}
