#include "core/archive/card_backup.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/archive/file_hash.h"
#include "core/archive/sha256_sums.h"
#include "core/card/card_temporary.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"

namespace quodlin {
namespace {

constexpr const char* kNotComplete =
    " The backup is not complete: it has no SHA256SUMS, so it cannot be restored.";

// The card's files in natural order, and how many leftovers of unfinished writes were left out:
// they are no card files. A FIFO, device or dangling link is never read, but it is a problem:
// the backup cannot hold it.
std::vector<std::string> CardFiles(const std::vector<DirEntry>& entries, ArchiveResult& result) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) {
        if (entry.isDirectory) continue;
        if (entry.isSpecial) {
            result.problems.push_back(Quoted(entry.name) +
                                      " could not be backed up (it is not a regular file).");
        } else if (IsCardTemporaryName(entry.name)) {
            ++result.leftoversSkipped;
        } else {
            names.push_back(entry.name);
        }
    }
    SortNaturally(names);
    return names;
}

// Makes dir, or takes it when it is an empty folder; "" when it can be used.
std::string PrepareFolder(FileSystem& fs, const std::string& dir) {
    try {
        if (!fs.isDirectory(dir)) fs.createDirectory(dir);
        if (fs.list(dir).empty()) return "";
        return Quoted(dir) + " is not empty; a backup goes into a new or empty folder.";
    } catch (const FileError& error) {
        return Quoted(dir) + " cannot hold the backup" + BecauseOf(error) + ".";
    }
}

// Why a file could not be backed up.
std::string ProblemOf(const std::string& name, const FileError& error) {
    if (error.kind() == FileErrorKind::Incomplete) return error.reason();
    return Quoted(name) + " could not be backed up" + BecauseOf(error) + ".";
}

// Copies one card file and reads the copy back; returns its digest.
std::string BackUpFile(CardSide& card, const std::string& from, const std::string& to,
                       RunObserver& observer) {
    FileSystem& computer = card.computer();
    return ReadBack(computer, to,
                    CopyHashed(card.fileSystem(), from, computer, to,
                               [&](std::uint64_t bytes) { return observer.copied(bytes); }));
}

// Puts SHA256SUMS in place, written last and in one step: a folder with it is a whole backup.
void WriteSums(CardSide& card, const std::string& dir, const std::vector<FileSum>& sums,
               ArchiveResult& result) {
    FileSystem& fs = card.computer();
    const std::string temporary = JoinNative(dir, CardTemporaryName(fs));
    try {
        card.ensureCardPresent();
        WriteNewFile(fs, temporary, FormatSums(sums));
        fs.renameNoReplace(temporary, JoinNative(dir, kSumsName));
    } catch (const FileError& error) {
        RemoveQuietly(fs, temporary);
        result.problems.push_back(error.kind() == FileErrorKind::CardRemoved
                                      ? std::string(kCardRemoved) + kNotComplete
                                      : std::string(kSumsName) + " could not be written" +
                                            BecauseOf(error) + "." + kNotComplete);
    }
}

}  // namespace

std::string ReadBack(FileSystem& fs, const std::string& copy, const std::string& digest) {
    if (FileSha256(fs, copy) == digest) return digest;
    RemoveQuietly(fs, copy);
    throw FileError(FileErrorKind::Other, copy, "its copy reads back differently");
}

ArchiveResult CopyCardFiles(CardSide& card, const std::string& dir, RunObserver& observer,
                            const std::string& runName, const CopyCardFile& copyFile) {
    ArchiveResult result;
    FileSystem& fs = card.fileSystem();
    const std::string& cardRoot = card.cardRoot();
    std::unique_ptr<CardLock> lock;
    std::vector<std::string> names;
    try {
        card.ensureCardPresent();
        // Shared: other backups may read along, but nobody changes the card meanwhile.
        lock = fs.lockCard(cardRoot, LockMode::Shared);
        names = CardFiles(fs.list(cardRoot), result);
    } catch (const FileError& error) {
        result.problems.push_back(CardNotRead(error));
        return result;
    }
    if (std::string problem = PrepareFolder(card.computer(), dir); !problem.empty()) {
        result.problems = {problem};
        return result;
    }
    std::vector<FileSum> sums;
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) paths.push_back(JoinNative(cardRoot, name));
    observer.start(TotalBytes(fs, paths));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (!observer.next(static_cast<int>(i), static_cast<int>(names.size()), name)) {
            result.problems.push_back("The " + runName + " was canceled; it is not complete.");
            return result;
        }
        try {
            card.ensureCardPresent();
            observer.busy(true);
            sums.push_back({copyFile(paths[i], JoinNative(dir, name)), name});
            observer.busy(false);
            result.files.push_back(name);
        } catch (const FileError& error) {
            observer.busy(false);
            if (error.kind() == FileErrorKind::CardRemoved) {
                result.problems.push_back(std::string(kCardRemoved) + kNotComplete);
                return result;
            }
            if (error.kind() == FileErrorKind::Canceled) {
                result.problems.push_back("The " + runName + " was canceled; it is not complete.");
                return result;
            }
            // The run goes on, so that a failing card gives up as much as it still can.
            result.problems.push_back(ProblemOf(name, error));
        }
    }
    if (!result.problems.empty()) {
        result.problems.push_back(kNotComplete + 1);
        return result;
    }
    WriteSums(card, dir, sums, result);
    return result;
}

ArchiveResult BackUpCard(CardSide& card, const std::string& dir, RunObserver& observer) {
    return CopyCardFiles(card, dir, observer, "backup",
                         [&](const std::string& from, const std::string& to) {
                             return BackUpFile(card, from, to, observer);
                         });
}

std::string BackupDoneText(const ArchiveResult& result, const std::string& dir) {
    const std::size_t n = result.files.size();
    std::string text =
        "Backed up " + Counted(static_cast<long long>(n), "file") + " to " + Quoted(dir) + ".";
    const int skipped = result.leftoversSkipped;
    if (skipped > 0) {
        text += " " +
                Counted(skipped, "leftover temporary file was", "leftover temporary files were") +
                " skipped.";
    }
    return text;
}

}  // namespace quodlin
