#pragma once

#include <string>

#include "core/text/native_paths.h"

namespace quodlin {

// Collapses adjacent pairs of doubleChar, repairing the doubled separator that joining a name to
// a root directory such as "C:\" or "/" produces. A run of k becomes ceil(k / 2).
std::string RemoveDouble(std::string& sLine, char doubleChar);

// The directory button's caption: a path longer than maxLen keeps its first 3 and last
// maxLen - 6 characters around " ... "; control characters are made visible.
std::string ShortenPath(const std::string& sPath, int maxLen);

// dir + separator + name, with the doubled separator of a root directory removed. With "\\" (on
// Windows) only the separator at the joint is collapsed.
std::string JoinPath(const std::string& dir, const std::string& name, char separator);

std::string JoinNative(const std::string& dir, const std::string& name);

// The last part of a path: what follows its last "/" or native separator.
std::string FileNameOf(const std::string& path);

}  // namespace quodlin
