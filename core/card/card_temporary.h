#pragma once

#include <atomic>
#include <optional>
#include <string>

namespace quodlin {

inline constexpr const char* kTemporaryPrefix = ".quodlin-";

// A file being written lives under a hidden name of its own until it is complete and synced:
// ".quodlin-OWNER-N.part", OWNER being the writing process and boot (FileSystem::ownerTag), so
// that only a leftover whose owner is gone is ever removed. It starts with a dot and does not end
// in the instrument's extensions, so neither the instrument nor the card list takes it for a
// sample or a bank, and it is short whatever the final name is.
inline std::string CardTemporaryName(const std::string& owner) {
    static std::atomic<unsigned> serial{0};
    return kTemporaryPrefix + owner + "-" + std::to_string(serial++) + ".part";
}

// Every hidden file this program makes: unfinished copies and the middle names of renames.
inline bool IsCardTemporaryName(const std::string& name) {
    return name.size() > 9 && name.starts_with(kTemporaryPrefix);
}

// The owner an unfinished copy records; "" for one that records none (an older program's), and
// nullopt for a name that is no unfinished copy.
inline std::optional<std::string> UnfinishedCopyOwner(const std::string& name) {
    if (!IsCardTemporaryName(name) || !name.ends_with(".part")) return std::nullopt;
    const std::string middle = name.substr(9, name.size() - 9 - 5);
    const std::size_t dash = middle.rfind('-');
    return dash == std::string::npos ? "" : middle.substr(0, dash);
}

}  // namespace quodlin
