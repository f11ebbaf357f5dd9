#include "core/card_naming.h"

#include "core/messages.h"

namespace quodlin {
namespace {

int RowOf(const NameTable& table, const CardEntry& entry) {
    for (int i = 0; i <= table.smLastIndex(); ++i) {
        if (table.smFileName(i) == entry.fileName && table.smName(i) == entry.name) return i;
    }
    return -1;
}

}  // namespace

void SortAndSaveNamesTelling(CardSide& card, Prompt& prompt) {
    const std::vector<std::string> changed = card.SortAndSaveNames();
    if (!changed.empty()) prompt.message(NamesChangedToFit(changed), MessageStyle::Information);
}

bool SaveNamesAndReload(CardSide& card, Prompt& prompt) {
    bool saved = true;
    try {
        SortAndSaveNamesTelling(card, prompt);
    } catch (const FileError& error) {
        prompt.message(CatalogueNotSaved(error), MessageStyle::Exclamation);
        if (error.kind() == FileErrorKind::CardRemoved) return false;
        saved = false;
    }
    try {
        card.smFile_PathChange();
    } catch (const FileError& error) {
        prompt.message(CardNotRead(error), MessageStyle::Exclamation);
        return false;
    }
    return saved;
}

std::vector<int> ReloadAndFindRows(CardSide& card, Prompt& prompt,
                                   const std::vector<CardEntry>& selected, bool* ok) {
    *ok = false;
    if (card.cardRoot().empty()) {
        prompt.message(kNoCardChosen, MessageStyle::Exclamation);
        return {};
    }
    try {
        card.smFile_PathChange();
    } catch (const FileError& error) {
        prompt.message(CardNotRead(error), MessageStyle::Exclamation);
        return {};
    }
    *ok = true;
    std::vector<int> rows;
    for (const CardEntry& entry : selected) {
        const int row = RowOf(card.table(), entry);
        if (row < 0) {
            prompt.message(CardFileChanged(entry.fileName), MessageStyle::Exclamation);
            *ok = false;
        } else {
            rows.push_back(row);
        }
    }
    return rows;
}

bool NameOnCard(CardSide& card, Player& player, Prompt& prompt,
                const std::vector<CardEntry>& selected, const AskName& askName) {
    StopAndClose(player);
    bool allFound = false;
    const std::vector<int> rows = ReloadAndFindRows(card, prompt, selected, &allFound);
    if (!card.loaded()) return false;
    for (const int row : rows)
        card.table().setSmName(row, askName(card.table().entries()[static_cast<std::size_t>(row)]));
    return SaveNamesAndReload(card, prompt) && allFound;
}

}  // namespace quodlin
