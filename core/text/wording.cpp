#include "core/text/wording.h"

namespace quodlin {

std::string Counted(long long n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many.empty() ? one + "s" : many);
}

std::string Grouped(unsigned long long n) {
    const std::string digits = std::to_string(n);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator,
                   const std::string& last) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() && !last.empty() ? last : separator;
        text += parts[i];
    }
    return text;
}

}  // namespace quodlin
