#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quodlin::test {

// "\xHH" in a case file stands for the byte HH; every other character is itself.
std::string Unescape(const std::string& text);

// The lines of a case file that are neither empty nor comments ("#" first).
std::vector<std::string> CaseLines(const std::filesystem::path& file);

// The names of the folders (or files) in dir, sorted.
std::vector<std::string> CaseNames(const std::filesystem::path& dir);

// Every regular file directly in dir, name to bytes; empty when dir is missing or empty.
using Files = std::map<std::string, std::string>;
Files FilesIn(const std::filesystem::path& dir);
// Every file under dir, in its folders too, by its path from dir.
Files FilesUnder(const std::filesystem::path& dir);

}  // namespace quodlin::test
