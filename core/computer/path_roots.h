#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quodlin {

// A path in the form the directory lists show: lexically normal, no trailing separator except
// on a root.
std::string NormalPath(const std::string& path);

// True when path is root or lies below it.
bool PathIsUnder(const std::string& path, const std::string& root);

// The index of the longest of roots that path lies under; none when it lies under none.
std::optional<std::size_t> RootHolding(const std::string& path,
                                       const std::vector<std::string>& roots);

// The directories from root down to path, both included; only root when path is not under it.
std::vector<std::string> PathChain(const std::string& root, const std::string& path);

}  // namespace quodlin
