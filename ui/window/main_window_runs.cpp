// The runs the window starts: copying, deleting and renaming on both sides, drops and previews.
// Each one stops the player, hands the window's selection to the core run on the worker, and then
// shows what the run left on the disk.

#include <QInputDialog>
#include <QLineEdit>
#include <algorithm>

#include "core/card/card_delete.h"
#include "core/card/card_moving.h"
#include "core/card/card_naming.h"
#include "core/computer/computer_files.h"
#include "core/computer/directory_query.h"
#include "core/computer/file_listing.h"
#include "core/messages/messages.h"
#include "core/shell/shaping_settings.h"
#include "core/text/native_paths.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"
#include "core/text/wording.h"
#include "core/transfers/copy_from_card.h"
#include "core/transfers/copy_to_card.h"
#include "ui/lists/card_list_box.h"
#include "ui/lists/file_list_box.h"
#include "ui/lists/play_mark.h"
#include "ui/main_window.h"
#include "ui/pane/sample_pane.h"
#include "ui/rename_dialog.h"
#include "ui/running/card_work.h"
#include "ui/running/run_progress.h"

namespace quodlin {
namespace {

void InvertSelection(QListWidget& list) {
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem* item = list.item(row);
        item->setSelected(!item->isSelected());
    }
}

// Says why a preview is silent, for the status line; "" when it plays.
std::string PreviewStatus(const Player& player, const std::string& path) {
    if (player.hasNoDevice()) return "No sound device";
    std::string reason = player.lastError();
    if (reason.empty()) return "";
    if (reason.starts_with(path + ": ")) reason.erase(0, path.size() + 2);
    return "Cannot play " + FileNameOf(path) + ": " + reason;
}

// Counts the names that are no longer among now.
int Gone(const std::vector<std::string>& names, const std::vector<std::string>& now) {
    return static_cast<int>(std::count_if(names.begin(), names.end(), [&](const std::string& name) {
        return std::find(now.begin(), now.end(), name) == now.end();
    }));
}

}  // namespace

bool frmQuodlinMain::working() const {
    return work_->busy();
}

// The folders are not watched while a run writes to them: its end shows what it left, and its own
// writes are no reason to read the card again.
void frmQuodlinMain::startRun(std::function<void()> work, std::function<void()> done) {
    StopAndClose(player());
    stopWatching();
    // A survey the run's end did not show is stale for the next list.
    work_->start(surveyedAfter(std::move(work)), [this, done = std::move(done)] {
        try {
            done();
        } catch (...) {
            survey_.reset();
            watchFolders();
            throw;
        }
        survey_.reset();
        watchFolders();
    });
}

Prompt& frmQuodlinMain::runPrompt() {
    return work_->prompt();
}

std::string frmQuodlinMain::askNameForRun(const std::string& name, const std::string& file) {
    std::string answer = name;
    work_->call([&] { answer = askName(name, file); });
    return answer;
}

void frmQuodlinMain::copyToCard(const std::vector<std::string>& paths) {
    if (refusedAsImage()) return;
    // Said before the run, from the card as listed, when not all of them can have a number.
    const int free = FreeCardNames(card_.rootEntries(), card_.mode());
    if (!card_.cardRoot().empty() && free > 0 && static_cast<std::size_t>(free) < paths.size() &&
        !prompt().question(OnlySomeNamesFree(free, card_.mode()))) {
        return;
    }
    auto progress = std::make_shared<RunProgress>(this, QStringLiteral("Copying to SmartMedia"),
                                                  parts_.progressDelayMs);
    const SampleConversion options{
        parts_.sampleFormats, parts_.sampleConverter, true, ReadShaping(parts_.settings), {}};
    startRun([this, paths, progress,
              options] { CopyToCard(card_, runPrompt(), paths, *progress, options); },
             [this, progress] {
                 summarize(*progress, true);
                 // The question may have changed the shaping the next copy uses.
                 fraSample->setShaping(ReadShaping(parts_.settings));
                 showCardList();
             });
}

