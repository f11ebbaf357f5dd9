#include "ui/message_box_prompt.h"

#include <QApplication>
#include <QMessageBox>

namespace quodlin {
namespace {

QMessageBox::Icon IconOf(MessageStyle style) {
    switch (style) {
        case MessageStyle::Question:
            return QMessageBox::Question;
        case MessageStyle::Exclamation:
            return QMessageBox::Warning;
        case MessageStyle::Information:
            return QMessageBox::Information;
        case MessageStyle::Plain:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton Show(const std::string& text, MessageStyle style,
                                 const std::string& title, const std::string& detail = {}) {
    const bool asks = style == MessageStyle::Question;
    // A question of a run belongs to its progress box, so that it opens above it.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) owner = QApplication::activeWindow();
    QMessageBox box(IconOf(style), QString::fromStdString(title), QString::fromStdString(text),
                    asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    if (!detail.empty()) box.setInformativeText(QString::fromStdString(detail));
    if (asks) {
        // The questions guard deletions and overwrites: a stray Enter or Escape answers No.
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void MessageBoxPrompt::message(const std::string& text, MessageStyle style,
                               const std::string& title) {
    Show(text, style, title);
}

bool MessageBoxPrompt::question(const std::string& text, const std::string& title) {
    return Show(text, MessageStyle::Question, title) == QMessageBox::Yes;
}

bool MessageBoxPrompt::questionWithDetail(const std::string& text, const std::string& detail) {
    return Show(text, MessageStyle::Question, kApplicationTitle, detail) == QMessageBox::Yes;
}

}  // namespace quodlin
