#include <iostream>

#include "cli/card_command.h"
#include "platform/local/command_line.h"
#include "platform/local/local_file_system.h"
#if QUODLIN_SOUND && !defined(_WIN32)
#include "platform/audio/lazy_card_sound.h"
#elif QUODLIN_SOUND
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#else
#include "platform/local/no_sound.h"
#endif

int main(int argc, char** argv) {
    quodlin::LocalFileSystem fs;
    const std::vector<std::string> args = quodlin::Utf8Arguments(argc, argv);
#if QUODLIN_SOUND && !defined(_WIN32)
    // The sound libraries are loaded only by a command that reads or converts a sample.
    quodlin::LazyCardSound sound(quodlin::CardSoundFolders(QUODLIN_CARD_SOUND_DIR));
    quodlin::SampleFormats& formats = sound;
    quodlin::SampleConverter& converter = sound;
#elif QUODLIN_SOUND
    quodlin::SndfileSampleFormats formats;
    quodlin::SoxrSampleConverter converter;
#else
    quodlin::NoSampleFormats formats;
    quodlin::NoSampleConverter converter;
#endif
    return quodlin::RunCardCommand(args, fs, {formats, converter}, std::cout, std::cerr);
}