// Says on the status line how many of the entries the run changed, as the card now lists them;
// nothing when the card is no longer read.
void frmQuodlinMain::tellCardChange(
    const std::vector<CardEntry>& entries, const std::string& what,
    const std::function<bool(const CardEntry& before, const CardEntry* now)>& changed) {
    if (card_.cardRoot().empty() || !card_.loaded()) return showStatus("");
    const std::vector<CardEntry>& table = card_.table().entries();
    const auto count = std::count_if(entries.begin(), entries.end(), [&](const CardEntry& entry) {
        const auto now = std::find_if(table.begin(), table.end(), [&](const CardEntry& row) {
            return row.fileName == entry.fileName;
        });
        return changed(entry, now == table.end() ? nullptr : &*now);
    });
    showStatus(Counted(count, card_.mode() == Mode::Samples ? "sample" : "bank") + " " + what);
}

void frmQuodlinMain::summarize(const RunProgress& progress, bool toCard) {
    if (progress.filesAsked() == 0) return;
    const Mode mode = SelectedTab() == Tab::Banks ? Mode::Banks : Mode::Samples;
    showStatus(CopyRunSummary(progress.filesDone(), progress.filesAsked(), mode, toCard,
                              progress.stopped()));
}

void frmQuodlinMain::cmdToSM_Click() {
    copyToCard(selectedComputerPaths());
}

void frmQuodlinMain::cmdFromSM_Click() {
    auto progress = std::make_shared<RunProgress>(this, QStringLiteral("Copying from SmartMedia"),
                                                  parts_.progressDelayMs);
    startRun(
        [this, progress, entries = selectedCardEntries(), dir = FileList->directory()] {
            CopyFromCard(card_, runPrompt(), entries, dir, *progress);
        },
        [this, progress] {
            summarize(*progress, false);
            showCardList();
            refreshFileList();
        });
}

void frmQuodlinMain::cmdDelPC_Click() {
    startRun(
        [this, dir = FileList->directory(), names = FileList->selectedNames()] {
            DeleteOnComputer(fileSystem(), runPrompt(), dir, names);
        },
        [this, names = FileList->selectedNames()] {
            refreshFileList();
            showStatus(Counted(Gone(names, FileList->names()), "file") +
                       " deleted on the computer");
        });
}

void frmQuodlinMain::cmdDelSM_Click() {
    if (refusedAsImage()) return;
    startRun([this, entries = selectedCardEntries()] { DeleteOnCard(card_, runPrompt(), entries); },
             [this, entries = selectedCardEntries()] {
                 showCardList();
                 tellCardChange(
                     entries, "deleted from the card",
                     [](const CardEntry&, const CardEntry* now) { return now == nullptr; });
             });
}

std::string frmQuodlinMain::askName(const std::string& name, const std::string& file) {
    if (parts_.askName) return parts_.askName(name);
    if (frmRename == nullptr) frmRename = new quodlin::frmRename(this);
    frmRename->showFile(file);
    return frmRename->ask(name);
}

void frmQuodlinMain::cmdNameSM_Click() {
    if (refusedAsImage()) return;
    startRun(
        [this, entries = selectedCardEntries()] {
            NameOnCard(card_, runPrompt(), entries, [this](const CardEntry& entry) {
                return askNameForRun(entry.name, entry.fileName + " on the card");
            });
        },
        [this, entries = selectedCardEntries()] {
            showCardList();
            tellCardChange(entries, "renamed on the card",
                           [](const CardEntry& before, const CardEntry* now) {
                               return now != nullptr && now->name != before.name;
                           });
        });
}

// One selected card file takes another free number, its friendly name kept.
void frmQuodlinMain::cardMove_Click() {
    if (refusedAsImage()) return;
    const std::vector<CardEntry> selected = selectedCardEntries();
    if (selected.size() != 1) {
        prompt().message("Choose one card file to move to another number.",
                         MessageStyle::Information);
        return;
    }
    const std::string& file = selected.front().fileName;
    std::string number;
    if (parts_.askNumber) {
        number = parts_.askNumber(file);
    } else {
        number = QInputDialog::getText(
                     this, QStringLiteral("Move to number"),
                     QString::fromStdString("New number for " + Quoted(file) + ":"),
                     QLineEdit::Normal, QString::fromStdString(file.substr(0, file.find('.'))))
                     .toStdString();
    }
    if (number.empty()) return;
    auto moved = std::make_shared<bool>(false);
    startRun([this, entry = selected.front(), number,
              moved] { *moved = MoveOnCard(card_, runPrompt(), entry, number); },
             [this, file, number, moved] {
                 if (*moved) showStatus(Quoted(file) + " moved to number " + number + ".");
                 showCardList();
             });
}

