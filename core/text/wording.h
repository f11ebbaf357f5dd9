#pragma once

#include <cstddef>
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

}  // namespace quodlin
