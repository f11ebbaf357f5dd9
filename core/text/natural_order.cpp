#include "core/text/natural_order.h"

#include <algorithm>

namespace quodlin {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view DigitRun(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return digits;
}

// -1, 0 or 1 by numeric value, for runs of any length.
int CompareNumbers(std::string_view a, std::string_view b) {
    a = WithoutLeadingZeros(a);
    b = WithoutLeadingZeros(b);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareNatural(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const int c = CompareNumbers(DigitRun(a, i), DigitRun(b, j));
            if (c != 0) return c;
            continue;
        }
        const auto x = static_cast<unsigned char>(FoldAscii(a[i++]));
        const auto y = static_cast<unsigned char>(FoldAscii(b[j++]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
    const int c = CompareNatural(a, b);
    return c != 0 ? c < 0 : a < b;
}

void SortNaturally(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
}

}  // namespace quodlin
