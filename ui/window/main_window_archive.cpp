// The card list's context menu acts on the whole card: it backs it up or rescues it into a folder,
// restores it from one, checks it, or shows it in the desktop's file manager.
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <optional>

#include "core/archive/card_backup.h"
#include "core/archive/card_rescue.h"
#include "core/archive/card_restore.h"
#include "core/card/card_check.h"
#include "core/card/card_write.h"
#include "core/messages/messages.h"
#include "core/text/wording.h"
#include "platform/local/no_sound.h"
#include "ui/main_window.h"
#include "ui/running/run_progress.h"

namespace quodlin {
namespace {

QString MusicOrHome() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return !music.isEmpty() && QDir(music).exists() ? music : QDir::homePath();
}

// Picks "ES1 card 2024-05-01" in the music or home folder, numbered when that name is taken.
QString NewBackupFolder() {
    const QDir parent(MusicOrHome());
    const QString base = QStringLiteral("ES1 card ") + QDate::currentDate().toString(Qt::ISODate);
    QString name = base;
    for (int n = 2; parent.exists(name); ++n) name = base + QStringLiteral(" (%1)").arg(n);
    return parent.filePath(name);
}

}  // namespace

bool frmQuodlinMain::cardChosen() {
    return CardChosen(card_, prompt());
}

// A run that went well ends with its line in the status line; one that did not also tells why.
void frmQuodlinMain::finishArchiveRun(const ArchiveResult& result, const std::string& doneText) {
    if (result.done()) {
        showStatus(doneText);
        return;
    }
    prompt().message(Joined(result.problems, "\n"), MessageStyle::Exclamation);
    showStatus(result.problems.front());
}

void frmQuodlinMain::cardBackUp_Click() {
    copyCardInto("Back up the card into a new folder", "Backing up SmartMedia", BackUpCard,
                 BackupDoneText);
}

// Backs up or rescues the whole card into a new folder the user names.
void frmQuodlinMain::copyCardInto(const char* question, const char* title, CardCopyRun run,
                                  CardCopyDoneText doneText) {
    if (!cardChosen()) return;
    const QString dir = QFileDialog::getSaveFileName(
        this, QString::fromUtf8(question), NewBackupFolder(), QString(), nullptr,
        QFileDialog::ShowDirsOnly | QFileDialog::DontConfirmOverwrite);
    if (dir.isEmpty()) return;
    auto progress =
        std::make_shared<RunProgress>(this, QString::fromUtf8(title), parts_.progressDelayMs);
    auto result = std::make_shared<ArchiveResult>();
    startRun([this, run, progress, result,
              folder = dir.toStdString()] { *result = run(card_, folder, *progress); },
             [this, progress, result, doneText, folder = dir.toStdString()]() mutable {
                 progress.reset();
                 finishArchiveRun(*result, doneText(*result, folder));
             });
}

void frmQuodlinMain::cardRestore_Click() {
    if (!cardChosen() || refusedAsImage()) return;
    const QString dir = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Restore the card from a backup folder"), MusicOrHome());
    if (dir.isEmpty()) return;
    auto progress = std::make_shared<RunProgress>(this, QStringLiteral("Checking the backup"),
                                                  parts_.progressDelayMs);
    auto backup = std::make_shared<VerifiedBackup>();
    auto holdings = std::make_shared<std::optional<CardHoldings>>();
    startRun(
        [this, progress, backup, holdings, folder = dir.toStdString()] {
            *backup = VerifyBackup(fileSystem(), folder, *progress);
            if (!backup->problem.empty()) return;
            if (const std::string failure = card_.reread(); !failure.empty()) {
                runPrompt().message(failure, MessageStyle::Exclamation);
            } else {
                *holdings = HoldingsOf(card_.rootEntries());
            }
        },
        [this, progress, backup, holdings]() mutable {
            progress.reset();
            if (!backup->problem.empty()) return finishArchiveRun({{}, {backup->problem}}, "");
            if (!*holdings || !prompt().question(RestoreQuestion(**holdings, backup->dir))) return;
            restoreFrom(*backup);
        });
}

