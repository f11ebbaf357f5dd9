// The two text-field dialogs: what they answer for each way of closing them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "core/messages/messages.h"
#include "core/shell/shaping_settings.h"
#include "platform/qt/desktop_file_system.h"
#include "tests/support/fixed_volumes.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"
#include "ui/dir_dialog.h"
#include "ui/rename_dialog.h"
#include "ui/running/message_box_prompt.h"
#include "ui/running/run_action.h"

namespace quodlin::test {
namespace {

struct Closing {
    bool rename;         // the rename dialog, else the directory chooser
    const char* start;   // "~" for the test's folder
    const char* typed;   // nullptr: the text is left as it was put in
    const char* target;  // the control that gets the key or the click; "": the dialog
    Qt::Key key;         // Qt::Key_unknown: a click, or the close box on the dialog
    const char* answer;  // nullptr: the start; "open" when the dialog stays open
};

class DialogTest : public ::testing::TestWithParam<Closing> {
protected:
    DialogTest() { volumes.mounted = {{"/", "/", false}}; }
    std::string start(const char* text) const {
        return text == std::string("~") ? folder.path() : text;
    }

    TempDir folder;
    DesktopFileSystem fileSystem;
    FixedVolumes volumes;
    RecordingPrompt prompt;
};

TEST_P(DialogTest, ItAnswersTheEditOrPutsTheStartBack) {
    const Closing& c = GetParam();
    std::unique_ptr<TextFieldDialog> dialog =
        c.rename ? std::unique_ptr<TextFieldDialog>(new frmRename(nullptr))
                 : std::make_unique<DirDialog>(volumes, fileSystem, prompt, nullptr);
    if (c.rename) static_cast<frmRename*>(dialog.get())->showFile("03.wav on the card");
    dialog->start(start(c.start));
    dialog->show();
    if (c.rename) {
        const auto* file = dialog->findChild<QLabel*>("lblFile");
        EXPECT_TRUE(file->isVisible() && file->text().contains("03.wav on the card"));
        EXPECT_LE(file->geometry().bottom(), dialog->findChild<QLineEdit*>()->geometry().top());
    }
    if (c.typed != nullptr) dialog->findChild<QLineEdit*>()->setText(start(c.typed).c_str());
    QWidget* target = *c.target ? dialog->findChild<QWidget*>(c.target) : dialog.get();
    if (c.key != Qt::Key_unknown)
        QTest::keyClick(target, c.key);
    else if (*c.target)
        QTest::mouseClick(target, Qt::LeftButton);
    else
        dialog->close();
    const bool staysOpen = c.answer != nullptr && std::string(c.answer) == "open";
    EXPECT_EQ(dialog->isVisible(), staysOpen);
    if (!staysOpen) {
        EXPECT_EQ(dialog->answer(), start(c.answer == nullptr ? c.start : c.answer));
    }
    EXPECT_TRUE(prompt.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rename, DialogTest, ::testing::Values(
    Closing{true, "Kick", "Kick 2", "FileName", Qt::Key_Return, "Kick 2"},
    Closing{true, "Kick", "", "cmdOk", Qt::Key_unknown, ""},
    Closing{true, "Kick", "typed", "FileName", Qt::Key_Escape, nullptr},
    Closing{true, "Kick", "typed", "cmdCancel", Qt::Key_unknown, nullptr},
    Closing{true, "Kick", "typed", "", Qt::Key_unknown, nullptr},
    Closing{true, "Kick", "typed", "cmdOk", Qt::Key_Return, "open"},
    Closing{true, "Kick", "typed", "cmdCancel", Qt::Key_Escape, "open"},
    // A name that is not UTF-8 comes back as its bytes unless it was edited.
    Closing{true, "caf\xE9", nullptr, "FileName", Qt::Key_Return, "caf\xE9"},
    Closing{true, "caf\xE9", "caf\u00E9!", "cmdOk", Qt::Key_unknown, "caf\u00E9!"}));

INSTANTIATE_TEST_SUITE_P(Directory, DialogTest, ::testing::Values(
    Closing{false, "~", "/", "Ok", Qt::Key_unknown, "/"},
    Closing{false, "~", "/", "Path", Qt::Key_Return, "open"},
    Closing{false, "~", "/", "Cancel", Qt::Key_unknown, nullptr},
    Closing{false, "~", "/", "", Qt::Key_unknown, nullptr},
    Closing{false, "~", "/", "", Qt::Key_Escape, nullptr},
    Closing{false, "~", "/", "DriveList", Qt::Key_Escape, nullptr},
    Closing{false, "~", "/", "DirList", Qt::Key_Escape, nullptr},
    Closing{false, "~", "/", "Path", Qt::Key_Escape, nullptr},
    Closing{false, "~", "/", "Ok", Qt::Key_Escape, nullptr}));
// clang-format on

// A folder opened in the list is answered as its own bytes, also when its name is not UTF-8.
TEST_F(DialogTest, AFolderOpenedInTheListIsTheAnswer) {
    std::filesystem::create_directory(folder.file("d\xE9mo"));
    DirDialog dialog(volumes, fileSystem, prompt, nullptr);
    dialog.start(folder.path());
    dialog.show();
    auto* list = dialog.findChild<QTreeWidget*>("DirList");
    const auto found = list->findItems("d\u00E9mo", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found[0]);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Path")->text(),
              QString::fromStdString(folder.path()) + "/d\u00E9mo");
    EXPECT_EQ(dialog.answer(), folder.file("d\xE9mo"));
}

// An error no action expected is told, and the program goes on to the next action.
TEST(RunAction, AnUnexpectedErrorIsToldAndTheProgramGoesOn) {
    RecordingPrompt prompt;
    RunAction(prompt, [] { throw std::runtime_error("no such row"); });
    RunAction(prompt, [] {});
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("no such row"), std::string::npos);
}

// A box that tells of many files, or many lines, stays within the screen, its OK in reach.
class TallMessage : public ::testing::TestWithParam<bool> {};

TEST_P(TallMessage, FitsTheScreenWithTheRestInItsDetails) {
    MessageBoxPrompt prompt;
    prompt.showHeldOver(nullptr);
    std::vector<std::string> names;
    std::string lines = "The check found:";
    for (int n = 0; n < 719; ++n) {
        names.push_back("Sample number " + std::to_string(n) + ".wav");
        lines += "\n'" + names.back() + "' has no friendly name.";
    }
    int height = 0;
    int available = 0;
    QString details;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        height = box->sizeHint().height();
        available = box->screen()->availableGeometry().height();
        details = box->detailedText();
        box->accept();
    });
    if (GetParam()) {
        prompt.messageForFiles(kNoFreeCardName, names, MessageStyle::Information);
    } else {
        prompt.message(lines, MessageStyle::Exclamation, "Quodlin");
    }
    EXPECT_GT(height, 0);
    EXPECT_LE(height, std::min(available, 768));
    EXPECT_TRUE(details.contains("Sample number 718.wav"));
}

