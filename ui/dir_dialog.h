#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/volumes.h"

class QLineEdit;
class QPushButton;

namespace quodlin {

class DirListBox;
class DriveListBox;

// "Select Directory": a drive, a directory opened in the list or a path typed into Path. The
// text of Path is what the dialog answers; Cancel, Escape and the close box put the starting
// text back. A path shown in Path and not edited is answered with its own bytes, also when a
// name in it is not UTF-8.
class DirDialog : public QDialog {
    Q_OBJECT
public:
    DirDialog(Volumes& volumes, FileSystem& fs, Prompt& prompt, QWidget* parent);

    // Shows the dialog modally, starting from start, and returns the path chosen.
    std::string choose(const std::string& start);
    void reject() override;

    DriveListBox* DriveList;
    DirListBox* DirList;
    QPushButton* Ok;
    QPushButton* Cancel;
    QLineEdit* Path;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void DriveList_Change();
    void DirList_Change();
    void Cancel_Click();
    // Shows the selected drive's root in the directory list; false when it cannot be read.
    bool showDrive();
    void showPath(const std::string& path);

    Prompt& prompt_;
    std::string sOldPath;
    std::string shownPath_;  // the bytes of the path Path shows
};

}  // namespace quodlin
