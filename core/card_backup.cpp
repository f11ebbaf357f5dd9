#include "core/card_backup.h"

#include <algorithm>
#include <cstdint>

#include "core/card_temporary.h"
#include "core/file_hash.h"
#include "core/file_io.h"
#include "core/messages.h"
#include "core/natural_order.h"
#include "core/sha256_sums.h"
#include "core/text_functions.h"

namespace quodlin {
namespace {

// The card's files in natural order. A leftover of an interrupted write is no card file and is
// not kept; a FIFO or device is never read.
std::vector<std::string> CardFiles(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) {
        if (!entry.isDirectory && !entry.isSpecial && !IsCardTemporaryName(entry.name)) {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
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

// The bytes the run is to copy, for its progress; a file whose size cannot be told counts none.
std::uint64_t TotalSize(FileSystem& fs, const std::string& cardRoot,
                        const std::vector<std::string>& names) {
    std::uint64_t total = 0;
    for (const std::string& name : names) {
        try {
            total += fs.fileSize(JoinNative(cardRoot, name));
        } catch (const FileError&) {
        }
    }
    return total;
}

}  // namespace

ArchiveResult BackUpCard(FileSystem& fs, const std::string& cardRoot, const std::string& dir,
                         RunObserver& observer) {
    ArchiveResult result;
    std::vector<std::string> names;
    try {
        names = CardFiles(fs.list(cardRoot));
    } catch (const FileError& error) {
        result.problems.push_back(CardNotRead(error));
        return result;
    }
    if (std::string problem = PrepareFolder(fs, dir); !problem.empty()) {
        result.problems.push_back(problem);
        return result;
    }
    std::vector<FileSum> sums;
    observer.start(TotalSize(fs, cardRoot, names));
    for (std::size_t i = 0; i < names.size(); ++i) {
        FileSum sum{"", names[i]};
        FileOutcome outcome{true, ""};
        if (observer.next(static_cast<int>(i), static_cast<int>(names.size()), names[i])) {
            observer.busy(true);
            outcome = BackUpFile(fs, JoinNative(cardRoot, names[i]), JoinNative(dir, names[i]),
                                 observer, sum.digest);
            observer.busy(false);
        }
        if (outcome.canceled) {
            result.problems.push_back("The backup was cancelled; it is not complete.");
            break;
        }
        if (!outcome.problem.empty()) {
            result.problems.push_back(Quoted(names[i]) + " could not be backed up (" +
                                      outcome.problem + ").");
            continue;
        }
        sums.push_back(sum);
        result.files.push_back(names[i]);
    }
    try {
        WriteNewFile(fs, JoinNative(dir, kSumsName), FormatSums(sums));
    } catch (const FileError& error) {
        result.problems.push_back(std::string(kSumsName) + " could not be written (" +
                                  error.what() + ").");
    }
    return result;
}

std::string BackupDoneText(const ArchiveResult& result, const std::string& dir) {
    const std::size_t n = result.files.size();
    return "Backed up " + std::to_string(n) + (n == 1 ? " file" : " files") + " to " + Quoted(dir) +
           ".";
}

}  // namespace quodlin
