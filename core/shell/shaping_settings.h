#pragma once

#include <optional>
#include <string>

#include "platform/sample_shaping.h"
#include "platform/settings.h"

namespace quodlin {

// Levels a sample is normalized or trimmed to, in dBFS: below -96 even 16 bits hold only silence.
inline constexpr double kLowestLevelDb = -96.0;

// A level written as text: a number from -96 to 0; none when it is not one.
std::optional<double> LevelDb(const std::string& text);

// The shaping last chosen in the window, with its levels, in section "Prepare" of the settings;
// none at first.
SampleShaping ReadShaping(Settings& settings);
// Throws SettingsError when the store cannot be written.
void StoreShaping(Settings& settings, const SampleShaping& shaping);

}  // namespace quodlin
