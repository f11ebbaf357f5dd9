// The card drive: chosen in smDrive, opened as the card side's root, dropped when it goes away.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

#include "core/messages.h"
#include "core/shell_messages.h"
#include "ui/busy_pointer.h"
#include "ui/card_list_box.h"
#include "ui/drive_list_box.h"
#include "ui/main_window.h"
#include "ui/mount_watcher.h"

namespace quodlin {

void frmQuodlinMain::setCardDrive(const std::string& drive) {
    // A folder once chosen with "Other folder..." is the user's choice too.
    if (!smDrive->select(drive)) {
        if (smDrive->isListedVolume(drive) || !fileSystem().isDirectory(drive)) {
            throw NoSuchDrive(drive);
        }
        smDrive->addChosenFolder(drive);
    }
    smDrive_Change();
}

void frmQuodlinMain::showNoCard() {
    card_.close();
    smDrive->selectNone();
    showCardList();
}

// A card that cannot be read leaves the card in use as it was: its list stays, and the catalogue
// is still written to the card the list was read from, not to the drive that failed.
void frmQuodlinMain::smDrive_Change() {
    try {
        const BusyPointer busy;
        card_.open(smDrive->currentRoot());
    } catch (const FileError&) {
        parts_.prompt.message(kDriveNotReady, MessageStyle::Exclamation, kErrorTitle);
    }
    showCardList();
}

void frmQuodlinMain::smDrive_OtherFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Choose the folder that stands for the card"),
        QString::fromStdString(card_.cardRoot().empty() ? parts_.fallbackDirectory
                                                        : card_.cardRoot()));
    if (folder.isEmpty()) return;
    smDrive->addChosenFolder(QDir::toNativeSeparators(folder).toStdString());
    smDrive_Change();
}

// Volumes came or went: the list follows, and a card that went away is no longer the card.
void frmQuodlinMain::mountsChanged() {
    // Never in the middle of an action: its own checks stop it, and the list follows after.
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(500, this, &frmQuodlinMain::mountsChanged);
        return;
    }
    smDrive->refresh();
    dropCardIfRemoved();
}

void frmQuodlinMain::dropCardIfRemoved() {
    if (card_.cardRoot().empty()) return;
    try {
        card_.ensureCardPresent();
    } catch (const FileError&) {
        showNoCard();
    }
}

void frmQuodlinMain::showStatus(const std::string& text) {
    lblStatus->setText(QString::fromStdString(text));
}

void frmQuodlinMain::connectDrive() {
    connect(smDrive, &DriveListBox::driveChosen, this, &frmQuodlinMain::smDrive_Change);
    connect(smDrive, &DriveListBox::otherFolderWanted, this, &frmQuodlinMain::smDrive_OtherFolder);
    connect(new MountWatcher(this), &MountWatcher::mountsChanged, this,
            &frmQuodlinMain::mountsChanged);
}

}  // namespace quodlin
