#pragma once

#include <memory>

#include "platform/player.h"
#include "platform/sample_converter.h"
#include "platform/sample_formats.h"
#include "platform/sample_overviews.h"

namespace quodlin {

// What the window program does with sound: it reads formats and waveforms, converts and plays.
// These live in a module of their own, loaded the first time one is needed, so that the window
// does not wait for the sound libraries at start.
class SoundParts {
public:
    virtual ~SoundParts() = default;
    virtual SampleFormats& formats() = 0;
    virtual SampleConverter& converter() = 0;
    virtual SampleOverviews& overviews() = 0;
    // A player for the thread that calls this, which must run an event loop.
    virtual std::unique_ptr<Player> newPlayer() = 0;
};

// The module's one entry: the parts, made once and kept for the program's life, reading every
// file through files.
using SoundPartsEntry = SoundParts* (*)(FileSystem& files);
inline constexpr const char* kSoundPartsEntry = "quodlin_sound_parts";
inline constexpr const char* kSoundModuleName = "quodlin-sound";

}  // namespace quodlin
