#include "core/transfers/copy_from_card.h"

#include <optional>

#include "core/card/card_naming.h"
#include "core/card/card_temporary.h"
#include "core/computer/safe_file_name.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

enum class Outcome { Copied, Declined, Failed, Canceled };

class FromCardRun {
public:
    FromCardRun(CardSide& card, Prompt& prompt, RunObserver& observer, std::string destDir)
        : card_(card),
          fs_(card.computer()),
          prompt_(prompt),
          observer_(observer),
          destDir_(std::move(destDir)) {}

    Outcome copy(const CardEntry& entry) {
        std::string name =
            ComputerFileName(entry.name, ModeExtension(card_.mode()), entry.fileName);
        std::string target = JoinNative(destDir_, name);
        try {
            // Listed once a run: what the run writes is in written_, and a file another program
            // makes meanwhile is never replaced, since the copy takes its name only if it is free.
            if (!entries_) entries_ = fs_.list(destDir_);
            const std::vector<DirEntry>& entries = *entries_;
            // Two card files with one friendly name: the second never replaces the first.
            if (WrittenThisRun(name)) name = FreeVariant(entries, name);
            target = JoinNative(destDir_, name);
            const std::string existing = StoredName(entries, name);
            const bool replacing = !existing.empty();
            if (replacing) {
                target = JoinNative(destDir_, existing);
                const Outcome answer = askOverwrite(target);
                if (answer != Outcome::Copied) return answer;
            }
            const Outcome outcome = write(entry, target, replacing);
            written_.push_back(name);
            observer_.fileDone();
            return outcome;
        } catch (const FileError& error) {
            if (error.kind() == FileErrorKind::Canceled) return Outcome::Canceled;
            // A card pulled in the middle of the copy is told as such, not as this file's fault.
            card_.ensureCardPresent();
            prompt_.message(CopyFromCardFailed(entry.fileName, target, error),
                            MessageStyle::Exclamation);
            return Outcome::Failed;
        }
    }

private:
    // Copied when the file is to be replaced; a "to All" answer stands for the rest of the run.
    Outcome askOverwrite(const std::string& target) {
        if (!overwriteAll_) {
            switch (prompt_.questionForEach(OverwriteQuestion(target), target)) {
                case EachAnswer::Yes:
                    return Outcome::Copied;
                case EachAnswer::No:
                    return Outcome::Declined;
                case EachAnswer::Cancel:
                    return Outcome::Canceled;
                case EachAnswer::YesToAll:
                    overwriteAll_ = true;
                    break;
                case EachAnswer::NoToAll:
                    overwriteAll_ = false;
                    break;
            }
        }
        return *overwriteAll_ ? Outcome::Copied : Outcome::Declined;
    }

    bool WrittenThisRun(const std::string& name) const {
        for (const std::string& written : written_) {
            if (EqualsIgnoringCase(written, name)) return true;
        }
        return false;
    }

    // "Drum (2).wav", "Drum (3).wav", ...: the first that neither the folder nor this run holds.
    std::string FreeVariant(const std::vector<DirEntry>& entries, const std::string& name) const {
        const std::size_t dot = name.rfind('.');
        const std::string stem = name.substr(0, dot);
        const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
        for (int n = 2;; ++n) {
            std::string variant = stem + " (" + std::to_string(n) + ")" + extension;
            if (StoredName(entries, variant).empty() && !WrittenThisRun(variant)) return variant;
        }
    }

    Outcome write(const CardEntry& entry, const std::string& target, bool replacing) {
        const std::string source = JoinNative(card_.cardRoot(), entry.fileName);
        observer_.busy(true);
        std::string temporary;
        std::optional<CopyFailure> failure;
        // A file already under a temporary name may be the user's own: it is left alone and
        // another name is taken.
        for (int attempt = 1; attempt <= 100; ++attempt) {
            temporary = JoinNative(destDir_, CardTemporaryName(fs_));
            failure =
                CopyToNewFile(card_.fileSystem(), source, fs_, temporary,
                              [this](std::uint64_t bytes) { return observer_.copied(bytes); });
            if (!failure || failure->error.kind() != FileErrorKind::AlreadyExists ||
                failure->targetCreated) {
                break;
            }
        }
        observer_.busy(false);
        if (failure) throw failure->error;
        try {
            if (replacing) {
                fs_.replace(temporary, target);
            } else {
                fs_.renameNoReplace(temporary, target);
            }
        } catch (const FileError&) {
            RemoveQuietly(fs_, temporary);
            throw;
        }
        return Outcome::Copied;
    }

    CardSide& card_;
    FileSystem& fs_;  // the computer's
    Prompt& prompt_;
    RunObserver& observer_;
    std::string destDir_;
    std::vector<std::string> written_;
    std::optional<std::vector<DirEntry>> entries_;
    std::optional<bool> overwriteAll_;
};

}  // namespace

bool CopyFromCard(CardSide& card, Prompt& prompt, const std::vector<CardEntry>& selected,
                  const std::string& destDir, RunObserver& observer) {
    bool allDone = false;
    std::vector<int> rows = ReloadAndFindRows(card, prompt, selected, &allDone);
    std::erase(rows, -1);
    FromCardRun run(card, prompt, observer, destDir);
    std::vector<std::string> sources;
    sources.reserve(rows.size());
    for (const int row : rows)
        sources.push_back(JoinNative(card.cardRoot(), card.table().smFileName(row)));
    observer.start(TotalBytes(card.fileSystem(), sources));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CardEntry entry = card.table().entries()[static_cast<std::size_t>(rows[i])];
        if (!observer.next(static_cast<int>(i), static_cast<int>(rows.size()), entry.fileName)) {
            return false;
        }
        Outcome outcome = Outcome::Failed;
        try {
            card.ensureCardPresent();
            outcome = run.copy(entry);
        } catch (const FileError& error) {
            prompt.message(CardNotRead(error), MessageStyle::Exclamation);
            return false;
        }
        if (outcome == Outcome::Canceled) return false;
        allDone = outcome == Outcome::Copied && allDone;
    }
    return allDone;
}

}  // namespace quodlin
