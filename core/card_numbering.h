#pragma once

#include <string>
#include <string_view>

namespace quodlin {

// The two working modes: samples (".wav") and banks (".es1").
enum class Mode { Samples, Banks };

// The instrument recognises 101 names per mode: counter 0 to 100.
inline constexpr int kCardNameCount = 101;

const char* ModeExtension(Mode mode);
// Whether name is a file of the mode: it ends in the mode's extension, in any letter case.
bool HasModeExtension(std::string_view name, Mode mode);
const char* SectionHeader(Mode mode);

// The card file name for counter n (0 to 100): "00.wav" ... "100.wav", "1.es1" ... "101.es1".
std::string CardFileName(Mode mode, int n);

}  // namespace quodlin
