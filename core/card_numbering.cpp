#include "core/card_numbering.h"

#include <stdexcept>

#include "core/text/utf8.h"

namespace quodlin {

const char* ModeExtension(Mode mode) {
    return mode == Mode::Samples ? ".wav" : ".es1";
}

bool HasModeExtension(std::string_view name, Mode mode) {
    return EndsWithIgnoringCase(name, ModeExtension(mode));
}

const char* SectionHeader(Mode mode) {
    return mode == Mode::Samples ? "[ES1 samples]" : "[ES1 banks]";
}

std::string CardFileName(Mode mode, int n) {
    if (n < 0 || n >= kCardNameCount) throw std::out_of_range("card file counter out of range");
    if (mode == Mode::Samples) {
        const std::string digits = std::to_string(n);
        return (digits.size() < 2 ? "0" + digits : digits) + ModeExtension(mode);
    }
    return std::to_string(n + 1) + ModeExtension(mode);
}

}  // namespace quodlin
