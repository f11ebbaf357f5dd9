#pragma once

#include "ui/dialogs/text_field_dialog.h"

namespace quodlin {

// "Rename": one name to edit in FileName. Enter and Escape count only in the field.
class frmRename : public TextFieldDialog {
    Q_OBJECT
public:
    explicit frmRename(QWidget* parent);

protected:
    void opened() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quodlin
