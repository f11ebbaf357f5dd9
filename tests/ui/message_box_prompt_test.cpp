#include "ui/message_box_prompt.h"

#include <QMessageBox>
#include <QPushButton>

#include "tests/ui/window_fixture.h"

namespace quodlin::test {
namespace {

struct Shown {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Notes what the next message box shows and presses answer.
void Answer(Shown& shown, QMessageBox::StandardButton answer) {
    WhenModalOpens([&shown, answer](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        shown.title = box->windowTitle();
        shown.text = box->text();
        shown.icon = box->icon();
        shown.buttons = box->standardButtons();
        shown.defaultButton = box->standardButton(box->defaultButton());
        box->button(answer)->click();
    });
}

TEST(MessageBoxPrompt, StylesGiveTheirIconsAndButtons) {
    MessageBoxPrompt prompt;
    const struct {
        MessageStyle style;
        QMessageBox::Icon icon;
    } cases[] = {{MessageStyle::Plain, QMessageBox::NoIcon},
                 {MessageStyle::Exclamation, QMessageBox::Warning},
                 {MessageStyle::Information, QMessageBox::Information}};
    for (const auto& c : cases) {
        Shown shown;
        Answer(shown, QMessageBox::Ok);
        prompt.message("Smart Media is full.", c.style);
        EXPECT_EQ(shown.title, "Quodlin");
        EXPECT_EQ(shown.text, "Smart Media is full.");
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.buttons, QMessageBox::Ok);
    }
    Shown shown;
    Answer(shown, QMessageBox::Ok);
    prompt.message("Drive not ready...", MessageStyle::Exclamation, "Error");
    EXPECT_EQ(shown.title, "Error");
}

TEST(MessageBoxPrompt, QuestionsAnswerYesOrNoAndNoIsTheDefault) {
    MessageBoxPrompt prompt;
    Shown shown;
    Answer(shown, QMessageBox::Yes);
    EXPECT_TRUE(prompt.question("Overwrite 'kick.wav'?"));
    EXPECT_EQ(shown.icon, QMessageBox::Question);
    EXPECT_EQ(shown.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(shown.defaultButton, QMessageBox::No);
    EXPECT_EQ(shown.title, "Quodlin");
    Answer(shown, QMessageBox::No);
    EXPECT_FALSE(prompt.question("Overwrite 'kick.wav'?"));
}

}  // namespace
}  // namespace quodlin::test
