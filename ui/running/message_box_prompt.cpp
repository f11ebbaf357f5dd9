#include "ui/running/message_box_prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/shell/shaping_settings.h"
#include "core/shell/shell_messages.h"
#include "core/text/wording.h"
#include "ui/dialogs/prepare_dialog.h"

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

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The most lines a box shows in its text; the rest go to its scrollable details, so that no box
// grows past the screen and its buttons stay in reach.
constexpr int kMostLines = 10;

// Keeps the first kMostLines lines and tells how many more there are.
QString Shortened(const QStringList& lines) {
    if (lines.size() <= kMostLines + 2) return lines.join('\n');
    return lines.mid(0, kMostLines).join('\n') +
           QStringLiteral("\n… and %1 more (Show Details…).").arg(lines.size() - kMostLines);
}

// A box of the program's: plain text, owned by the window or the box of the run it asks for.
class Box : public QMessageBox {
public:
    Box(MessageStyle style, const std::string& title, const std::string& text, QWidget* owner)
        : QMessageBox(IconOf(style), Text(title), QString(), NoButton, owner) {
        setTextFormat(Qt::PlainText);
        const QStringList lines = Text(text).split('\n');
        setText(Shortened(lines));
        if (lines.size() > kMostLines + 2) setDetailedText(Text(text));
    }

    // Lists names after detail, with at most kMostLines of them in the box itself.
    void listNames(const std::string& detail, const std::vector<std::string>& names) {
        QStringList quoted;
        for (const std::string& name : names) quoted << Text(Quoted(name));
        if (quoted.size() <= kMostLines + 2) {
            setInformativeText(Text(detail) + quoted.join(QStringLiteral(", ")) + '.');
            return;
        }
        setInformativeText(
            Text(detail) + quoted.mid(0, kMostLines).join(QStringLiteral(", ")) +
            QStringLiteral(" and %1 more (Show Details…).").arg(quoted.size() - kMostLines));
        setDetailedText(quoted.join('\n'));
    }
};

}  // namespace

// A question of a run belongs to its progress box, so that it opens above it.
QWidget* MessageBoxPrompt::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return window_;
}

void MessageBoxPrompt::message(const std::string& text, MessageStyle style,
                               const std::string& title) {
    if (holding_) {
        held_.push_back({text, style, title});
        return;
    }
    Box box(style, title, text, owner());
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MessageBoxPrompt::messageForFiles(const std::string& text,
                                       const std::vector<std::string>& names, MessageStyle style) {
    Box box(style, kApplicationTitle, text, owner());
    box.listNames(
        names.size() == 1 ? "Not copied: " : "Not copied (" + std::to_string(names.size()) + "): ",
        names);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MessageBoxPrompt::showHeldOver(QWidget* window) {
    window_ = window;
    holding_ = false;
    for (const Held& held : std::exchange(held_, {})) message(held.text, held.style, held.title);
}

// The questions guard deletions and overwrites: a stray Enter or Escape answers No.
bool MessageBoxPrompt::question(const std::string& text, const std::string& title) {
    Box box(MessageStyle::Question, title, text, owner());
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool MessageBoxPrompt::questionWithDetail(const std::string& text, const std::string& detail) {
    Box box(MessageStyle::Question, kApplicationTitle, text, owner());
    box.setInformativeText(Text(detail));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

EachAnswer MessageBoxPrompt::questionForEach(const std::string& text, const std::string&) {
    Box box(MessageStyle::Question, kApplicationTitle, text, owner());
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                           QMessageBox::NoToAll | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return EachAnswer::Yes;
        case QMessageBox::YesToAll:
            return EachAnswer::YesToAll;
        case QMessageBox::No:
            return EachAnswer::No;
        case QMessageBox::NoToAll:
            return EachAnswer::NoToAll;
        default:
            return EachAnswer::Cancel;
    }
}

// Converting is what makes the samples play right, so it is the default; Escape copies nothing.
// The shaping chosen is remembered for the next run, unless the run is canceled.
PrepareAnswer MessageBoxPrompt::prepareQuestion(const PrepareQuestion& q) {
    PrepareDialog dialog(q, owner());
    const PrepareAnswer answer = dialog.ask();
    if (answer.choice != ConversionAnswer::Cancel && settings_ != nullptr) {
        try {
            StoreShaping(*settings_, answer.shaping);
        } catch (const SettingsError& error) {
            message(SettingsNotSaved(error.what()), MessageStyle::Exclamation);
        }
    }
    return answer;
}

}  // namespace quodlin
