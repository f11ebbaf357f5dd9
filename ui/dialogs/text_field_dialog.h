#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLineEdit;
class QPushButton;

namespace quodlin {

// A dialog that answers one text field. The text put in is shown in the field; Cancel, Escape
// and the close box put it back. A text shown and not edited is answered with its own bytes,
// also when it is not UTF-8; an edited one is UTF-8.
class TextFieldDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog modally with text in the field and returns the field's answer.
    std::string ask(const std::string& text);
    // The two halves of ask, for a dialog shown some other way.
    void start(const std::string& text);
    std::string answer() const;
    void reject() override;

protected:
    TextFieldDialog(QWidget* parent, const char* name, const QString& title, const char* fieldName,
                    const QString& fieldText);
    QLineEdit* field() const { return field_; }
    // Shows text in the field as the bytes it stands for.
    void showText(const std::string& text);
    const std::string& startText() const { return startText_; }
    // Runs each time the dialog opens, once the starting text is remembered.
    virtual void opened() {}
    // Makes a button that Enter does not press.
    QPushButton* button(const char* name, const QString& caption);

    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* field_;
    std::string shownText_;  // the bytes of the text the field shows
    std::string startText_;
};

}  // namespace quodlin
