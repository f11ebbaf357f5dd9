#include "tests/ui/window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "ui/drive_list_box.h"

namespace quodlin::test {

// A card is in its reader unless a test takes it out.
WindowTest::WindowTest() {
    volumes.mounted = {{"/", "/", false}, {card.path(), "card", true}};
    remember("SmartMedia", card.path());
}

frmQuodlinMain& WindowTest::open() {
    window_ = std::make_unique<frmQuodlinMain>(
        MainWindowParts{fileSystem, settings, volumes, player, prompt, home.path(),
                        QString::fromStdString(programDir.path()), progressDelayMs});
    return *window_;
}

void WindowTest::remember(const char* key, const std::string& value) {
    settings.values[std::string("Quodlin/Default/") + key] = value;
}

std::string WindowTest::stored(const char* key) const {
    const auto found = settings.values.find(std::string("Quodlin/Default/") + key);
    return found == settings.values.end() ? "(absent)" : found->second;
}

std::vector<std::string> WindowTest::rows(const char* listName) const {
    std::vector<std::string> all;
    const auto* list = control<QListWidget>(listName);
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        all.push_back(list->item(i)->text().toStdString());
    }
    return all;
}

void WindowTest::clickTab(int index) {
    control<QTabBar>("TabStrip")->setCurrentIndex(index);
}

void WindowTest::chooseDirectory(const std::string& path) {
    WhenModalOpens([path](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Path")->setText(QString::fromStdString(path));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>("cmdPathSelect"), Qt::LeftButton);
}

void ChooseDrive(DriveListBox& list, const std::string& root) {
    const int wanted = list.findData(QString::fromStdString(root));
    ASSERT_GE(wanted, 0) << root;
    for (int presses = 0; presses < list.count() && list.currentIndex() != wanted; ++presses) {
        QTest::keyClick(&list, list.currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(list.currentIndex(), wanted) << "the keyboard did not reach " << root;
}

void WhenModalOpens(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog->close();
        }
    });
}

}  // namespace quodlin::test
