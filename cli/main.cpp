#include <iostream>

#include "cli/card_command.h"
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#include "platform/local_file_system.h"

int main(int argc, char** argv) {
    quodlin::LocalFileSystem fs;
    const std::vector<std::string> args(argv + 1, argv + argc);
    quodlin::SndfileSampleFormats formats;
    quodlin::SoxrSampleConverter converter;
    return quodlin::RunCardCommand(args, fs, {formats, converter}, std::cout, std::cerr);
}
