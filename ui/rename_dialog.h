#pragma once

#include <string>

#include "ui/dialogs/text_field_dialog.h"

class QLabel;

namespace quodlin {

// "Rename": one name to edit in FileName. Enter and Escape count only in the field.
class frmRename : public TextFieldDialog {
    Q_OBJECT
public:
    explicit frmRename(QWidget* parent);
    // Sets the line above the field that says which file is renamed: "Renaming 03.wav on the card".
    void showFile(const std::string& file);

protected:
    void opened() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblFile;
};

}  // namespace quodlin
