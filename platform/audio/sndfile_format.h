#pragma once

#ifdef _WIN32
#include <windows.h>
#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1
#endif
#include <sndfile.h>

#include <string>

#include "platform/sample_formats.h"

namespace quodlin {

// Opens a sound file for reading by its UTF-8 path; null when it cannot be read as sound.
SNDFILE* OpenSound(const std::string& path, SF_INFO& info);

// The format libsndfile reports for an open sound file; bytes is left to the caller.
SampleFormat FormatOf(const SF_INFO& info);

// Whether writing this format as 16-bit PCM shortens its words, so that dither is due.
bool ShortensWords(const SampleFormat& format);

}  // namespace quodlin
