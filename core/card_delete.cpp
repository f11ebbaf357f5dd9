#include "core/card_delete.h"

#include "core/card_naming.h"
#include "core/messages.h"
#include "core/text_functions.h"

namespace quodlin {

bool DeleteOnCard(CardSide& card, Player& player, Prompt& prompt,
                  const std::vector<CardEntry>& selected) {
    StopAndClose(player);
    bool allDone = false;
    const std::vector<int> rows = ReloadAndFindRows(card, prompt, selected, &allDone);
    if (!card.loaded()) return false;
    if (!rows.empty() &&
        !prompt.questionWithDetail(kDeleteOnCardQuestion, DeletedFromCardForGood(rows.size()))) {
        return allDone;
    }
    for (const int row : rows) {
        const std::string path = JoinNative(card.cardRoot(), card.table().smFileName(row));
        try {
            card.ensureCardPresent();
            card.fileSystem().remove(path);
            card.table().markDeleted(row);
        } catch (const FileError& error) {
            prompt.message(DeleteFailed(path, error), MessageStyle::Exclamation);
            if (error.kind() == FileErrorKind::CardRemoved) return false;
            allDone = false;
        }
    }
    card.table().removeMarked();
    return SaveNamesAndReload(card, prompt) && allDone;
}

}  // namespace quodlin
