#include "core/copy_to_card.h"

#include <algorithm>
#include <set>

#include "core/card_naming.h"
#include "core/card_numbering.h"
#include "core/card_temporary.h"
#include "core/file_copy.h"
#include "core/file_io.h"
#include "core/messages.h"
#include "core/text_functions.h"
#include "core/utf8.h"

namespace quodlin {
namespace {

// Hands out the instrument's names in counter order, skipping every name the card root holds in
// any letter case (a FAT card is case-insensitive), hidden files and folders included.
class FreeNames {
public:
    FreeNames(const std::vector<DirEntry>& rootEntries, Mode mode) : mode_(mode) {
        for (const DirEntry& entry : rootEntries) taken_.insert(LowerAscii(entry.name));
    }

    // The next free name, or "" when all of them are used.
    std::string next() {
        while (++counter_ < kCardNameCount) {
            const std::string name = CardFileName(mode_, counter_);
            if (!taken_.contains(LowerAscii(name))) return name;
        }
        return "";
    }

    void take(const std::string& name) { taken_.insert(LowerAscii(name)); }

private:
    Mode mode_;
    int counter_ = -1;
    std::set<std::string> taken_;
};

enum class Outcome { Copied, NoName, Failed, Canceled };

class CopyRun {
public:
    CopyRun(CardSide& card, Prompt& prompt, RunObserver& observer, FreeNames names,
            SourceWriter writer)
        : card_(card),
          prompt_(prompt),
          observer_(observer),
          names_(std::move(names)),
          writer_(std::move(writer)) {}

    // Writes the source under the temporary name of the next free card name; it becomes that
    // card file only in finish(), once it is complete on the device.
    Outcome copy(const std::string& sourcePath) {
        for (std::string name = names_.next(); !name.empty(); name = names_.next()) {
            names_.take(name);
            Pending pending{{}, name, sourcePath};
            card_.ensureCardPresent();
            observer_.busy(true);
            const auto failure =
                writer_.write(card_.fileSystem(), sourcePath,
                              JoinNative(card_.cardRoot(), CardTemporaryName(name)), pending.copy,
                              [this](std::uint64_t bytes) { return observer_.copied(bytes); });
            observer_.busy(false);
            if (!failure) {
                pending_.push_back(std::move(pending));
                return Outcome::Copied;
            }
            if (failure->error.kind() == FileErrorKind::Canceled) return Outcome::Canceled;
            // Someone else wrote that name meanwhile: never overwrite it, try the next one.
            if (failure->error.kind() == FileErrorKind::AlreadyExists && !failure->targetCreated) {
                continue;
            }
            report(sourcePath, *failure);
            return Outcome::Failed;
        }
        noName_.push_back(FileNameOf(sourcePath));
        return Outcome::NoName;
    }

    // Brings every copy onto the device, gives each its card name and enters the ones that made
    // it into the table. False when one of them failed; only the first failure is told. Throws
    // when the card was removed, leaving the rest under their temporary names.
    bool finish() {
        if (!noName_.empty()) {
            prompt_.messageForFiles(kNoFreeCardName, noName_, MessageStyle::Information);
        }
        observer_.busy(true);
        bool allFinished = true;
        // Every copy is synced before any is renamed: the renames then cost the device no
        // flush of their own between the syncs.
        std::vector<std::optional<FileError>> synced;
        for (Pending& pending : pending_)
            synced.push_back(FinishCopy(card_.fileSystem(), pending.copy));
        for (std::size_t i = 0; i < pending_.size(); ++i) {
            Pending& pending = pending_[i];
            auto error = synced[i];
            if (!error) error = moveIntoPlace(pending);
            if (error) {
                if (allFinished) report(pending.sourcePath, CopyFailure{*error, true, 0});
                allFinished = false;
                continue;
            }
            card_.table().append(pending.cardName, FriendlyNameOf(FileNameOf(pending.sourcePath)));
            copied_.push_back(JoinNative(card_.cardRoot(), pending.cardName));
            observer_.fileDone();
        }
        observer_.busy(false);
        return allFinished;
    }

