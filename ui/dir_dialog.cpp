#include "ui/dir_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "core/directory_query.h"
#include "core/messages.h"
#include "core/path_roots.h"
#include "core/utf8.h"
#include "ui/dir_list_box.h"
#include "ui/drive_list_box.h"
#include "ui/twips_layout.h"

namespace quodlin {
namespace {

QPushButton* DialogButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter is not bound to either button.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

DirDialog::DirDialog(Volumes& volumes, FileSystem& fs, Prompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt) {
    setObjectName("DirDialog");
    setWindowTitle("Select Directory");
    DriveList = new DriveListBox(volumes, DriveKinds::All, this);
    DriveList->setObjectName("DriveList");
    DirList = new DirListBox(fs, this);
    DirList->setObjectName("DirList");
    Ok = DialogButton(this, "Ok", "&Ok");
    Cancel = DialogButton(this, "Cancel", "&Cancel");
    Path = new QLineEdit("Text1", this);
    Path->setObjectName("Path");

    auto* layout = new TwipsLayout(this, 3255, 3645);
    layout->place(DriveList, 105, 105, 3060, 315, {0, 0, 1, 0});
    layout->place(DirList, 105, 525, 3060, 2115, {0, 0, 1, 1});
    layout->place(Ok, 1785, 3150, 1380, 435, {1, 1, 0, 0});
    layout->place(Cancel, 105, 3150, 1380, 435, {0, 1, 0, 0});
    layout->place(Path, 105, 2730, 3060, 285, {0, 1, 1, 0});
    setTabOrder(DriveList, DirList);
    setTabOrder(DirList, Ok);
    setTabOrder(Ok, Cancel);
    setTabOrder(Cancel, Path);

    connect(DriveList, &DriveListBox::driveChosen, this, &DirDialog::DriveList_Change);
    connect(DirList, &DirListBox::pathChanged, this, &DirDialog::DirList_Change);
    connect(DirList, &DirListBox::openFailed, this, [this](const QString& message) {
        prompt_.message(message.toStdString(), MessageStyle::Exclamation);
    });
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &DirDialog::Cancel_Click);
}

std::string DirDialog::choose(const std::string& start) {
    showPath(start);
    exec();
    const bool edited = Path->text() != QString::fromStdString(NameText(shownPath_));
    return edited ? Path->text().toStdString() : shownPath_;
}

void DirDialog::showPath(const std::string& path) {
    shownPath_ = path;
    Path->setText(QString::fromStdString(NameText(path)));
}

// Escape from any control and the close box come here.
void DirDialog::reject() {
    Cancel_Click();
}

void DirDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) Form_Activate();
}

// The lists follow the starting text; Path keeps it unless the list reports it in its own form.
void DirDialog::Form_Activate() {
    sOldPath = shownPath_;
    const std::string& start = sOldPath;
    const std::optional<std::size_t> drive = RootHolding(start, DriveList->roots());
    if (drive && DriveList->roots()[*drive] != DriveList->currentRoot()) {
        DriveList->setCurrentIndex(static_cast<int>(*drive));
        showDrive();
    } else if (DirList->path().empty()) {
        showDrive();
    }
    showPath(sOldPath);
    if (!IsUsableDirectory(DirList->fileSystem(), start)) return;
    try {
        DirList->setPath(DriveList->currentRoot(), start);
    } catch (const FileError&) {
        // The list stays where it was; Path keeps the starting text.
    }
}

// A drive that cannot be read is told; the directory list stays where it was.
void DirDialog::DriveList_Change() {
    if (!showDrive()) prompt_.message(kDriveNotReady, MessageStyle::Exclamation, kErrorTitle);
}

bool DirDialog::showDrive() {
    try {
        DirList->setPath(DriveList->currentRoot(), DriveList->currentRoot());
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void DirDialog::DirList_Change() {
    showPath(DirList->path());
}

void DirDialog::Cancel_Click() {
    showPath(sOldPath);
    QDialog::reject();
}

}  // namespace quodlin
