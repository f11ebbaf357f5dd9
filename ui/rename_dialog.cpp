#include "ui/rename_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/widgets/twips_layout.h"

namespace quodlin {
namespace {

constexpr int kFileLineTwips = 300;

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

frmRename::frmRename(QWidget* parent)
    : TextFieldDialog(parent, "frmRename", "Rename", "FileName", "FileName"),
      lblFile(new QLabel(this)) {
    lblFile->setObjectName(QStringLiteral("lblFile"));
    QPushButton* cmdCancel = button("cmdCancel", "Cancel");
    QPushButton* cmdOk = button("cmdOk", "Ok");
    field()->installEventFilter(this);

    // The file's line sits above the field; the field and the buttons keep their places under it.
    auto* layout = new TwipsLayout(this, 4140, 855 + kFileLineTwips);
    layout->place(lblFile, 45, 60, 4065, 240, {0, 0, 1, 0});
    layout->place(cmdCancel, 1980, 450 + kFileLineTwips, 1140, 375, {1, 0, 0, 0});
    layout->place(cmdOk, 3195, 450 + kFileLineTwips, 915, 375, {1, 0, 0, 0});
    layout->place(field(), 45, 90 + kFileLineTwips, 4065, 285, {0, 0, 1, 0});
    setTabOrder(cmdCancel, cmdOk);
    setTabOrder(cmdOk, field());

    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRename::reject);
}

void frmRename::showFile(const std::string& file) {
    lblFile->setText(QStringLiteral("Renaming %1").arg(QString::fromStdString(file)));
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