void frmQuodlinMain::restoreFrom(const VerifiedBackup& backup) {
    auto progress = std::make_shared<RunProgress>(this, QStringLiteral("Restoring SmartMedia"),
                                                  parts_.progressDelayMs);
    auto result = std::make_shared<ArchiveResult>();
    startRun(
        [this, progress, result, backup] {
            *result = RestoreCard(card_, backup, true, *progress);
            if (std::string failure = card_.reread(); !failure.empty()) {
                result->problems.push_back(std::move(failure));
            }
        },
        [this, progress, result]() mutable {
            progress.reset();
            showCardList();
            finishArchiveRun(*result, RestoreDoneText(*result));
        });
}

// Copies a failing card's files as far as they can be read; the rest become zeros and are listed.
void frmQuodlinMain::cardRescue_Click() {
    copyCardInto("Rescue the card into a new folder", "Rescuing SmartMedia", RescueCard,
                 RescueDoneText);
}

void frmQuodlinMain::cardCheck_Click() {
    checkCard(false);
}

void frmQuodlinMain::cardCheckReading_Click() {
    checkCard(true);
}

// The check and what ended runs left are read on the worker; the findings are told after.
void frmQuodlinMain::checkCard(bool readEvery) {
    if (!cardChosen()) return;
    auto findings = std::make_shared<std::optional<std::vector<std::string>>>();
    auto leftovers = std::make_shared<Leftovers>();
    startRun(
        [this, readEvery, findings, leftovers] {
            NoSampleFormats sizesOnly;
            try {
                *findings =
                    CheckCard(fileSystem(), card_.cardRoot(),
                              parts_.sampleFormats ? *parts_.sampleFormats : sizesOnly, readEvery);
                if ((*findings)->empty()) return;
                card_.smFile_PathChange();
                *leftovers = EndedRunsLeftovers(card_);
            } catch (const FileError& error) {
                runPrompt().message(CardNotRead(error), MessageStyle::Exclamation);
            }
        },
        [this, findings, leftovers] {
            if (!*findings) return;
            tellFindings(**findings);
            if (!(*findings)->empty()) offerToRemoveLeftovers(*leftovers);
        });
}

void frmQuodlinMain::tellFindings(const std::vector<std::string>& findings) {
    if (findings.empty()) {
        prompt().message(kCardInOrder, MessageStyle::Information);
        showStatus(kCardInOrder);
        return;
    }
    prompt().message(Joined(findings, "\n"), MessageStyle::Exclamation);
    showStatus("The check found " + Counted(static_cast<long long>(findings.size()), "problem") +
               ".");
}

// What ended runs left on the card can go at once, when the user says so.
void frmQuodlinMain::offerToRemoveLeftovers(const Leftovers& leftovers) {
    if (leftovers.names.empty() || cardIsImage() ||
        !prompt().question(RemoveLeftoversText(leftovers) + "?")) {
        return;
    }
    auto status = std::make_shared<std::string>();
    startRun(
        [this, status] {
            try {
                *status = RemoveEndedRunsLeftovers(card_);
                card_.smFile_PathChange();
            } catch (const FileError& error) {
                runPrompt().message(CardNotRead(error), MessageStyle::Exclamation);
            }
        },
        [this, status] {
            if (!status->empty()) showStatus(*status);
            showCardList();
        });
}

void frmQuodlinMain::cardShowInFileManager_Click() {
    if (!cardChosen()) return;
    const QString root = QString::fromStdString(card_.cardRoot());
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(root))) {
        showStatus("Showing " + Quoted(card_.cardRoot()) + " in the file manager.");
    } else {
        prompt().message("No file manager could be started for " + Quoted(card_.cardRoot()) + ".",
                         MessageStyle::Exclamation);
    }
}

}  // namespace quodlin
