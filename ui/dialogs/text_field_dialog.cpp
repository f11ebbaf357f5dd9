#include "ui/dialogs/text_field_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "core/text/utf8.h"

namespace quodlin {

TextFieldDialog::TextFieldDialog(QWidget* parent, const char* name, const QString& title,
                                 const char* fieldName, const QString& fieldText)
    : QDialog(parent), field_(new QLineEdit(fieldText, this)) {
    setObjectName(name);
    setWindowTitle(title);
    field_->setObjectName(fieldName);
}

std::string TextFieldDialog::ask(const std::string& text) {
    start(text);
    exec();
    return answer();
}

void TextFieldDialog::start(const std::string& text) {
    showText(text);
}

std::string TextFieldDialog::answer() const {
    const bool edited = field_->text() != QString::fromStdString(NameText(shownText_));
    return edited ? field_->text().toStdString() : shownText_;
}

void TextFieldDialog::showText(const std::string& text) {
    shownText_ = text;
    field_->setText(QString::fromStdString(NameText(text)));
}

// Cancel, Escape and the close box come here.
void TextFieldDialog::reject() {
    showText(startText_);
    QDialog::reject();
}

QPushButton* TextFieldDialog::button(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void TextFieldDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    startText_ = shownText_;
    opened();
}

}  // namespace quodlin
