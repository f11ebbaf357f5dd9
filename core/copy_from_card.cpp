#include "core/copy_from_card.h"

#include "core/card_naming.h"
#include "core/file_copy.h"
#include "core/file_io.h"
#include "core/messages.h"
#include "core/safe_file_name.h"
#include "core/text_functions.h"

namespace quodlin {
namespace {

enum class Outcome { Copied, Declined, Failed };

class FromCardRun {
public:
    FromCardRun(CardSide& card, Prompt& prompt, RunObserver& observer, std::string destDir)
        : card_(card),
          fs_(card.fileSystem()),
          prompt_(prompt),
          observer_(observer),
          destDir_(std::move(destDir)) {}

    Outcome copy(const CardEntry& entry) {
        const std::string name =
            ComputerFileName(entry.name, ModeExtension(card_.mode()), entry.fileName);
        std::string target = JoinNative(destDir_, name);
        try {
            const std::string existing = StoredName(fs_.list(destDir_), name);
            const bool replacing = !existing.empty();
            if (replacing) {
                target = JoinNative(destDir_, existing);
                if (!prompt_.question(OverwriteQuestion(target))) return Outcome::Declined;
            }
            return write(entry, target, replacing);
        } catch (const FileError& error) {
            prompt_.message(CopyFromCardFailed(entry.fileName, target, error),
                            MessageStyle::Exclamation);
            return Outcome::Failed;
        }
    }

private:
    Outcome write(const CardEntry& entry, const std::string& target, bool replacing) {
        const std::string source = JoinNative(card_.cardRoot(), entry.fileName);
        const std::string temporary = JoinNative(destDir_, ".quodlin-" + entry.fileName + ".part");
        observer_.busy(true);
        auto failure = CopyToNewFile(fs_, source, temporary);
        if (failure && failure->error.kind() == FileErrorKind::AlreadyExists) {
            // Only an interrupted earlier copy leaves this name behind.
            RemoveQuietly(fs_, temporary);
            failure = CopyToNewFile(fs_, source, temporary);
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
    FileSystem& fs_;
    Prompt& prompt_;
    RunObserver& observer_;
    std::string destDir_;
};

}  // namespace

bool CopyFromCard(CardSide& card, Player& player, Prompt& prompt,
                  const std::vector<CardEntry>& selected, const std::string& destDir,
                  RunObserver& observer) {
    StopAndClose(player);
    bool allDone = false;
    const std::vector<int> rows = ReloadAndFindRows(card, prompt, selected, &allDone);
    FromCardRun run(card, prompt, observer, destDir);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CardEntry entry = card.table().entries()[static_cast<std::size_t>(rows[i])];
        if (!observer.next(static_cast<int>(i), static_cast<int>(rows.size()), entry.fileName)) {
            return false;
        }
        allDone = run.copy(entry) != Outcome::Failed && allDone;
    }
    return allDone;
}

}  // namespace quodlin
