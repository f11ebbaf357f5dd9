#include "cli/shaping_options.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace quodlin {

const char* const kShapingNeedsConvert =
    "--mono, --8bit, --normalize and --trim shape the samples --convert writes: add --convert.";

namespace {

// Levels a sample is normalized or trimmed to: below -96 dBFS even 16 bits hold only silence.
constexpr double kLowestLevelDb = -96.0;

std::optional<double> LevelDb(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double db = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(db) || db < kLowestLevelDb || db > 0.0) return std::nullopt;
    return db;
}

// --name or --name=DB into level, DB dBFS or the default.
bool TakeLevel(const std::string& arg, const std::string& name, double byDefault,
               std::optional<double>& level, std::string& problem) {
    if (arg == name) {
        level = byDefault;
        return true;
    }
    if (!arg.starts_with(name + "=")) return false;
    const std::string text = arg.substr(name.size() + 1);
    level = LevelDb(text);
    if (!level) {
        problem = name + " takes a level in dBFS from -96 to 0, as " + name + "=-3; '" + text +
                  "' is not one";
    }
    return true;
}

}  // namespace

bool TakeShapingOption(const std::string& arg, SampleShaping& shaping, std::string& problem) {
    if (arg == "--mono") {
        shaping.mono = true;
        return true;
    }
    if (arg == "--8bit") {
        shaping.eightBit = true;
        return true;
    }
    return TakeLevel(arg, "--normalize", kNormalizeDb, shaping.normalizeDb, problem) ||
           TakeLevel(arg, "--trim", kTrimDb, shaping.trimDb, problem);
}

}  // namespace quodlin
