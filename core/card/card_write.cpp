#include "core/card/card_write.h"

#include <algorithm>

#include "core/card/card_temporary.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/samples/sample_readiness.h"
#include "core/text/text_functions.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

// An unfinished copy whose writer has ended, or records none.
bool IsEndedRunsCopy(FileSystem& fs, const DirEntry& entry) {
    if (entry.isDirectory || entry.isSpecial) return false;
    const auto owner = UnfinishedCopyOwner(entry.name);
    return owner && (owner->empty() || TemporaryOwnerGone(fs, *owner));
}

void RemoveEndedRunsCopies(CardSide& card) {
    for (const DirEntry& entry : card.rootEntries()) {
        if (IsEndedRunsCopy(card.fileSystem(), entry)) {
            RemoveQuietly(card.fileSystem(), JoinNative(card.cardRoot(), entry.name));
        }
    }
}

}  // namespace

CardWriteRun::CardWriteRun(CardSide& card) {
    if (card.cardRoot().empty()) {
        throw FileError(FileErrorKind::NotFound, "", kNoCardChosen);
    }
    card.ensureCardPresent();
    lock_ = card.fileSystem().lockCard(card.cardRoot(), LockMode::Exclusive);
    card.smFile_PathChange();
    if (!card.fileSystem().finishInterruptedRenames(card.cardRoot(), card.rootEntries()).empty()) {
        card.smFile_PathChange();
    }
    RemoveEndedRunsCopies(card);
}

bool CardChosen(const CardSide& card, Prompt& prompt) {
    if (!card.cardRoot().empty()) return true;
    prompt.message(kNoCardChosen, MessageStyle::Exclamation);
    return false;
}

std::unique_ptr<CardWriteRun> CardWriteRun::Start(CardSide& card, Prompt& prompt) {
    if (!CardChosen(card, prompt)) return nullptr;
    try {
        return std::make_unique<CardWriteRun>(card);
    } catch (const FileError& error) {
        prompt.message(CardNotRead(error), MessageStyle::Exclamation);
        return nullptr;
    }
}

Leftovers EndedRunsLeftovers(CardSide& card) {
    Leftovers leftovers;
    for (const DirEntry& entry : card.rootEntries()) {
        if (!IsEndedRunsCopy(card.fileSystem(), entry)) continue;
        leftovers.names.push_back(entry.name);
        try {
            leftovers.bytes += card.fileSystem().fileSize(JoinNative(card.cardRoot(), entry.name));
        } catch (const FileError&) {
            // Counted without its size: it is still removed.
        }
    }
    return leftovers;
}

namespace {

// "2 leftover files (11.5 MB)"
std::string LeftoversText(std::size_t count, std::uint64_t bytes) {
    return Counted(static_cast<long long>(count), "leftover file") + " (" + SizeText(bytes) + ")";
}

}  // namespace

std::string RemoveLeftoversText(const Leftovers& leftovers) {
    return "Remove " + LeftoversText(leftovers.names.size(), leftovers.bytes);
}

std::string RemoveEndedRunsLeftovers(CardSide& card) {
    card.smFile_PathChange();
    const Leftovers before = EndedRunsLeftovers(card);
    { const CardWriteRun run(card); }
    card.smFile_PathChange();
    const Leftovers after = EndedRunsLeftovers(card);
    return "Removed " +
           LeftoversText(before.names.size() - std::min(before.names.size(), after.names.size()),
                         before.bytes - std::min(before.bytes, after.bytes)) +
           ".";
}

void TidyEndedRuns(CardSide& card) {
    // Only what an ended run left calls for the lock: a running copy of another Quodlin is its own.
    FileSystem& fs = card.fileSystem();
    const auto& entries = card.rootEntries();
    if (std::none_of(entries.begin(), entries.end(), [&](const DirEntry& entry) {
            return IsEndedRunsCopy(fs, entry) || (entry.name.starts_with(kRenamePrefix) &&
                                                  entry.name.ends_with(kRenameRecordSuffix));
        })) {
        return;
    }
    try {
        const CardWriteRun run(card);
    } catch (const FileError&) {
    }
}

}  // namespace quodlin
