#pragma once

#include <string>

namespace quodlin {

// A file being written to the card lives under this name until it is complete and synced. It
// starts with a dot and does not end in the instrument's extensions, so neither the instrument
// nor the card list takes it for a sample or a bank.
inline std::string CardTemporaryName(const std::string& cardFileName) {
    return ".quodlin-" + cardFileName + ".part";
}

inline bool IsCardTemporaryName(const std::string& name) {
    return name.size() > 14 && name.starts_with(".quodlin-") && name.ends_with(".part");
}

}  // namespace quodlin
