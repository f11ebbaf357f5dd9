#include "cli/shaping_options.h"

#include <optional>

#include "core/shell/shaping_settings.h"
#include "core/text/wording.h"

namespace quodlin {

const char* const kShapingNeedsConvert =
    "--mono, --8bit, --normalize and --trim shape the samples --convert writes: add --convert.";

namespace {

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
        problem = name + " takes a level in dBFS from -96 to 0, as " + name + "=-3; " +
                  Quoted(text) + " is not one";
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
