#include "ui/dir_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/computer/directory_query.h"
#include "core/computer/path_roots.h"
#include "core/messages/messages.h"
#include "ui/lists/dir_list_box.h"
#include "ui/lists/drive_list_box.h"
#include "ui/widgets/twips_layout.h"

namespace quodlin {

DirDialog::DirDialog(Volumes& volumes, FileSystem& fs, Prompt& prompt, QWidget* parent)
    : TextFieldDialog(parent, "DirDialog", "Select Directory", "Path", "Text1"), prompt_(prompt) {
    DriveList = new DriveListBox(volumes, DriveKinds::All, this);
    DriveList->setObjectName("DriveList");
    DirList = new DirListBox(fs, this);
    DirList->setObjectName("DirList");
    QPushButton* Ok = button("Ok", "&Ok");
    QPushButton* Cancel = button("Cancel", "&Cancel");

    auto* layout = new TwipsLayout(this, 3255, 3645);
    layout->place(DriveList, 105, 105, 3060, 315, {0, 0, 1, 0});
    layout->place(DirList, 105, 525, 3060, 2115, {0, 0, 1, 1});
    layout->place(Ok, 1785, 3150, 1380, 435, {1, 1, 0, 0});
    layout->place(Cancel, 105, 3150, 1380, 435, {0, 1, 0, 0});
    layout->place(field(), 105, 2730, 3060, 285, {0, 1, 1, 0});
    setTabOrder(DriveList, DirList);
    setTabOrder(DirList, Ok);
    setTabOrder(Ok, Cancel);
    setTabOrder(Cancel, field());

    connect(DriveList, &DriveListBox::driveChosen, this, &DirDialog::DriveList_Change);
    connect(DirList, &DirListBox::pathChanged, this, [this] { showText(DirList->path()); });
    connect(DirList, &DirListBox::openFailed, this, [this](const QString& message) {
        prompt_.message(message.toStdString(), MessageStyle::Exclamation);
    });
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &DirDialog::reject);
}

// The lists follow the starting text; Path keeps it unless the list reports it in its own form.
void DirDialog::opened() {
    const std::string start = startText();
    const std::optional<std::size_t> drive = RootHolding(start, DriveList->roots());
    if (drive && DriveList->roots()[*drive] != DriveList->currentRoot()) {
        DriveList->setCurrentIndex(static_cast<int>(*drive));
        showDrive();
    } else if (DirList->path().empty()) {
        showDrive();
    }
    showText(start);
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

}  // namespace quodlin
