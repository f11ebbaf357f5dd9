#include "core/card/card_session.h"

#include "core/messages/messages.h"
#include "core/text/native_paths.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {

std::string CardSession::use(const std::string& root, bool read) {
    try {
        read ? open(root) : pin(root);
        return "";
    } catch (const FileError& error) {
        return fileSystem().isDirectory(root) ? CardNotRead(error) : NoCardAt(root);
    }
}

std::string CardSession::reread() {
    try {
        smFile_PathChange();
        return "";
    } catch (const FileError& error) {
        return CardNotRead(error);
    }
}

std::optional<CardEntry> CardSession::entryAt(int row) const {
    const std::vector<CardEntry>& entries = table().entries();
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return std::nullopt;
    return entries[static_cast<std::size_t>(row)];
}

std::string CardSession::pathAt(int row) const {
    const std::optional<CardEntry> entry = entryAt(row);
    return entry ? JoinNative(cardRoot(), entry->fileName) : "";
}

CardSession::Found CardSession::find(const std::vector<std::string>& cardFiles) const {
    Found found;
    const std::vector<CardEntry>& entries = table().entries();
    for (const std::string& cardFile : cardFiles) {
        const auto entry = FindName(entries.begin(), entries.end(), cardFile,
                                    [](const CardEntry& e) { return e.fileName; });
        if (entry == entries.end()) {
            found.missing.push_back(NotOnCard(cardFile));
        } else {
            found.entries.push_back(*entry);
            found.givenNames.push_back(cardFile);
        }
    }
    return found;
}

}  // namespace quodlin
