#include "core/card_side.h"

#include "core/card_listing.h"
#include "core/catalogue_file.h"
#include "core/messages.h"

namespace quodlin {

void CardSide::open(const std::string& root) {
    std::string volume = fs_.volumeIdentity(root);
    NameTable table = ListCard(fs_, root, mode_);
    cardRoot_ = root;
    volume_ = std::move(volume);
    show(std::move(table));
}

void CardSide::close() {
    cardRoot_.clear();
    volume_.clear();
    table_.clear();
    lines_.clear();
    loaded_ = false;
}

void CardSide::ensureCardPresent() {
    try {
        if (!cardRoot_.empty() && fs_.volumeIdentity(cardRoot_) == volume_) return;
    } catch (const FileError&) {
    }
    throw FileError(FileErrorKind::CardRemoved, cardRoot_, kCardRemoved);
}

void CardSide::smFile_PathChange() {
    table_.clear();
    lines_.clear();
    loaded_ = false;
    if (cardRoot_.empty()) return;
    ensureCardPresent();
    show(ListCard(fs_, cardRoot_, mode_));
}

std::vector<std::string> CardSide::SortAndSaveNames() {
    if (!loaded_) {
        throw FileError(FileErrorKind::Other, cardRoot_, "the card list could not be read");
    }
    ensureCardPresent();
    return quodlin::SortAndSaveNames(fs_, cardRoot_, mode_, table_);
}

void CardSide::show(NameTable table) {
    table_ = std::move(table);
    lines_.clear();
    for (const CardEntry& entry : table_.entries()) lines_.push_back(CardListLine(entry));
    loaded_ = true;
}

}  // namespace quodlin
