// The buttons' actions: copying, deleting and renaming on both sides. Each one hands the
// window's selection to the core run, which stops the player first, and then shows what the
// run left on the disk.
#include <QListWidget>
#include <QPushButton>

#include "core/card_delete.h"
#include "core/card_naming.h"
#include "core/computer_files.h"
#include "core/copy_from_card.h"
#include "core/copy_to_card.h"
#include "core/messages.h"
#include "core/text_functions.h"
#include "ui/card_list_box.h"
#include "ui/file_list_box.h"
#include "ui/list_keys.h"
#include "ui/main_window.h"
#include "ui/rename_dialog.h"
#include "ui/run_progress.h"

namespace quodlin {
namespace {

std::vector<std::string> SelectedNames(const FileListBox& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected()) names.push_back(list.name(row));
    }
    return names;
}

void InvertSelection(QListWidget& list) {
    const int last = list.count() - 1;
    for (int row = 0; row <= last; ++row) {
        QListWidgetItem* item = list.item(row);
        item->setSelected(!item->isSelected());
    }
}

}  // namespace

void frmQuodlinMain::connectActions() {
    connect(cmdToSM, &QPushButton::clicked, this, &frmQuodlinMain::cmdToSM_Click);
    connect(cmdFromSM, &QPushButton::clicked, this, &frmQuodlinMain::cmdFromSM_Click);
    connect(cmdDelPC, &QPushButton::clicked, this, &frmQuodlinMain::cmdDelPC_Click);
    connect(cmdDelSM, &QPushButton::clicked, this, &frmQuodlinMain::cmdDelSM_Click);
    connect(cmdNamePC, &QPushButton::clicked, this, &frmQuodlinMain::cmdNamePC_Click);
    connect(cmdNameSM, &QPushButton::clicked, this, &frmQuodlinMain::cmdNameSM_Click);
    connect(cmdInvSelPC, &QPushButton::clicked, this, &frmQuodlinMain::cmdInvSelPC_Click);
    connect(cmdInvSelSM, &QPushButton::clicked, this, &frmQuodlinMain::cmdInvSelSM_Click);
    connect(lstSmartMedia, &QListWidget::itemDoubleClicked, this,
            &frmQuodlinMain::lstSmartMedia_DblClick);
    connect(FileList, &QListWidget::itemDoubleClicked, this, &frmQuodlinMain::FileList_DblClick);
    connect(lstSmartMedia, &CardListBox::filesDropped, this, &frmQuodlinMain::filesDroppedOnCard);
    connect(FileList, &FileListBox::cardRowsDropped, this, &frmQuodlinMain::cmdFromSM_Click);
    new ListKeys(FileList, {[this] { cmdDelPC_Click(); }, [this] { cmdNamePC_Click(); },
                            [this] { FileList_DblClick(); }});
    new ListKeys(lstSmartMedia, {[this] { cmdDelSM_Click(); }, [this] { cmdNameSM_Click(); },
                                 [this] { lstSmartMedia_DblClick(); }});
    connectCardMenu();
}

std::vector<CardEntry> frmQuodlinMain::selectedCardEntries() const {
    std::vector<CardEntry> entries;
    const std::vector<CardEntry>& table = card_.table().entries();
    for (int row = 0; row < lstSmartMedia->count(); ++row) {
        const auto index = static_cast<std::size_t>(row);
        if (lstSmartMedia->item(row)->isSelected() && index < table.size()) {
            entries.push_back(table[index]);
        }
    }
    return entries;
}

std::vector<std::string> frmQuodlinMain::selectedComputerPaths() const {
    std::vector<std::string> paths;
    for (const std::string& name : SelectedNames(*FileList)) {
        paths.push_back(JoinNative(FileList->directory(), name));
    }
    return paths;
}

void frmQuodlinMain::copyToCard(const std::vector<std::string>& paths) {
    {
        RunProgress progress(this, QStringLiteral("Copying to SmartMedia"), parts_.progressDelayMs);
        CopyToCard(card_, player(), prompt(), paths, progress,
                   {parts_.sampleFormats, parts_.sampleConverter, true});
        summarize(progress, true);
    }
    showCardList();
}

void frmQuodlinMain::summarize(const RunProgress& progress, bool toCard) {
    if (progress.filesAsked() < 2) return;
    const Mode mode = SelectedTab() == Tab::Banks ? Mode::Banks : Mode::Samples;
    showStatus(CopyRunSummary(progress.filesDone(), progress.filesAsked(), mode, toCard));
}

void frmQuodlinMain::cmdToSM_Click() {
    copyToCard(selectedComputerPaths());
}

void frmQuodlinMain::cmdFromSM_Click() {
    {
        RunProgress progress(this, QStringLiteral("Copying from SmartMedia"),
                             parts_.progressDelayMs);
        CopyFromCard(card_, player(), prompt(), selectedCardEntries(), FileList->directory(),
                     progress);
        summarize(progress, false);
    }
    showCardList();
    refreshFileList();
}

void frmQuodlinMain::cmdDelPC_Click() {
    DeleteOnComputer(fileSystem(), player(), prompt(), FileList->directory(),
                     SelectedNames(*FileList));
    refreshFileList();
}

void frmQuodlinMain::cmdDelSM_Click() {
    DeleteOnCard(card_, player(), prompt(), selectedCardEntries());
    showCardList();
}

void frmQuodlinMain::cmdNameSM_Click() {
    NameOnCard(card_, player(), prompt(), selectedCardEntries(), [this](const CardEntry& entry) {
        return frmRename->ask(QString::fromStdString(entry.name)).toStdString();
    });
    showCardList();
}

void frmQuodlinMain::cmdNamePC_Click() {
    RenameOnComputer(
        fileSystem(), player(), prompt(), FileList->directory(), SelectedNames(*FileList),
        [this](const std::string& name) { return frmRename->askFileName(name); },
        [this] { refreshFileList(); });
}

void frmQuodlinMain::cmdInvSelPC_Click() {
    InvertSelection(*FileList);
}

void frmQuodlinMain::cmdInvSelSM_Click() {
    InvertSelection(*lstSmartMedia);
}

}  // namespace quodlin
