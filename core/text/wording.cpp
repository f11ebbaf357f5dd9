#include "core/text/wording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// "about 40 s left", "about 3 min left", "about 2 h 5 min left": rounded up, never "0".
std::string TimeLeft(double seconds) {
    const auto whole = static_cast<long long>(std::ceil(std::max(1.0, seconds)));
    if (whole < 60) return "about " + std::to_string(whole) + " s left";
    const long long minutes = (whole + 59) / 60;
    if (minutes < 60) return "about " + std::to_string(minutes) + " min left";
    return "about " + std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) +
           " min left";
}

}  // namespace

// Decimal units, as card makers count: 1 MB is 1,000,000 bytes.
std::string SizeText(std::uint64_t bytes) {
    constexpr double kKilo = 1000.0;
    if (bytes < 1000) return std::to_string(bytes) + " bytes";
    const auto size = static_cast<double>(bytes);
    if (bytes < 1000ull * 1000) return Fixed(size / kKilo, 0) + " kB";
    if (bytes < 1000ull * 1000 * 1000) return Fixed(size / (kKilo * kKilo), 1) + " MB";
    return Fixed(size / (kKilo * kKilo * kKilo), 1) + " GB";
}

std::string SpeedAndTimeLeft(std::uint64_t doneBytes, std::uint64_t totalBytes, double seconds) {
    if (seconds < 1.0 || doneBytes == 0) return "";
    const double perSecond = static_cast<double>(doneBytes) / seconds;
    std::string speed = SizeText(static_cast<std::uint64_t>(perSecond)) + "/s";
    if (doneBytes >= totalBytes) return speed;
    return speed + kSeparator + TimeLeft(static_cast<double>(totalBytes - doneBytes) / perSecond);
}

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

}  // namespace quodlin
