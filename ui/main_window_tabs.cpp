// The tab change and what it refills: the computer list and the card list.
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTextBrowser>

#include "core/messages.h"
#include "core/shell_messages.h"
#include "core/text_functions.h"
#include "ui/card_list_box.h"
#include "ui/drive_list_box.h"
#include "ui/file_list_box.h"
#include "ui/help_file.h"
#include "ui/help_page.h"
#include "ui/main_window.h"
#include "ui/wav_player.h"

namespace quodlin {
namespace {

// The caption shows the path; an ampersand in it is text, not an access key.
QString CaptionOf(const std::string& directory) {
    return QString::fromStdString(ShortenPath(directory, 21)).replace("&", "&&");
}

}  // namespace

void frmQuodlinMain::connectHandlers() {
    connect(TabStrip, &QTabBar::currentChanged, this, &frmQuodlinMain::TabStrip_Click);
    connectDrive();
    connect(cmdPathSelect, &QPushButton::clicked, this, &frmQuodlinMain::cmdPathSelect_Click);
    connectActions();
}

void frmQuodlinMain::selectFirstTab() {
    TabStrip->setCurrentIndex(0);
    selectTab();
}

void frmQuodlinMain::TabStrip_Click() {
    try {
        selectTab();
    } catch (const FileError& error) {
        parts_.prompt.message(CardNotRead(error), MessageStyle::Exclamation);
    }
}

// The help page leaves the work page as it was: it is hidden, and the next mode tab refills it.
void frmQuodlinMain::selectTab() {
    const Tab tab = SelectedTab();
    directories_.selectTab(tab);
    const bool help = tab == Tab::Help;
    MainFrame->setVisible(!help);
    HelpFrame->setVisible(help);
    if (help) {
        const QString helpFile = HelpFilePath(parts_.programDirectory);
        ReportHelpFileIfAsked(helpFile, ShowHelpFile(*rtfNames, helpFile));
        return;
    }
    WavPlayer->setVisible(tab == Tab::Samples);
    showDirectory();
    card_.setMode(directories_.mode);
    reloadCard();
}

void frmQuodlinMain::showDirectory() {
    cmdPathSelect->setText(CaptionOf(directories_.sCurrentDir));
    FileList->setDirectory(directories_.sCurrentDir);
    FileList->setMode(directories_.mode);
    refreshFileList();
}

void frmQuodlinMain::refreshFileList() {
    try {
        FileList->refresh();
    } catch (const FileError& error) {
        parts_.prompt.message(DirectoryNotRead(error), MessageStyle::Exclamation);
    }
    watchFolders();
}

// The list shows what the card side holds, also after a failed reload (then nothing).
void frmQuodlinMain::reloadCard() {
    try {
        card_.smFile_PathChange();
    } catch (const FileError&) {
        showCardList();
        throw;
    }
    showCardList();
}

// The files selected before stay selected when the same card is shown again after an action.
void frmQuodlinMain::showCardList() {
    dropCardIfRemoved();
    lstSmartMedia->setPlaceholder(card_.cardRoot().empty() ? QStringLiteral("No card") : QString());
    QSet<QString> selected;
    for (int row = 0; row < lstSmartMedia->count() && row < smFile->count(); ++row) {
        if (lstSmartMedia->item(row)->isSelected()) selected.insert(smFile->item(row)->text());
    }
    if (shownCardRoot_ != card_.cardRoot()) selected.clear();
    shownCardRoot_ = card_.cardRoot();
    lstSmartMedia->clear();
    smFile->clear();
    for (const std::string& line : card_.lines()) {
        lstSmartMedia->addItem(QString::fromStdString(line));
    }
    for (const CardEntry& entry : card_.table().entries()) {
        const QString fileName = QString::fromStdString(entry.fileName);
        smFile->addItem(fileName);
        QListWidgetItem* row = lstSmartMedia->item(smFile->count() - 1);
        if (row != nullptr && selected.contains(fileName)) row->setSelected(true);
    }
    showSelection({});
    watchFolders();
}

}  // namespace quodlin
