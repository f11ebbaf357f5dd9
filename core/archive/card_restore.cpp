#include "core/archive/card_restore.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/archive/file_hash.h"
#include "core/card/card_listing.h"
#include "core/card/card_temporary.h"
#include "core/card/card_write.h"
#include "core/catalogue_file.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

bool IsCatalogue(const std::string& name) {
    return EqualsIgnoringCase(name, kCatalogueName) || EqualsIgnoringCase(name, kLeftoverName);
}

std::string StoppedBy(const FileError& error) {
    return error.kind() == FileErrorKind::CardRemoved ? kCardRemoved : error.what();
}

// Where one backup file goes on the card: the name the card already stores for it, if any.
struct Placement {
    std::string stored;
};

// What a file of this size takes on a volume that allocates in units of unit bytes.
std::uint64_t Allocated(std::uint64_t size, std::uint64_t unit) {
    return (size + unit - 1) / unit * unit;
}

class RestoreRun {
public:
    RestoreRun(CardSide& card, const VerifiedBackup& backup, bool replace, RunObserver& observer)
        : card_(card),
          fs_(card.fileSystem()),
          backup_(backup),
          replace_(replace),
          observer_(observer) {}

    ArchiveResult run() {
        try {
            const CardWriteRun write(card_);
            return planAndRestore();
        } catch (const FileError& error) {
            result_.problems.push_back(CardNotRead(error) + kNothingWritten);
            return result_;
        }
    }

private:
    static constexpr const char* kNothingWritten = " Nothing was written to the card.";

    ArchiveResult planAndRestore() {
        plan(card_.rootEntries());
        if (!result_.done()) return result_;
        std::uint64_t total = 0;
        for (const BackupFile& file : backup_.files) total += file.size;
        observer_.start(total);
        for (std::size_t i = 0; i < backup_.files.size(); ++i) {
            const BackupFile& file = backup_.files[i];
            const int count = static_cast<int>(backup_.files.size());
            if (!observer_.next(static_cast<int>(i), count, file.name)) {
                return stopped("The restore was canceled");
            }
            try {
                restore(file, placements_[i]);
            } catch (const FileError& error) {
                if (error.kind() == FileErrorKind::Canceled) {
                    return stopped("The restore was canceled");
                }
                if (error.kind() == FileErrorKind::CardRemoved) {
                    result_.problems.push_back(kCardRemoved);
                    return result_;
                }
                return stopped(Quoted(file.name) + " could not be restored (" + StoppedBy(error) +
                               ")");
            }
            result_.files.push_back(file.name);
        }
        if (replace_) removeOthers();
        return result_;
    }

    // Where each file goes, refusing before anything is written when a name is taken or the
    // card has no room.
    void plan(const std::vector<DirEntry>& entries) {
        for (const BackupFile& file : backup_.files) {
            Placement placement{StoredName(entries, file.name)};
            if (!replace_ && !placement.stored.empty()) {
                result_.problems.push_back(Quoted(placement.stored) + " is already on the card." +
                                           kNothingWritten);
            }
            placements_.push_back(placement);
        }
        if (result_.done()) checkRoom();
    }

    // Each file needs its room while the file it replaces is still there; that one's room is
    // free again once the new file is in place. Files take whole allocation units.
    void checkRoom() {
        const std::optional<std::uint64_t> free = fs_.freeSpace(card_.cardRoot());
        if (!free) return;
        const std::uint64_t unit = fs_.allocationUnit(card_.cardRoot()).value_or(1);
        std::int64_t room = static_cast<std::int64_t>(*free);
        std::int64_t least = room;
        for (std::size_t i = 0; i < backup_.files.size(); ++i) {
            room -= static_cast<std::int64_t>(Allocated(backup_.files[i].size, unit));
            least = std::min(least, room);
            const std::string& stored = placements_[i].stored;
            if (!stored.empty()) {
                room += static_cast<std::int64_t>(Allocated(fs_.fileSize(cardPath(stored)), unit));
            }
        }
        if (least >= 0) return;
        const auto needed = static_cast<std::uint64_t>(static_cast<std::int64_t>(*free) - least);
        result_.problems.push_back(BackupDoesNotFit(needed, *free) + kNothingWritten);
    }

