#pragma once

#include <optional>
#include <string>

#include "core/io/temporary_names.h"
#include "platform/file_system.h"

namespace quodlin {

// A run that writes the card. While it lasts, the temporary files made on its thread carry its
// number beside the process's tag, so that once it has ended they are leftovers to remove, even
// though the process that made them (the window) lives on.
class TemporaryOwner {
public:
    TemporaryOwner();
    ~TemporaryOwner();
    TemporaryOwner(const TemporaryOwner&) = delete;
    TemporaryOwner& operator=(const TemporaryOwner&) = delete;

private:
    unsigned run_;
    unsigned previous_;
};

// A file being written lives under a hidden name of its own until it is complete and synced:
// ".quodlin-OWNER-N.part", OWNER being the writing process and boot (FileSystem::ownerTag) and,
// within a run, "r" and the run's number, so that only a leftover whose owner is gone is ever
// removed. It starts with a dot and does not end in the instrument's extensions, so neither the
// instrument nor the card list takes it for a sample or a bank, and it is short whatever the
// final name is.
std::string CardTemporaryName(FileSystem& fs);

// True when the process or run an unfinished copy's owner names has ended.
bool TemporaryOwnerGone(FileSystem& fs, const std::string& owner);

// True for every hidden file this program makes: unfinished copies and the middle names of renames.
inline bool IsCardTemporaryName(const std::string& name) {
    return name.size() > 9 && name.starts_with(kTemporaryPrefix);
}

// The owner an unfinished copy records; "" for one that records none (an older program's), and
// nullopt for a name that is no unfinished copy.
inline std::optional<std::string> UnfinishedCopyOwner(const std::string& name) {
    if (!IsCardTemporaryName(name) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
    const std::string middle = name.substr(9, name.size() - 9 - 5);
    const std::size_t dash = middle.rfind('-');
    return dash == std::string::npos ? "" : middle.substr(0, dash);
}

}  // namespace quodlin