void frmQuodlinMain::cmdNamePC_Click() {
    startRun(
        [this, dir = FileList->directory(), names = FileList->selectedNames()] {
            RenameOnComputer(
                fileSystem(), runPrompt(), dir, names,
                [this](const std::string& name) {
                    return askNameForRun(name, name + " on your computer");
                },
                [this] { work_->call([this] { refreshFileList(); }); });
        },
        [this, names = FileList->selectedNames()] {
            refreshFileList();
            showStatus(Counted(Gone(names, FileList->names()), "file") +
                       " renamed on the computer");
        });
}

void frmQuodlinMain::cmdInvSelPC_Click() {
    InvertSelection(*FileList);
}

void frmQuodlinMain::cmdInvSelSM_Click() {
    InvertSelection(*lstSmartMedia);
}

// The paths are the files' own bytes, so that a name that is not UTF-8 is still copied.
void frmQuodlinMain::filesDroppedOnCard(const std::vector<std::string>& paths) {
    if (SelectedTab() == Tab::Help) return;
    const Mode mode = directories_.mode;
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
    for (const std::string& path : paths) {
        const std::string name = Utf8Of(PathOf(path).filename());
        const bool convertible = mode == Mode::Samples && IsSoundFileToConvert(name);
        if (IsFile(fileSystem(), path) && (HasModeExtension(name, mode) || convertible)) {
            accepted.push_back(path);
        } else {
            refused.push_back(NameText(name));
        }
    }
    if (!refused.empty()) prompt().message(NotOfMode(refused, mode), MessageStyle::Exclamation);
    if (!accepted.empty()) copyToCard(accepted);
}

// A double click, Enter or Space on a sample plays it, in samples mode only.
void frmQuodlinMain::preview(const std::string& path, QListWidget* list, int row,
                             const QString& name, double fromSeconds) {
    StopAndClose(player());
    player().setFileName(path);
    showStatus("");
    // The row and the pane follow once the sample is read, which on a slow card takes a while.
    player().openThenPlay(fromSeconds, [this, path, list, row, name] {
        showStatus(PreviewStatus(player(), path));
        playMark_->playing(list, row, name, player().seconds());
        fraSample->playing(path);
    });
}

void frmQuodlinMain::showInPane(QListWidget* list) {
    paneList_ = nullptr;
    QListWidgetItem* current = list->currentItem();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    QListWidgetItem* shown = current && current->isSelected()
                                 ? current
                                 : (selected.isEmpty() ? nullptr : selected.front());
    const int row = shown ? list->row(shown) : -1;
    const bool onCard = list == lstSmartMedia;
    if (SelectedTab() != Tab::Samples || row < 0 || (onCard && row > card_.table().smLastIndex())) {
        fraSample->showNothing();
        return;
    }
    paneList_ = list;
    paneRow_ = row;
    fraSample->showSample(
        onCard ? cardPathOfRow(row) : JoinNative(FileList->directory(), FileList->name(row)),
        onCard);
}

// A click in the waveform plays the pane's sample from there, as a double click on its row
// plays it from the start.
void frmQuodlinMain::paneClicked(double seconds) {
    if (paneList_ == nullptr || paneRow_ >= paneList_->count()) return;
    const QString name = paneList_ == lstSmartMedia
                             ? QString::fromStdString(
                                   card_.table().entries()[static_cast<std::size_t>(paneRow_)].name)
                             : paneList_->item(paneRow_)->text();
    preview(fraSample->path(), paneList_, paneRow_, name, seconds);
}

void frmQuodlinMain::lstSmartMedia_DblClick() {
    if (SelectedTab() != Tab::Samples) return;
    const int row = lstSmartMedia->currentRow();
    if (row < 0 || row > card_.table().smLastIndex()) return;
    preview(JoinNative(card_.cardRoot(), card_.table().smFileName(row)), lstSmartMedia, row,
            QString::fromStdString(card_.table().entries()[static_cast<std::size_t>(row)].name));
}

void frmQuodlinMain::FileList_DblClick() {
    if (SelectedTab() != Tab::Samples) return;
    const int row = FileList->currentRow();
    if (row < 0) return;
    preview(JoinNative(FileList->directory(), FileList->name(row)), FileList, row,
            FileList->item(row)->text());
}

}  // namespace quodlin
