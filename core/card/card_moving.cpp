#include "core/card/card_moving.h"

#include "core/card/card_naming.h"
#include "core/card/card_write.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {

std::optional<std::string> CardNameAskedFor(const std::string& numberOrName, Mode mode) {
    for (int n = 0; n < kCardNameCount; ++n) {
        const std::string name = CardFileName(mode, n);
        const std::string number = name.substr(0, name.find('.'));
        if (EqualsIgnoringCase(numberOrName, name) || numberOrName == number ||
            (numberOrName.size() == 1 && "0" + numberOrName == number)) {
            return name;
        }
    }
    return std::nullopt;
}

namespace {

// A move whose catalogue could not be saved: unless names.txt already names the file under its
// new number (the save failed only after putting it in place), the file goes back to its old
// number, where its name still is. Never on a card that is not the one moved on.
void PutBackUnlessNamed(CardSide& card, const CardEntry& entry, const std::string& target) {
    try {
        card.smFile_PathChange();
        for (const CardEntry& listed : card.table().entries()) {
            if (listed.fileName == target && listed.name == entry.name) return;
        }
        card.ensureCardPresent();
        card.fileSystem().renameNoReplace(JoinNative(card.cardRoot(), target),
                                          JoinNative(card.cardRoot(), entry.fileName));
    } catch (const FileError&) {
        // The reload that follows shows the card as it is.
    }
}

}  // namespace

bool MoveOnCard(CardSide& card, Prompt& prompt, const CardEntry& entry,
                const std::string& numberOrName) {
    const std::optional<std::string> target = CardNameAskedFor(numberOrName, card.mode());
    if (!target) {
        prompt.message(NotACardNumber(numberOrName, card.mode()), MessageStyle::Exclamation);
        return false;
    }
    const auto write = CardWriteRun::Start(card, prompt);
    if (!write) return false;
    bool found = false;
    const std::vector<int> rows = FindRows(card, prompt, {entry}, &found);
    if (!found) return false;
    if (!StoredName(card.rootEntries(), *target).empty()) {
        prompt.message(NumberTaken(*target), MessageStyle::Exclamation);
        return false;
    }
    FileSystem& fs = card.fileSystem();
    const std::string from = JoinNative(card.cardRoot(), entry.fileName);
    const std::string to = JoinNative(card.cardRoot(), *target);
    try {
        card.ensureCardPresent();
        fs.renameNoReplace(from, to);
    } catch (const FileError& error) {
        prompt.message(RenameFailed(entry.fileName, *target, error), MessageStyle::Exclamation);
        return false;
    }
    card.table().markDeleted(rows.front());
    card.table().removeMarked();
    card.table().append(*target, entry.name);
    try {
        SortAndSaveNames(card, prompt);
    } catch (const FileError& error) {
        prompt.message(CatalogueNotSaved(error), MessageStyle::Exclamation);
        if (error.kind() != FileErrorKind::CardRemoved) PutBackUnlessNamed(card, entry, *target);
        ReloadTelling(card, prompt);
        return false;
    }
    return ReloadTelling(card, prompt);
}

}  // namespace quodlin
