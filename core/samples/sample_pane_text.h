#pragma once

#include <string>

#include "platform/sample_formats.h"
#include "platform/sample_shaping.h"

namespace quodlin {

// The pane's first line: the format, then "ready" or what is wrong; a file that is no sound
// has its size only.
// "44100 Hz · 24-bit · stereo · 1.52 s · 95 kB · 44100 Hz, 24-bit: plays at the wrong speed."
std::string PaneFormatLine(const SampleFormat& format);

// The pane's second line: the length and the size on the card, "1.52 s · 61 kB on the card";
// for a sample on the computer as a copy with this shaping would be, "at most" when trimmed.
std::string PaneSizeLine(const SampleFormat& format, const SampleShaping& shaping, bool onCard);

}  // namespace quodlin
