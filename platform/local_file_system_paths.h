#pragma once

#include <filesystem>
#include <string>

namespace quodlin {

// Paths are UTF-8 inside the program.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

}  // namespace quodlin