    void restore(const BackupFile& file, const Placement& placement) {
        card_.ensureCardPresent();
        observer_.busy(true);
        const std::string temporary = cardPath(CardTemporaryName(fs_));
        try {
            const auto failure =
                CopyToNewFile(card_.computer(), JoinNative(backup_.dir, file.name), fs_, temporary,
                              [this](std::uint64_t bytes) { return observer_.copied(bytes); });
            if (failure) {
                const bool full = failure->error.kind() != FileErrorKind::Canceled &&
                                  IsVolumeFull(fs_, card_.cardRoot(), *failure);
                if (!full) throw failure->error;
                throw FileError(FileErrorKind::NoSpace, temporary, kCardIsFull);
            }
            // Read back from the card, this also catches a backup file changed since its check.
            if (FileSha256(fs_, temporary) != file.digest) {
                throw FileError(FileErrorKind::Other, temporary,
                                "the copy on the card differs from the backup");
            }
            if (placement.stored.empty()) {
                fs_.renameNoReplace(temporary, cardPath(file.name));
            } else {
                fs_.replace(temporary, cardPath(placement.stored));
            }
        } catch (const FileError&) {
            observer_.busy(false);
            RemoveQuietly(fs_, temporary);
            throw;
        }
        observer_.busy(false);
    }

    // Everything the backup does not hold, once the backup's catalogue is in place.
    void removeOthers() {
        try {
            for (const DirEntry& entry : fs_.list(card_.cardRoot())) {
                if (entry.isDirectory || isInBackup(entry.name) ||
                    IsCardTemporaryName(entry.name)) {
                    continue;
                }
                card_.ensureCardPresent();
                fs_.remove(cardPath(entry.name));
            }
        } catch (const FileError& error) {
            result_.problems.push_back(
                "The files were restored, but not every other file could be removed from the "
                "card (" +
                StoppedBy(error) + ").");
        }
    }

    bool isInBackup(const std::string& name) const {
        for (const BackupFile& file : backup_.files) {
            if (EqualsIgnoringCase(file.name, name)) return true;
        }
        return false;
    }

    ArchiveResult stopped(const std::string& what) {
        const std::string left =
            result_.files.empty()
                ? " Nothing was written to the card."
                : " The catalogue on the card was left as it was; " +
                      Counted(static_cast<int>(result_.files.size()), "file was", "files were") +
                      " restored.";
        result_.problems.push_back(what + "." + left);
        return result_;
    }

    std::string cardPath(const std::string& name) const {
        return JoinNative(card_.cardRoot(), name);
    }

    CardSide& card_;
    FileSystem& fs_;
    const VerifiedBackup& backup_;
    bool replace_;
    RunObserver& observer_;
    std::vector<Placement> placements_;
    ArchiveResult result_;
};

}  // namespace

CardHoldings HoldingsOf(const std::vector<DirEntry>& rootEntries) {
    CardHoldings holdings;
    for (const DirEntry& entry : rootEntries) {
        if (entry.isDirectory || entry.isSpecial || IsCardTemporaryName(entry.name)) continue;
        if (IsCardFileOfMode(entry, Mode::Samples)) {
            ++holdings.samples;
        } else if (IsCardFileOfMode(entry, Mode::Banks)) {
            ++holdings.banks;
        } else if (IsCatalogue(entry.name)) {
            holdings.catalogue = true;
        } else {
            ++holdings.others;
        }
    }
    return holdings;
}

std::string HoldingsText(const CardHoldings& holdings) {
    std::vector<std::string> parts;
    if (holdings.samples > 0) parts.push_back(Counted(holdings.samples, "sample", "samples"));
    if (holdings.banks > 0) parts.push_back(Counted(holdings.banks, "bank", "banks"));
    if (holdings.catalogue) parts.push_back(kCatalogueName);
    if (holdings.others > 0) parts.push_back(Counted(holdings.others, "other file", "other files"));
    return Joined(parts, ", ", " and ");
}

std::string RestoreQuestion(const CardHoldings& holdings, const std::string& dir) {
    const std::string text = HoldingsText(holdings);
    if (text.empty()) return "Restore the backup in " + Quoted(dir) + " to SmartMedia?";
    return "Replace all " + text + " on SmartMedia with the backup in " + Quoted(dir) + "?";
}

ArchiveResult RestoreCard(CardSide& card, const VerifiedBackup& backup, bool replace,
                          RunObserver& observer) {
    return RestoreRun(card, backup, replace, observer).run();
}

std::string RestoreDoneText(const ArchiveResult& result) {
    return "Restored " + Counted(static_cast<int>(result.files.size()), "file", "files") +
           " to the card.";
}

}  // namespace quodlin
