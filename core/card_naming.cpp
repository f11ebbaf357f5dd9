#include "core/card_naming.h"

#include "core/messages.h"

namespace quodlin {

bool SaveNamesAndReload(CardSide& card, Prompt& prompt) {
    bool saved = true;
    try {
        card.SortAndSaveNames();
    } catch (const FileError& error) {
        prompt.message(CatalogueNotSaved(error), MessageStyle::Exclamation);
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

bool NameOnCard(CardSide& card, Player& player, Prompt& prompt, const std::vector<int>& rows,
                const AskName& askName) {
    StopAndClose(player);
    NameTable& table = card.table();
    for (const int row : rows) {
        if (row < 0 || row > table.smLastIndex()) continue;
        table.setSmName(row, askName(table.smName(row)));
    }
    return SaveNamesAndReload(card, prompt);
}

}  // namespace quodlin
