// The command line's sound module: libsndfile and libsoxr come with it, not with quodlin-card.
#include "platform/audio/card_sound_module.h"

#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"

extern "C" __attribute__((visibility("default"))) quodlin::CardSound* quodlin_card_sound() {
    static quodlin::SndfileSampleFormats formats;
    static quodlin::SoxrSampleConverter converter;
    static quodlin::CardSound sound{formats, converter};
    return &sound;
}
