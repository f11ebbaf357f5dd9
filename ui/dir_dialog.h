#pragma once

#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/volumes.h"
#include "ui/dialogs/text_field_dialog.h"

namespace quodlin {

class DirListBox;
class DriveListBox;

// "Select Directory" takes a drive, a directory opened in the list or a path typed into Path.
class DirDialog : public TextFieldDialog {
    Q_OBJECT
public:
    DirDialog(Volumes& volumes, FileSystem& fs, Prompt& prompt, QWidget* parent);

protected:
    void opened() override;

private:
    void DriveList_Change();
    // Shows the selected drive's root in the directory list; false when it cannot be read.
    bool showDrive();

    Prompt& prompt_;
    DriveListBox* DriveList;
    DirListBox* DirList;
};

}  // namespace quodlin
