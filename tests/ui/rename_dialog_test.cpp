#include "ui/rename_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/window_fixture.h"

namespace quodlin::test {
namespace {

class RenameDialogTest : public ::testing::Test {
protected:
    // Asks with name and lets act answer in the dialog.
    QString ask(const QString& name, std::function<void(QLineEdit*)> act) {
        WhenModalOpens([&](QWidget* dialog) {
            auto* field = dialog->findChild<QLineEdit*>("FileName");
            EXPECT_EQ(dialog->focusWidget(), field);
            EXPECT_EQ(field->text(), name);
            act(field);
        });
        return dialog.ask(name);
    }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    frmRename dialog{nullptr};
};

TEST_F(RenameDialogTest, EnterAndOkKeepTheEditAndEmptyIsAnAnswer) {
    EXPECT_EQ(dialog.windowTitle(), "Rename");
    EXPECT_EQ(ask("Kick",
                  [](QLineEdit* field) {
                      field->setText("Kick 2");
                      QTest::keyClick(field, Qt::Key_Return);
                  }),
              "Kick 2");
    EXPECT_EQ(ask("Snare",
                  [this](QLineEdit* field) {
                      field->clear();
                      QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
                  }),
              "");
}

TEST_F(RenameDialogTest, EscapeInTheFieldCancelAndTheCloseBoxRestoreTheName) {
    EXPECT_EQ(ask("Kick",
                  [](QLineEdit* field) {
                      field->setText("typed");
                      QTest::keyClick(field, Qt::Key_Escape);
                  }),
              "Kick");
    EXPECT_EQ(ask("Hat",
                  [this](QLineEdit* field) {
                      field->setText("typed");
                      QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
                  }),
              "Hat");
    EXPECT_EQ(ask("Clap",
                  [this](QLineEdit* field) {
                      field->setText("typed");
                      dialog.close();
                  }),
              "Clap");
}

TEST_F(RenameDialogTest, EnterAndEscapeOnAButtonDoNothing) {
    EXPECT_EQ(ask("Kick",
                  [this](QLineEdit* field) {
                      field->setText("typed");
                      for (const char* name : {"cmdOk", "cmdCancel"}) {
                          button(name)->setFocus();
                          QTest::keyClick(button(name), Qt::Key_Escape);
                          QTest::keyClick(button(name), Qt::Key_Return);
                          EXPECT_TRUE(dialog.isVisible()) << name;
                      }
                      EXPECT_EQ(field->text(), "typed");
                      QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
                  }),
              "typed");
}

}  // namespace
}  // namespace quodlin::test
