#include "ui/rename_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "ui/widgets/twips_layout.h"

namespace quodlin {
namespace {

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

frmRename::frmRename(QWidget* parent)
    : TextFieldDialog(parent, "frmRename", "Rename", "FileName", "FileName") {
    QPushButton* cmdCancel = button("cmdCancel", "Cancel");
    QPushButton* cmdOk = button("cmdOk", "Ok");
    field()->installEventFilter(this);

    auto* layout = new TwipsLayout(this, 4140, 855);
    layout->place(cmdCancel, 1980, 450, 1140, 375, {1, 0, 0, 0});
    layout->place(cmdOk, 3195, 450, 915, 375, {1, 0, 0, 0});
    layout->place(field(), 45, 90, 4065, 285, {0, 0, 1, 0});
    setTabOrder(cmdCancel, cmdOk);
    setTabOrder(cmdOk, field());

    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRename::reject);
}

void frmRename::opened() {
    field()->setFocus();
}

// The window itself does not look at Enter or Escape.
void frmRename::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event->key()) || event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

bool frmRename::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (IsEnter(key)) {
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quodlin
