#include "core/card/card_delete.h"

#include "core/card/card_naming.h"
#include "core/card/card_write.h"
#include "core/messages/messages.h"
#include "core/text/text_functions.h"

namespace quodlin {

bool DeleteOnCard(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected) {
    if (!CardChosen(card, prompt)) return false;
    // Asked before the card's lock is taken, so that no other run waits on the answer.
    if (selected.empty() || !prompt.questionWithDetail(kDeleteOnCardQuestion,
                                                       DeletedFromCardForGood(selected.size()))) {
        return true;
    }
    const auto write = CardWriteRun::Start(card, prompt);
    if (!write) return false;
    bool allDone = false;
    for (const int row : FindRows(card, prompt, selected, &allDone)) {
        if (row < 0) continue;
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
    return SaveAndReload(card, prompt) && allDone;
}

}  // namespace quodlin
