#include "ui/dir_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "core/shell_messages.h"
#include "tests/ui/window_fixture.h"
#include "ui/dir_list_box.h"
#include "ui/drive_list_box.h"

namespace quodlin::test {
namespace {

class DirDialogTest : public WindowTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories(samples.file("Kits/909"));
        WriteBytes(samples.file("kick.wav"), "RIFF");
        WriteBytes(samples.file("Kits/snare.wav"), "RIFF");
        remember("SampleDir", samples.path());
        volumes.mounted = {{"/", "/", false}, {samples.path(), "samples", true}};
    }

    // Opens the chooser and runs act in it.
    void inChooser(std::function<void(QWidget*)> act) {
        WhenModalOpens(std::move(act));
        QTest::mouseClick(control<QPushButton>("cmdPathSelect"), Qt::LeftButton);
    }

    TempDir samples;
    TempDir other;
};

QLineEdit* PathOf(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>("Path");
}

TEST_F(DirDialogTest, AFolderWhoseNameIsNotUtf8OpensAndIsChosen) {
    const std::string folder = samples.file("d\xE9mo");
    std::filesystem::create_directory(folder);
    frmQuodlinMain& window = open();
    prompt.messages.clear();
    inChooser([&](QWidget* dialog) {
        auto* list = dialog->findChild<QTreeWidget*>("DirList");
        const auto found = list->findItems("d\u00E9mo", Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        emit list->itemActivated(found[0], 0);
        EXPECT_EQ(PathOf(dialog)->text(), QString::fromStdString(samples.path()) + "/d\u00E9mo");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    EXPECT_EQ(window.directories().sCurrentDir, folder);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DirDialogTest, OkTakesTheStartOrTheTypedDirectoryAndCancelKeepsTheOldOne) {
    frmQuodlinMain& window = open();
    inChooser([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Select Directory");
        EXPECT_EQ(PathOf(dialog)->text().toStdString(), samples.path());
        EXPECT_EQ(dialog->findChild<DriveListBox*>("DriveList")->currentRoot(), samples.path());
        QTest::mouseClick(dialog->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    EXPECT_EQ(window.directories().sCurrentDir, samples.path());

    inChooser([&](QWidget* dialog) {
        PathOf(dialog)->setText(QString::fromStdString(other.path()));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    });
    EXPECT_EQ(window.directories().sCurrentDir, samples.path());

    WriteBytes(other.file("new.wav"), "RIFF");
    inChooser([&](QWidget* dialog) {
        PathOf(dialog)->setText(QString::fromStdString(other.path()));
        // Enter is not bound to Ok.
        QTest::keyClick(PathOf(dialog), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    EXPECT_EQ(window.directories().sCurrentDir, other.path());
    EXPECT_EQ(window.directories().sSampleDir, samples.path());
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"new.wav"});
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DirDialogTest, EscapeFromEveryControlAndTheCloseBoxCancel) {
    frmQuodlinMain& window = open();
    for (const char* name :
         {"DriveList", "DirList", "Path", "Ok", "Cancel", "DirDialog", "close"}) {
        inChooser([&](QWidget* dialog) {
            PathOf(dialog)->setText(QString::fromStdString(other.path()));
            if (std::string(name) == "close") {
                dialog->close();
            } else {
                QWidget* target =
                    std::string(name) == "DirDialog" ? dialog : dialog->findChild<QWidget*>(name);
                QTest::keyClick(target, Qt::Key_Escape);
            }
            EXPECT_FALSE(dialog->isVisible()) << name;
            EXPECT_EQ(PathOf(dialog)->text().toStdString(), samples.path()) << name;
        });
        EXPECT_EQ(window.directories().sCurrentDir, samples.path()) << name;
    }
}

TEST_F(DirDialogTest, APathThatIsNoDirectoryIsToldAndNotTaken) {
    frmQuodlinMain& window = open();
    const std::string missing = other.file("missing");
    inChooser([&](QWidget* dialog) {
        PathOf(dialog)->setText(QString::fromStdString(missing));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    EXPECT_EQ(prompt.messages,
              std::vector<std::string>{DirectoryNotFound(missing, samples.path())});
    EXPECT_EQ(window.directories().sCurrentDir, samples.path());
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"kick.wav"});
}

TEST_F(DirDialogTest, OpeningAFolderInTheListPutsItsPathInTheField) {
    frmQuodlinMain& window = open();
    inChooser([&](QWidget* dialog) {
        auto* list = dialog->findChild<DirListBox*>("DirList");
        const QList<QTreeWidgetItem*> kits =
            list->findItems("Kits", Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(kits.size(), 1);
        const QPoint at = list->visualItemRect(kits[0]).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(PathOf(dialog)->text().toStdString(), samples.file("Kits"));
        // Enter opens the current folder: one further down, then one of the chain above.
        const auto openWithEnter = [list](const char* name) {
            const auto found = list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
            ASSERT_EQ(found.size(), 1) << name;
            list->setCurrentItem(found[0]);
            QTest::keyClick(list, Qt::Key_Return);
        };
        openWithEnter("909");
        EXPECT_EQ(PathOf(dialog)->text().toStdString(), samples.file("Kits/909"));
        openWithEnter("Kits");
        EXPECT_EQ(PathOf(dialog)->text().toStdString(), samples.file("Kits"));
        EXPECT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    EXPECT_EQ(window.directories().sCurrentDir, samples.file("Kits"));
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"snare.wav"});
}

TEST_F(DirDialogTest, ADriveThatCannotBeReadIsToldAndTheListStays) {
    const std::string gone = other.file("gone");
    volumes.mounted.push_back({gone, "gone", true});
    open();
    inChooser([&](QWidget* dialog) {
        auto* drives = dialog->findChild<DriveListBox*>("DriveList");
        ChooseDrive(*drives, gone);
        EXPECT_EQ(dialog->findChild<DirListBox*>("DirList")->path(), samples.path());
        EXPECT_EQ(PathOf(dialog)->text().toStdString(), samples.path());
        QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    });
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"Drive not ready..."});
}

}  // namespace
}  // namespace quodlin::test