    // Saves the catalogue. When it cannot be saved, the copies of this run are taken off the
    // card again: they are copies of computer files, and left there they would have no names.
    bool save() {
        try {
            SortAndSaveNamesTelling(card_, prompt_);
            return true;
        } catch (const FileError& error) {
            if (error.kind() == FileErrorKind::CardRemoved) throw;
            // Never tidy up beside a card that went away.
            card_.ensureCardPresent();
            bool allRemoved = true;
            for (const std::string& path : copied_) {
                try {
                    card_.fileSystem().remove(path);
                } catch (const FileError&) {
                    allRemoved = false;
                }
            }
            const bool anyCopied = !copied_.empty();
            prompt_.message(
                CatalogueNotSaved(error) + (anyCopied && allRemoved ? kCopiesRemoved : ""),
                MessageStyle::Exclamation);
            return false;
        }
    }

private:
    struct Pending {
        UnsyncedCopy copy;
        std::string cardName;
        std::string sourcePath;
    };

    // Renames a finished copy to its card name without replacing anything; a name that another
    // writer took meanwhile passes to the next free one.
    std::optional<FileError> moveIntoPlace(Pending& pending) {
        card_.ensureCardPresent();
        FileSystem& fs = card_.fileSystem();
        for (;;) {
            try {
                fs.renameNoReplace(pending.copy.path,
                                   JoinNative(card_.cardRoot(), pending.cardName));
                return std::nullopt;
            } catch (const FileError& error) {
                pending.cardName =
                    error.kind() == FileErrorKind::AlreadyExists ? names_.next() : "";
                if (pending.cardName.empty()) {
                    RemoveQuietly(fs, pending.copy.path);
                    return error;
                }
                names_.take(pending.cardName);
            }
        }
    }

    void report(const std::string& sourcePath, const CopyFailure& failure) {
        if (IsVolumeFull(card_.fileSystem(), card_.cardRoot(), failure)) {
            prompt_.message(kCardIsFull, MessageStyle::Plain);
        } else {
            prompt_.message(CopyToCardFailed(FileNameOf(sourcePath), failure.error),
                            MessageStyle::Exclamation);
        }
    }

    CardSide& card_;
    Prompt& prompt_;
    RunObserver& observer_;
    FreeNames names_;
    SourceWriter writer_;
    std::vector<Pending> pending_;
    std::vector<std::string> copied_;
    std::vector<std::string> noName_;
};

}  // namespace

std::uint64_t TotalBytes(FileSystem& fs, const std::vector<std::string>& paths) {
    std::uint64_t total = 0;
    for (const std::string& path : paths) {
        try {
            total += fs.fileSize(path);
        } catch (const FileError&) {
            // Its copy will fail and say why; the bar only shows less.
        }
    }
    return total;
}

std::string FriendlyNameOf(const std::string& sourceFileName) {
    return sourceFileName.substr(0, sourceFileName.find('.'));
}

bool CopyToCard(CardSide& card, Player& player, Prompt& prompt,
                const std::vector<std::string>& sourcePaths, RunObserver& observer,
                const SampleConversion& conversion) {
    StopAndClose(player);
    if (card.cardRoot().empty()) {
        prompt.message(kNoCardChosen, MessageStyle::Exclamation);
        return false;
    }
    std::vector<DirEntry> rootEntries;
    try {
        card.smFile_PathChange();
        rootEntries = card.fileSystem().list(card.cardRoot());
    } catch (const FileError& error) {
        prompt.message(CardNotRead(error), MessageStyle::Exclamation);
        return false;
    }
    std::optional<SourceWriter> writer =
        ChooseSourceWriter(sourcePaths, card.mode(), conversion, prompt);
    if (!writer) return false;
    CopyRun run(card, prompt, observer, FreeNames(rootEntries, card.mode()), std::move(*writer));
    observer.start(TotalBytes(card.fileSystem(), sourcePaths));
    bool allCopied = true;
    bool saved = false;
    try {
        for (std::size_t i = 0; i < sourcePaths.size(); ++i) {
            if (!observer.next(static_cast<int>(i), static_cast<int>(sourcePaths.size()),
                               FileNameOf(sourcePaths[i]))) {
                allCopied = false;
                break;
            }
            const Outcome outcome = run.copy(sourcePaths[i]);
            allCopied = allCopied && outcome == Outcome::Copied;
            if (outcome == Outcome::Failed || outcome == Outcome::Canceled) break;
        }
        allCopied = run.finish() && allCopied;
        saved = run.save();
    } catch (const FileError& error) {
        if (error.kind() != FileErrorKind::CardRemoved) throw;
        prompt.message(kCardRemoved, MessageStyle::Exclamation);
        return false;
    }
    try {
        card.smFile_PathChange();
    } catch (const FileError& error) {
        prompt.message(CardNotRead(error), MessageStyle::Exclamation);
        return false;
    }
    return saved && allCopied;
}

}  // namespace quodlin
