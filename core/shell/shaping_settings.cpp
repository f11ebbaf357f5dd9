#include "core/shell/shaping_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/shell/startup.h"

namespace quodlin {
namespace {

constexpr const char* kSection = "Prepare";
constexpr const char* kMono = "Mono";
constexpr const char* kEightBit = "EightBit";
constexpr const char* kNormalize = "Normalize";
constexpr const char* kTrim = "Trim";
constexpr const char* kNormalizeLevel = "NormalizeDb";
constexpr const char* kTrimLevel = "TrimDb";

std::string LevelText(std::optional<double> level, double byDefault) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", level.value_or(byDefault));
    return text;
}

}  // namespace

std::optional<double> LevelDb(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double db = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(db) || db < kLowestLevelDb || db > 0.0) return std::nullopt;
    return db;
}

SampleShaping ReadShaping(Settings& settings) {
    const auto on = [&](const char* key) {
        return settings.read(kSettingsApplication, kSection, key, "0") == "1";
    };
    SampleShaping shaping;
    shaping.mono = on(kMono);
    shaping.eightBit = on(kEightBit);
    const auto level = [&](const char* key, double byDefault) {
        return LevelDb(settings.read(kSettingsApplication, kSection, key, "")).value_or(byDefault);
    };
    if (on(kNormalize)) shaping.normalizeDb = level(kNormalizeLevel, kNormalizeDb);
    if (on(kTrim)) shaping.trimDb = level(kTrimLevel, kTrimDb);
    return shaping;
}

void StoreShaping(Settings& settings, const SampleShaping& shaping) {
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    settings.writeAll(kSettingsApplication,
                      {{kSection, kMono, flag(shaping.mono)},
                       {kSection, kEightBit, flag(shaping.eightBit)},
                       {kSection, kNormalize, flag(shaping.normalizeDb.has_value())},
                       {kSection, kTrim, flag(shaping.trimDb.has_value())},
                       {kSection, kNormalizeLevel, LevelText(shaping.normalizeDb, kNormalizeDb)},
                       {kSection, kTrimLevel, LevelText(shaping.trimDb, kTrimDb)}});
}

}  // namespace quodlin
