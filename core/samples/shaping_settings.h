#pragma once

#include "platform/sample_shaping.h"
#include "platform/settings.h"

namespace quodlin {

// The shaping last chosen in the window, in section "Prepare" of the settings; none at first.
SampleShaping ReadShaping(Settings& settings);
// Throws SettingsError when the store cannot be written.
void StoreShaping(Settings& settings, const SampleShaping& shaping);

}  // namespace quodlin
