#include "core/card/card_naming.h"

#include "core/card/card_write.h"
#include "core/messages/messages.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

int RowOf(const NameTable& table, const CardEntry& entry) {
    for (int i = 0; i <= table.smLastIndex(); ++i) {
        if (table.smFileName(i) == entry.fileName && table.smName(i) == entry.name) return i;
    }
    return -1;
}

}  // namespace

void SortAndSaveNames(CardSide& card, Prompt& prompt) {
    if (!card.loaded()) {
        throw FileError(FileErrorKind::Other, card.cardRoot(), "the card list could not be read");
    }
    card.ensureCardPresent();
    CatalogueText text = card.catalogue();
    const std::vector<std::string> before = text.lines;
    // A file the root lists but the table does not hold, such as a link whose target is gone,
    // is still there: its name stays.
    std::vector<std::string> kept;
    for (const DirEntry& entry : card.rootEntries()) {
        if (entry.isSpecial) kept.push_back(entry.name);
    }
    const std::vector<std::string> changed =
        RewriteCatalogue(text, card.mode(), card.table(), kept);
    const CatalogueFiles& files = card.catalogueFiles();
    const bool tidy = files.leftover.empty() && files.temporary.empty();
    if (text.lines == before && !files.catalogue.empty() && tidy) return;
    WriteCatalogue(card.fileSystem(), card.cardRoot(), files, text);
    if (!changed.empty()) prompt.message(NamesChangedToFit(changed), MessageStyle::Information);
}

bool ReloadTelling(CardSide& card, Prompt& prompt) {
    try {
        card.smFile_PathChange();
        return true;
    } catch (const FileError& error) {
        prompt.message(CardNotRead(error), MessageStyle::Exclamation);
        return false;
    }
}

std::vector<int> FindRows(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected,
                          bool* ok) {
    *ok = true;
    std::vector<int> rows;
    for (const CardEntry& entry : selected) {
        rows.push_back(RowOf(card.table(), entry));
        if (rows.back() < 0) {
            prompt.message(CardFileChanged(entry.fileName), MessageStyle::Exclamation);
            *ok = false;
        }
    }
    return rows;
}

std::vector<int> ReloadAndFindRows(CardSide& card, Prompt& prompt,
                                   const std::vector<CardEntry>& selected, bool* ok) {
    *ok = false;
    if (!CardChosen(card, prompt) || !ReloadTelling(card, prompt)) return {};
    return FindRows(card, prompt, selected, ok);
}

bool NameOnCard(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected,
                const AskName& askName) {
    bool allDone = true;
    std::vector<CardEntry> chosen;
    std::vector<std::string> newNames;
    for (const CardEntry& entry : selected) {
        if (!NameableInCatalogue(entry.fileName)) {
            prompt.message(NotNameable(entry.fileName), MessageStyle::Exclamation);
            allDone = false;
            continue;
        }
        const std::string name = askName(entry);
        if (DecodeUtf8(CatalogueName(name)).size() > kLongestName) {
            prompt.message(NameTooLong(name, kLongestName), MessageStyle::Exclamation);
            allDone = false;
            continue;
        }
        chosen.push_back(entry);
        newNames.push_back(name);
    }
    if (chosen.empty()) return allDone;
    const auto write = CardWriteRun::Start(card, prompt);
    if (!write) return false;
    const std::vector<int> rows = FindRows(card, prompt, chosen, &allDone);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] >= 0) card.table().setSmName(rows[i], newNames[i]);
    }
    return SaveAndReload(card, prompt) && allDone;
}

bool SaveAndReload(CardSide& card, Prompt& prompt) {
    bool saved = true;
    try {
        SortAndSaveNames(card, prompt);
    } catch (const FileError& error) {
        prompt.message(CatalogueNotSaved(error), MessageStyle::Exclamation);
        if (error.kind() == FileErrorKind::CardRemoved) return false;
        saved = false;
    }
    return ReloadTelling(card, prompt) && saved;
}

}  // namespace quodlin