INSTANTIATE_TEST_SUITE_P(FilesAndLines, TallMessage, ::testing::Bool());

struct Preparing {
    const char* toggled;  // the box clicked before the key; nullptr: none
    Qt::Key key;
    ConversionAnswer choice;
    const char* sizes;  // as the dialog shows them when the key is pressed
    const char* fit;    // what it says of the card's free space; "": nothing
};

class PrepareDialogTest : public ::testing::TestWithParam<Preparing> {};

// Mono comes checked from last time; 8-bit halves the size after, and then both fit. Normalize's
// level is the one typed beside it.
TEST_P(PrepareDialogTest, TheBoxesChangeTheSizeAfterAndEnterOrEscapeAnswers) {
    const Preparing& c = GetParam();
    PrepareQuestion question{"Convert them?",
                             {"a.wav", "b.aiff"},
                             {true},
                             2000,
                             [](const SampleShaping& s) { return s.eightBit ? 500u : 1000u; },
                             {"", "44100 Hz: plays at the wrong speed."},
                             {"b.aiff"},
                             [](const SampleShaping& s) { return s.eightBit ? 2u : 1u; }};
    MessageBoxPrompt prompt;
    prompt.showHeldOver(nullptr);
    MemorySettings settings;
    prompt.rememberShapingIn(settings);
    std::string sizes;
    std::string fit;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (c.toggled) QTest::mouseClick(dialog->findChild<QCheckBox*>(c.toggled), Qt::LeftButton);
        dialog->findChild<QDoubleSpinBox*>("spnNormalize")->setValue(-3.0);
        sizes = dialog->findChild<QLabel*>("lblPrepareSizes")->text().toStdString();
        const auto* fitLine = dialog->findChild<QLabel*>("lblPrepareFit");
        if (!fitLine->isHidden()) fit = fitLine->text().toStdString();
        const QListWidgetItem* aiff = dialog->findChild<QListWidget*>()->item(1);
        EXPECT_TRUE(aiff->text().endsWith("needs converting"));
        EXPECT_EQ(aiff->toolTip(), "44100 Hz: plays at the wrong speed.");
        EXPECT_TRUE(dialog->findChild<QLabel*>("lblPrepareAnyway")->text().contains("b.aiff"));
        QTest::keyClick(dialog, c.key);
    });
    const PrepareAnswer answer = prompt.prepareQuestion(question);
    EXPECT_EQ(answer.choice, c.choice);
    EXPECT_EQ(sizes, c.sizes);
    EXPECT_EQ(fit, c.fit);
    EXPECT_TRUE(answer.shaping.mono);
    const bool normalized = c.toggled != nullptr && std::string(c.toggled) == "chkNormalize";
    EXPECT_EQ(answer.shaping.normalizeDb, normalized ? std::optional<double>(-3.0) : std::nullopt);
    // The level typed is offered again next time.
    if (normalized) {
        EXPECT_EQ(ReadShaping(settings).normalizeDb, -3.0);
    }
    const bool stored = c.choice != ConversionAnswer::Cancel;
    EXPECT_EQ(settings.values.count("Quodlin/Prepare/EightBit"), stored ? 1u : 0u);
}

constexpr const char* kOneFits =
    "Only 1 of the 2 samples fit on the card prepared so; the copy stops when the card is full.";

INSTANTIATE_TEST_SUITE_P(
    Prepare, PrepareDialogTest,
    ::testing::Values(Preparing{nullptr, Qt::Key_Return, ConversionAnswer::Convert,
                                "On the card: 2 kB as they are, 1 kB prepared", kOneFits},
                      Preparing{"chk8Bit", Qt::Key_Return, ConversionAnswer::Convert,
                                "On the card: 2 kB as they are, 500 bytes prepared", ""},
                      Preparing{"chkNormalize", Qt::Key_Return, ConversionAnswer::Convert,
                                "On the card: 2 kB as they are, 1 kB prepared", kOneFits},
                      Preparing{"chkTrim", Qt::Key_Escape, ConversionAnswer::Cancel,
                                "On the card: 2 kB as they are, at most 1 kB prepared", kOneFits}));

}  // namespace
}  // namespace quodlin::test
