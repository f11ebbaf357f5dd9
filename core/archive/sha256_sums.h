#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quodlin {

// The checksum file a backup folder holds, read and written as sha256sum does, so that
// `sha256sum -c SHA256SUMS` checks a backup without this program.
inline constexpr const char* kSumsName = "SHA256SUMS";

struct FileSum {
    std::string digest;  // 64 lower-case hex digits
    std::string name;
};

std::string FormatSums(const std::vector<FileSum>& sums);

struct ParsedSums {
    std::vector<FileSum> sums;
    std::string problem;  // "" when every line could be read
};

ParsedSums ParseSums(std::string_view text);

}  // namespace quodlin
