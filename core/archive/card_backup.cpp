#include "core/archive/card_backup.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/archive/file_hash.h"
#include "core/archive/sha256_sums.h"
#include "core/card/card_temporary.h"
#include "core/text/messages.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/transfers/file_copy.h"
#include "core/transfers/file_io.h"

namespace quodlin {
namespace {

constexpr const char* kNotComplete =
    " The backup is not complete: it has no SHA256SUMS, so it cannot be restored.";

// The card's files in natural order, and how many leftovers of unfinished writes were left out:
// they are no card files. A FIFO or device is never read.
std::vector<std::string> CardFiles(const std::vector<DirEntry>& entries, int& leftovers) {
    std::vector<std::string> names;
    leftovers = 0;
    for (const DirEntry& entry : entries) {
        if (entry.isDirectory || entry.isSpecial) continue;
        if (IsCardTemporaryName(entry.name)) {
            ++leftovers;
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
        return Quoted(dir) + " cannot hold the backup (" + error.what() + ").";
    }
}

struct FileOutcome {
    bool canceled = false;
    std::string problem;  // "" when the copy was made and read back alike
};

// Copies one card file and reads the copy back.
FileOutcome BackUpFile(FileSystem& fs, const std::string& from, const std::string& to,
                       RunObserver& observer, std::string& digest) {
    try {
        digest =
            CopyHashed(fs, from, to, [&](std::uint64_t bytes) { return observer.copied(bytes); });
        if (FileSha256(fs, to) == digest) return {};
        RemoveQuietly(fs, to);
        return {false, "its copy reads back differently"};
    } catch (const FileError& error) {
        return {error.kind() == FileErrorKind::Canceled, error.what()};
    }
}

}  // namespace

ArchiveResult BackUpCard(CardSide& card, const std::string& dir, RunObserver& observer) {
    ArchiveResult result;
    FileSystem& fs = card.fileSystem();
    const std::string& cardRoot = card.cardRoot();
    std::unique_ptr<CardLock> lock;
    std::vector<std::string> names;
    try {
        card.ensureCardPresent();
        // Shared: other backups may read along, but nobody changes the card meanwhile.
        lock = fs.lockCard(cardRoot, LockMode::Shared);
        names = CardFiles(fs.list(cardRoot), result.leftoversSkipped);
    } catch (const FileError& error) {
        result.problems.push_back(CardNotRead(error));
        return result;
    }
    if (std::string problem = PrepareFolder(fs, dir); !problem.empty()) {
        result.problems.push_back(problem);
        return result;
    }
    std::vector<FileSum> sums;
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) paths.push_back(JoinNative(cardRoot, name));
    observer.start(TotalBytes(fs, paths));
    for (std::size_t i = 0; i < names.size(); ++i) {
        FileSum sum{"", names[i]};
        FileOutcome outcome{true, ""};
        if (observer.next(static_cast<int>(i), static_cast<int>(names.size()), names[i])) {
            try {
                card.ensureCardPresent();
            } catch (const FileError&) {
                result.problems.push_back(std::string(kCardRemoved) + kNotComplete);
                return result;
            }
            observer.busy(true);
            outcome = BackUpFile(fs, JoinNative(cardRoot, names[i]), JoinNative(dir, names[i]),
                                 observer, sum.digest);
            observer.busy(false);
        }
        if (outcome.canceled) {
            result.problems.push_back("The backup was canceled; it is not complete.");
            return result;
        }
        if (!outcome.problem.empty()) {
            // The run goes on, so that a failing card gives up as much as it still can.
            result.problems.push_back(Quoted(names[i]) + " could not be backed up (" +
                                      outcome.problem + ").");
            continue;
        }
        sums.push_back(sum);
        result.files.push_back(names[i]);
    }
    if (!result.problems.empty()) {
        result.problems.push_back(kNotComplete + 1);
        return result;
    }
    // Written last and put in place in one step: a folder with SHA256SUMS is a whole backup.
    const std::string temporary = JoinNative(dir, CardTemporaryName(fs.ownerTag()));
    try {
        card.ensureCardPresent();
        WriteNewFile(fs, temporary, FormatSums(sums));
        fs.renameNoReplace(temporary, JoinNative(dir, kSumsName));
    } catch (const FileError& error) {
        RemoveQuietly(fs, temporary);
        result.problems.push_back(error.kind() == FileErrorKind::CardRemoved
                                      ? std::string(kCardRemoved) + kNotComplete
                                      : std::string(kSumsName) + " could not be written (" +
                                            error.what() + ")." + kNotComplete);
    }
    return result;
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
