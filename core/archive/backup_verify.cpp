#include "core/archive/backup_verify.h"

#include <algorithm>

#include "core/archive/file_hash.h"
#include "core/archive/sha256_sums.h"
#include "core/catalogue_file.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

// A real one has a line per card file; anything much longer is no backup's.
constexpr std::size_t kMaxSumsBytes = std::size_t{1024} * 1024;

// A name that could not be a file of the card root, or that the card could not hold beside
// another name of the list, since the card does not tell letter cases apart.
std::string NameProblem(const std::vector<FileSum>& sums) {
    for (auto sum = sums.begin(); sum != sums.end(); ++sum) {
        const std::string& name = sum->name;
        if (name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) {
            return std::string(kSumsName) + " names " + Quoted(name) +
                   ", which is no file of a card.";
        }
        if (std::any_of(sums.begin(), sum, [&](const FileSum& earlier) {
                return EqualsIgnoringCase(earlier.name, name);
            })) {
            return std::string(kSumsName) + " names " + Quoted(name) + " twice.";
        }
    }
    return "";
}

std::vector<FileSum> ReadSums(FileSystem& fs, const std::string& dir, std::string& problem) {
    const std::string path = JoinNative(dir, kSumsName);
    ParsedSums parsed = ParseSums(ReadWholeFile(fs, path, kMaxSumsBytes, "too long"));
    problem = parsed.problem.empty() ? NameProblem(parsed.sums)
                                     : std::string(kSumsName) + ": " + parsed.problem + ".";
    return parsed.sums;
}

// True when dir can be listed and holds no SHA256SUMS: a backup that never ended.
bool HasNoSums(FileSystem& fs, const std::string& dir) {
    try {
        return StoredName(fs.list(dir), kSumsName).empty();
    } catch (const FileError&) {
        return false;
    }
}

void CheckFiles(FileSystem& fs, VerifiedBackup& backup, RunObserver& observer) {
    const std::string& dir = backup.dir;
    std::string current = kSumsName;
    try {
        const std::vector<FileSum> sums = ReadSums(fs, dir, backup.problem);
        if (!backup.problem.empty()) return;
        // A missing file is found before any is read.
        std::uint64_t total = 0;
        for (const FileSum& sum : sums) {
            current = sum.name;
            backup.files.push_back({current, sum.digest, fs.fileSize(JoinNative(dir, current))});
            total += backup.files.back().size;
        }
        observer.start(total);
        for (std::size_t i = 0; i < sums.size(); ++i) {
            current = sums[i].name;
            const bool goOn =
                observer.next(static_cast<int>(i), static_cast<int>(sums.size()), current);
            if (goOn && FileSha256(fs, JoinNative(dir, current)) != sums[i].digest) {
                backup.problem = Quoted(current) + " in the backup is damaged: it does not match " +
                                 kSumsName + ".";
                return;
            }
            if (!goOn || !observer.copied(backup.files[i].size)) {
                backup.problem = "The check of the backup was canceled.";
                return;
            }
        }
    } catch (const FileError& error) {
        if (current == kSumsName && error.kind() == FileErrorKind::NotFound && HasNoSums(fs, dir)) {
            backup.problem =
                Quoted(dir) + " is not a complete backup: it has no " + kSumsName + ".";
            return;
        }
        backup.problem = Quoted(current) + " in the backup cannot be read" + BecauseOf(error) + ".";
    }
}

}  // namespace

VerifiedBackup VerifyBackup(FileSystem& fs, const std::string& dir, RunObserver& observer) {
    VerifiedBackup backup{dir, {}, ""};
    CheckFiles(fs, backup, observer);
    if (!backup.problem.empty()) {
        backup.problem += " Nothing was written to the card.";
        return backup;
    }
    std::stable_partition(backup.files.begin(), backup.files.end(), [](const BackupFile& file) {
        return !EqualsIgnoringCase(file.name, kCatalogueName);
    });
    return backup;
}

}  // namespace quodlin
