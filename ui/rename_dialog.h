#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLineEdit;
class QPushButton;

namespace quodlin {

// "Rename": one name to edit. The text of FileName is what the dialog answers; Cancel, Escape in
// the field and the close box put the starting text back. Enter and Escape count only in the
// field.
class frmRename : public QDialog {
    Q_OBJECT
public:
    explicit frmRename(QWidget* parent);

    // Shows the dialog modally with name in the field and returns the field's text.
    QString ask(const QString& name);
    // The same for a computer file's name as its directory holds it: the name comes back byte
    // for byte unless the user changed it, and an edited one is UTF-8.
    std::string askFileName(const std::string& name);
    void reject() override;

    QPushButton* cmdCancel;
    QPushButton* cmdOk;
    QLineEdit* FileName;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate();
    void cmdCancel_Click();

    QString sOldName;
};

}  // namespace quodlin
