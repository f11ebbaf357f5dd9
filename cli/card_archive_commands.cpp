#include "cli/card_archive_commands.h"

#include "cli/card_command.h"
#include "core/archive/card_backup.h"
#include "core/archive/card_rescue.h"
#include "core/archive/card_restore.h"
#include "core/card/card_check.h"
#include "core/card/card_write.h"
#include "core/messages/messages.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

int Report(const ArchiveArgs& args, const ArchiveResult& result, const std::string& doneText) {
    for (const std::string& problem : result.problems) args.err << problem << '\n';
    if (!result.done()) return kExitFailed;
    args.out << doneText << '\n';
    return kExitDone;
}

int CardNotReadable(const ArchiveArgs& args, const FileError& error) {
    args.err << kDriveNotReady << ' ' << CardNotRead(error) << '\n';
    return kExitFailed;
}

// Tells once per file where a rescue began to read sector by sector, so that a long wait on a
// failing card is explained.
class RescueProgress : public RunObserver {
public:
    explicit RescueProgress(std::ostream& err) : err_(err) {}
    bool next(int, int, const std::string&) override {
        told_ = false;
        return true;
    }
    bool retrying(const std::string& file, std::uint64_t offset, int) override {
        if (!told_) {
            err_ << VisibleText(file) << ": reading sector by sector from byte " << Grouped(offset)
                 << ", each up to 4 times\n";
        }
        told_ = true;
        return true;
    }

private:
    std::ostream& err_;
    bool told_ = false;
};

using CardRun = ArchiveResult (*)(CardSide&, const std::string&, RunObserver&);

int CopyCardCommand(const ArchiveArgs& args, const std::string& command, CardRun run,
                    RunObserver& observer,
                    std::string (*doneText)(const ArchiveResult&, const std::string&)) {
    if (args.operands.size() != 2) return args.usageError(command + " takes CARD and DIR");
    const std::string& dir = args.operands[1];
    CardSide card(args.card, args.computer, true);
    try {
        card.pin(args.operands[0]);
    } catch (const FileError& error) {
        return CardNotReadable(args, error);
    }
    const ArchiveResult result = run(card, dir, observer);
    return Report(args, result, doneText(result, dir));
}

}  // namespace

int BackupCommand(const ArchiveArgs& args) {
    RunObserver observer;
    return CopyCardCommand(args, "backup", BackUpCard, observer, BackupDoneText);
}

int RescueCommand(const ArchiveArgs& args) {
    RescueProgress observer(args.err);
    return CopyCardCommand(args, "rescue", RescueCard, observer, RescueDoneText);
}

int RestoreCommand(const ArchiveArgs& args) {
    if (args.operands.size() != 2) return args.usageError("restore takes DIR and CARD");
    CardSide card(args.card, args.computer, true);
    try {
        // Pinned before anything else, so that a card pulled during the check is noticed.
        card.pin(args.operands[1]);
    } catch (const FileError& error) {
        return CardNotReadable(args, error);
    }
    RunObserver observer;
    const VerifiedBackup backup = VerifyBackup(args.computer, args.operands[0], observer);
    if (!backup.problem.empty()) {
        args.err << backup.problem << '\n';
        return kExitFailed;
    }
    try {
        card.smFile_PathChange();
        const CardHoldings holdings = HoldingsOf(card.rootEntries());
        if (holdings.inUse() && !args.replace) {
            args.err << "The card already holds " << HoldingsText(holdings)
                     << "; --replace replaces them with the backup. Nothing was written to the "
                        "card.\n";
            return kExitFailed;
        }
    } catch (const FileError& error) {
        return CardNotReadable(args, error);
    }
    const ArchiveResult result = RestoreCard(card, backup, args.replace, observer);
    return Report(args, result, RestoreDoneText(result));
}

int CheckCommand(const ArchiveArgs& args) {
    if (args.operands.size() != 1) return args.usageError("check takes one CARD");
    try {
        if (args.fix) {
            CardSide card(args.card, args.computer, true);
            card.pin(args.operands[0]);
            args.out << RemoveEndedRunsLeftovers(card) << '\n';
        }
        const std::vector<std::string> findings =
            CheckCard(args.card, args.operands[0], args.formats, args.readEvery);
        // Names come from the card: a control character must not reach the terminal as one.
        for (const std::string& finding : findings) args.out << VisibleText(finding) << '\n';
        if (!findings.empty()) return kExitFailed;
        args.out << kCardInOrder << '\n';
        return kExitDone;
    } catch (const FileError& error) {
        return CardNotReadable(args, error);
    }
}

}  // namespace quodlin
