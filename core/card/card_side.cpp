#include "core/card/card_side.h"

#include "core/card/card_listing.h"
#include "core/messages/messages.h"

namespace quodlin {

void CardSide::open(const std::string& root) {
    const std::string previousRoot = cardRoot_;
    const std::string previousVolume = volume_;
    std::unique_ptr<HeldDirectory> previousHeld = std::move(held_);
    try {
        pin(root);
        smFile_PathChange();
    } catch (const FileError&) {
        cardRoot_ = previousRoot;
        volume_ = previousVolume;
        held_ = std::move(previousHeld);
        throw;
    }
}

void CardSide::pin(const std::string& root) {
    // Held before its identity is taken, so that the identity stays the held card's.
    auto held = holdRoot_ ? fs_.holdDirectory(root) : nullptr;
    volume_ = fs_.volumeIdentity(root);
    held_ = std::move(held);
    cardRoot_ = root;
}

void CardSide::close() {
    held_.reset();
    cardRoot_.clear();
    volume_.clear();
    table_.clear();
    entries_.clear();
    catalogue_.reset();
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
    entries_.clear();
    catalogue_.reset();
    loaded_ = false;
    if (cardRoot_.empty()) return;
    ensureCardPresent();
    load();
}

std::vector<std::string> CardSide::lines() const {
    std::vector<std::string> lines;
    for (const CardEntry& entry : table_.entries()) lines.push_back(CardListLine(entry));
    return lines;
}

const CatalogueText& CardSide::catalogue() {
    if (!catalogue_) catalogue_ = ReadCatalogue(fs_, cardRoot_, files_);
    return *catalogue_;
}

void CardSide::load() {
    entries_ = fs_.list(cardRoot_);
    files_ = FindCatalogueFiles(entries_);
    const std::vector<std::string> fileNames = CardFilesOfMode(entries_, mode_);
    table_ = fileNames.empty() ? NameTable() : TableOf(fileNames, catalogue().lines, mode_);
    loaded_ = true;
}

}  // namespace quodlin
