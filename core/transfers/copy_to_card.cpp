#include "core/transfers/copy_to_card.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <set>

#include "core/card/card_naming.h"
#include "core/card/card_temporary.h"
#include "core/card/card_write.h"
#include "core/card_numbering.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

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
            std::string name = CardFileName(mode_, counter_);
            if (!taken_.contains(LowerAscii(name))) return name;
        }
        return "";
    }

    void take(const std::string& name) { taken_.insert(LowerAscii(name)); }

    // How many names are still free.
    int count() const {
        int free = 0;
        for (int n = counter_ + 1; n < kCardNameCount; ++n) {
            free += taken_.contains(LowerAscii(CardFileName(mode_, n))) ? 0 : 1;
        }
        return free;
    }

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

    // Writes the source under a temporary name, for the next free card name; it becomes that
    // card file once it is complete on the device, at the latest a moment after its copy ended.
    Outcome copy(const std::string& sourcePath) {
        for (std::string name = names_.next(); !name.empty(); name = names_.next()) {
            names_.take(name);
            Pending pending{{}, name, sourcePath};
            card_.ensureCardPresent();
            observer_.busy(true);
            const auto failure =
                writer_.write(card_.computer(), sourcePath, card_.fileSystem(),
                              JoinNative(card_.cardRoot(), CardTemporaryName(card_.fileSystem())),
                              pending.copy, [this](std::uint64_t bytes) {
                                  pendingBytes_ += bytes;
                                  return observer_.copied(bytes);
                              });
            observer_.busy(false);
            if (!failure) {
                pending_.push_back(std::move(pending));
                if (pending_.size() == 1) firstPending_ = std::chrono::steady_clock::now();
                if (pendingBytes_ >= kLargestBatch ||
                    std::chrono::steady_clock::now() - firstPending_ >= kLongestWait) {
                    finish();
                }
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

    // As copy, with a source too large for the memory left ending the run as its failure, so
    // that the copies before it are still put in place and named.
    Outcome copyOrFail(const std::string& sourcePath) {
        try {
            return copy(sourcePath);
        } catch (const std::bad_alloc&) {
            observer_.busy(false);
            const FileError error(FileErrorKind::Other, sourcePath, "there was not enough memory");
            report(sourcePath, CopyFailure{error, true, 0});
            return Outcome::Failed;
        }
    }

    // Brings the copies not yet in place onto the device, gives each its card name and enters
    // the ones that made it into the table. Only the first failure of the run is told. Throws
    // when the card was removed, leaving the rest under their temporary names.
    void finish() {
        observer_.busy(true);
        // The copies are synced before any is renamed: the renames then cost the device no
        // flush of their own between the syncs.
        std::vector<std::optional<FileError>> synced;
        for (Pending& pending : pending_)
            synced.push_back(FinishCopy(card_.fileSystem(), pending.copy));
        std::vector<Pending> pending = std::move(pending_);
        pending_.clear();
        pendingBytes_ = 0;
        for (std::size_t i = 0; i < pending.size(); ++i) {
            auto error = synced[i];
            if (!error) error = moveIntoPlace(pending[i]);
            if (error) {
                if (allFinished_) report(pending[i].sourcePath, CopyFailure{*error, true, 0});
                allFinished_ = false;
                continue;
            }
            card_.table().append(pending[i].cardName,
                                 FriendlyNameOf(FileNameOf(pending[i].sourcePath)));
            copied_.push_back(JoinNative(card_.cardRoot(), pending[i].cardName));
            placed_.insert(pending[i].sourcePath);
            observer_.fileDone();
        }
        observer_.busy(false);
    }

    // The files left out because the instrument's names ran out, told once for the run.
    void tellNoName() {
        if (!noName_.empty()) {
            prompt_.messageForFiles(kNoFreeCardName, noName_, MessageStyle::Information);
        }
    }

    // False when a finished copy could not be given its name.
    bool allFinished() const { return allFinished_; }
    // The file names of the sources whose copies did not reach their card names.
    std::vector<std::string> notPlaced(const std::vector<std::string>& sources) const {
        std::vector<std::string> names;
        for (const std::string& source : sources) {
            if (!placed_.contains(source)) names.push_back(FileNameOf(source));
        }
        return names;
    }
    bool anyCopied() const { return !copied_.empty(); }

    // Saves the catalogue. When it cannot be saved, the copies of this run are taken off the
    // card again: they are copies of computer files, and left there they would have no names.
    bool save() {
        try {
            SortAndSaveNames(card_, prompt_);
            return true;
        } catch (const FileError& error) {
            if (error.kind() == FileErrorKind::CardRemoved) throw;
            // Never tidy up beside a card that went away.
            card_.ensureCardPresent();
            std::vector<std::string> stayed;
            for (const std::string& path : copied_) {
                try {
                    card_.fileSystem().remove(path);
                } catch (const FileError&) {
                    stayed.push_back(FileNameOf(path));
                }
            }
            const bool anyCopied = !copied_.empty();
            prompt_.message(
                CatalogueNotSaved(error) + (!anyCopied       ? ""
                                            : stayed.empty() ? kCopiesRemoved
                                                             : CopiesStayUnnamed(stayed)),
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

    // The copies made before are put in place first: a message may stay open for long.
    void report(const std::string& sourcePath, const CopyFailure& failure) {
        finish();
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
    // A finished copy waits for its name behind at most this much later copying, or this long.
    static constexpr std::uint64_t kLargestBatch = 8u << 20;
    static constexpr auto kLongestWait = std::chrono::milliseconds(500);

    std::vector<Pending> pending_;
    std::uint64_t pendingBytes_ = 0;
    std::chrono::steady_clock::time_point firstPending_;
    bool allFinished_ = true;
    std::vector<std::string> copied_;
    std::set<std::string> placed_;
    std::vector<std::string> noName_;
};

// Only the question before a conversion tells it: a card that cannot say leaves it unsaid.
std::optional<std::uint64_t> FreeSpaceIfKnown(CardSide& card) {
    try {
        return card.fileSystem().freeSpace(card.cardRoot());
    } catch (const FileError&) {
        return std::nullopt;
    }
}

// The files the writer leaves out are told once, by name; the others are the run's.
std::vector<std::string> WithoutLeftOut(const std::vector<std::string>& asked,
                                        const SourceWriter& writer, Prompt& prompt) {
    const std::vector<std::string>& leftOut = writer.leftOut();
    if (leftOut.empty()) return asked;
    std::vector<std::string> names(leftOut.size());
    std::transform(leftOut.begin(), leftOut.end(), names.begin(), FileNameOf);
    prompt.messageForFiles(kNotSoundNotCopied, names, MessageStyle::Exclamation);
    std::vector<std::string> kept;
    std::copy_if(asked.begin(), asked.end(), std::back_inserter(kept),
                 [&](const std::string& path) {
                     return std::find(leftOut.begin(), leftOut.end(), path) == leftOut.end();
                 });
    return kept;
}

}  // namespace

int FreeCardNames(const std::vector<DirEntry>& rootEntries, Mode mode) {
    return FreeNames(rootEntries, mode).count();
}

std::string FriendlyNameOf(const std::string& sourceFileName) {
    return sourceFileName.substr(0, sourceFileName.find('.'));
}

bool CopyToCard(CardSide& card, Prompt& prompt, const std::vector<std::string>& asked,
                RunObserver& observer, const SampleConversion& conversion) {
    if (!CardChosen(card, prompt)) return false;
    // Asked before the card's lock is taken, so that no other run waits on the answer.
    SampleConversion withFree = conversion;
    withFree.cardFree = [&card] { return FreeSpaceIfKnown(card); };
    std::optional<SourceWriter> writer = ChooseSourceWriter(asked, card.mode(), withFree, prompt);
    if (!writer) return false;
    if (!writer->refusals().empty()) {
        for (const std::string& refusal : writer->refusals()) {
            prompt.message(refusal, MessageStyle::Exclamation);
        }
        return false;
    }
    const std::vector<std::string> sourcePaths = WithoutLeftOut(asked, *writer, prompt);
    const bool noneLeftOut = sourcePaths.size() == asked.size();
    const auto write = CardWriteRun::Start(card, prompt);
    if (!write) return false;
    CopyRun run(card, prompt, observer, FreeNames(card.rootEntries(), card.mode()),
                std::move(*writer));
    observer.start(TotalBytes(card.computer(), sourcePaths));
    bool allCopied = true;
    bool saved = true;
    try {
        for (std::size_t i = 0; i < sourcePaths.size(); ++i) {
            if (!observer.next(static_cast<int>(i), static_cast<int>(sourcePaths.size()),
                               FileNameOf(sourcePaths[i]))) {
                allCopied = false;
                break;
            }
            const Outcome outcome = run.copyOrFail(sourcePaths[i]);
            allCopied = allCopied && outcome == Outcome::Copied;
            if (outcome == Outcome::Failed || outcome == Outcome::Canceled) break;
        }
        observer.writing();
        run.finish();
        run.tellNoName();
        allCopied = run.allFinished() && allCopied;
        // Nothing copied, nothing to name: the catalogue stays as it is.
        if (run.anyCopied()) saved = run.save();
    } catch (const FileError& error) {
        if (error.kind() != FileErrorKind::CardRemoved) throw;
        // Copies that were written but not named are the run's leftovers: the next run that
        // writes the card removes them, so they are told as not copied.
        prompt.message(CardRemovedBefore(run.notPlaced(sourcePaths)), MessageStyle::Exclamation);
        return false;
    }
    return ReloadTelling(card, prompt) && saved && allCopied && noneLeftOut;
}

}  // namespace quodlin
