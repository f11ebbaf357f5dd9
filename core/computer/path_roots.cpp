#include "core/computer/path_roots.h"

#include <filesystem>

#include "core/text/native_paths.h"

namespace quodlin {

namespace fs = std::filesystem;

std::string NormalPath(const std::string& path) {
    fs::path normal = PathOf(path).lexically_normal();
    if (!normal.has_filename() && normal != normal.root_path()) normal = normal.parent_path();
    return Utf8Of(normal);
}

bool PathIsUnder(const std::string& path, const std::string& root) {
    const fs::path relative = PathOf(NormalPath(path)).lexically_relative(PathOf(NormalPath(root)));
    return !relative.empty() && *relative.begin() != "..";
}

std::optional<std::size_t> RootHolding(const std::string& path,
                                       const std::vector<std::string>& roots) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (!PathIsUnder(path, roots[i])) continue;
        if (!best || NormalPath(roots[i]).size() > NormalPath(roots[*best]).size()) best = i;
    }
    return best;
}

std::vector<std::string> PathChain(const std::string& root, const std::string& path) {
    fs::path current = PathOf(NormalPath(root));
    std::vector<std::string> chain = {Utf8Of(current)};
    if (!PathIsUnder(path, root)) return chain;
    for (const fs::path& part : PathOf(NormalPath(path)).lexically_relative(current)) {
        if (part == ".") continue;
        current /= part;
        chain.push_back(Utf8Of(current));
    }
    return chain;
}

}  // namespace quodlin
