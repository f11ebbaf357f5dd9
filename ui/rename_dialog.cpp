#include "ui/rename_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "core/utf8.h"
#include "ui/twips_layout.h"

namespace quodlin {
namespace {

QPushButton* DialogButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Neither button is the default: Enter counts only in the field.
    button->setAutoDefault(false);
    return button;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

frmRename::frmRename(QWidget* parent) : QDialog(parent) {
    setObjectName("frmRename");
    setWindowTitle("Rename");
    cmdCancel = DialogButton(this, "cmdCancel", "Cancel");
    cmdOk = DialogButton(this, "cmdOk", "Ok");
    FileName = new QLineEdit("FileName", this);
    FileName->setObjectName("FileName");
    FileName->installEventFilter(this);

    auto* layout = new TwipsLayout(this, 4140, 855);
    layout->place(cmdCancel, 1980, 450, 1140, 375, {1, 0, 0, 0});
    layout->place(cmdOk, 3195, 450, 915, 375, {1, 0, 0, 0});
    layout->place(FileName, 45, 90, 4065, 285, {0, 0, 1, 0});
    setTabOrder(cmdCancel, cmdOk);
    setTabOrder(cmdOk, FileName);

    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRename::cmdCancel_Click);
}

QString frmRename::ask(const QString& name) {
    FileName->setText(name);
    exec();
    return FileName->text();
}

std::string frmRename::askFileName(const std::string& name) {
    const QString shown = QString::fromStdString(NameText(name));
    const QString answer = ask(shown);
    return answer == shown ? name : answer.toStdString();
}

// The close box comes here.
void frmRename::reject() {
    cmdCancel_Click();
}

void frmRename::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) Form_Activate();
}

// The window itself does not look at Enter or Escape.
void frmRename::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event->key()) || event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

bool frmRename::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FileName && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (IsEnter(key)) {
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            cmdCancel_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmRename::Form_Activate() {
    FileName->setFocus();
    sOldName = FileName->text();
}

void frmRename::cmdCancel_Click() {
    FileName->setText(sOldName);
    QDialog::reject();
}

}  // namespace quodlin
