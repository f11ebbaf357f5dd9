#include "core/samples/shaping_settings.h"

#include <string>

#include "core/shell/startup.h"

namespace quodlin {
namespace {

constexpr const char* kSection = "Prepare";
constexpr const char* kMono = "Mono";
constexpr const char* kEightBit = "EightBit";
constexpr const char* kNormalize = "Normalize";
constexpr const char* kTrim = "Trim";

}  // namespace

SampleShaping ReadShaping(Settings& settings) {
    const auto on = [&](const char* key) {
        return settings.read(kSettingsApplication, kSection, key, "0") == "1";
    };
    SampleShaping shaping;
    shaping.mono = on(kMono);
    shaping.eightBit = on(kEightBit);
    if (on(kNormalize)) shaping.normalizeDb = kNormalizeDb;
    if (on(kTrim)) shaping.trimDb = kTrimDb;
    return shaping;
}

void StoreShaping(Settings& settings, const SampleShaping& shaping) {
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    settings.writeAll(kSettingsApplication,
                      {{kSection, kMono, flag(shaping.mono)},
                       {kSection, kEightBit, flag(shaping.eightBit)},
                       {kSection, kNormalize, flag(shaping.normalizeDb.has_value())},
                       {kSection, kTrim, flag(shaping.trimDb.has_value())}});
}

}  // namespace quodlin
