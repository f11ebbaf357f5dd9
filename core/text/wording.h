#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quodlin {

// The small rules every message is written by, so that all of them read alike.

// Between the parts of one line of facts: "Kick · 32000 Hz · ready".
inline constexpr const char* kSeparator = " \xC2\xB7 ";  // " · "

// What a run that the user canceled tells, as a file error's reason.
inline constexpr const char* kCopyCanceled = "the copy was canceled";

// A name as the messages show it: 'name'.
inline std::string Quoted(const std::string& name) {
    return "'" + name + "'";
}

// "1 file", "3 files": many is one with an "s" unless given.
std::string Counted(long long n, const std::string& one, const std::string& many = "");

// "81,920": a count with its thousands grouped.
std::string Grouped(unsigned long long n);

// "a, b, c"; with a last separator "a, b and c".
std::string Joined(const std::vector<std::string>& parts, const std::string& separator = ", ",
                   const std::string& last = "");

// A file's size as people read it, in decimal units: "620 bytes", "95 kB", "5.2 MB", "1.5 GB".
std::string SizeText(std::uint64_t bytes);

// A sample's length: "1.25 s".
std::string SecondsText(double seconds);

// A run's speed and the time it has left, once a second of it is measured:
// "1.5 MB/s · about 12 s left"; "" before that or before any byte.
std::string SpeedAndTimeLeft(std::uint64_t doneBytes, std::uint64_t totalBytes, double seconds);

}  // namespace quodlin
