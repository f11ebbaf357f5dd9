#pragma once

#include "platform/sample_converter.h"
#include "platform/sample_formats.h"

namespace quodlin {

// What the command line does with sound, in a module of its own that it loads the first time it
// reads or converts a sample, so that a list or a copy does not wait for the sound libraries.
struct CardSound {
    SampleFormats& formats;
    SampleConverter& converter;
};

using CardSoundEntry = CardSound* (*)();
inline constexpr const char* kCardSoundEntry = "quodlin_card_sound";
inline constexpr const char* kCardSoundModuleName = "quodlin-card-sound";

}  // namespace quodlin
