#include <QPushButton>
#include <QTabBar>
#include <filesystem>

#include "core/messages.h"
#include "core/shell_messages.h"
#include "core/text_functions.h"
#include "tests/ui/window_fixture.h"
#include "ui/drive_list_box.h"

namespace quodlin::test {
namespace {

class StartUpWindowTest : public WindowTest {};

TEST_F(StartUpWindowTest, AnEmptyStoreStartsOnTheHomeDirectoryWithoutACard) {
    settings.values.clear();
    WriteBytes(home.file("kick.wav"), "RIFF");
    WriteBytes(home.file("bank.es1"), "x");
    frmQuodlinMain& window = open();
    EXPECT_EQ(prompt.messages, std::vector<std::string>{kNoCardAtStart});
    EXPECT_EQ(window.SelectedTab(), Tab::Samples);
    EXPECT_EQ(window.directories().sCurrentDir, home.path());
    EXPECT_EQ(window.directories().sBankDir, home.path());
    EXPECT_EQ(control<QPushButton>("cmdPathSelect")->text().toStdString(),
              ShortenPath(home.path(), 21));
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"kick.wav"});
    EXPECT_EQ(control<DriveListBox>("smDrive")->currentRoot(), "");
    EXPECT_EQ(window.card().cardRoot(), "");
    EXPECT_TRUE(rows("lstSmartMedia").empty());

    window.close();
    EXPECT_EQ(stored("SampleDir"), home.path());
    EXPECT_EQ(stored("BankDir"), home.path());
    EXPECT_EQ(stored("SmartMedia"), "");
    EXPECT_EQ(player.calls, std::vector<std::string>{"Close"});
}

TEST_F(StartUpWindowTest, ADeletedOrFileDirectoryFallsBackSilentlyAndTheOtherStays) {
    TempDir banks;
    const std::string deleted = home.file("deleted");
    std::filesystem::create_directory(deleted);
    std::filesystem::remove(deleted);
    remember("SampleDir", deleted);
    remember("BankDir", banks.path());
    frmQuodlinMain& window = open();
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(window.directories().sSampleDir, home.path());
    EXPECT_EQ(window.directories().sBankDir, banks.path());

    // A file where the directory was is no directory to list either.
    WriteBytes(banks.file("kick.wav"), "RIFF");
    remember("SampleDir", banks.file("kick.wav"));
    frmQuodlinMain& again = open();
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(again.directories().sSampleDir, home.path());
}

TEST_F(StartUpWindowTest, ADirectoryThatCannotBeExaminedSetsBothToHomeWithOneMessage) {
    TempDir banks;
    remember("SampleDir", "C:\\Samples");
    remember("BankDir", banks.path());
    frmQuodlinMain& window = open();
    ASSERT_EQ(prompt.messages,
              std::vector<std::string>{"Sample or Bank directory not present, set to '" +
                                       home.path() + "'"});
    EXPECT_EQ(prompt.styles[0], MessageStyle::Information);
    EXPECT_EQ(prompt.titles[0], "Quodlin");
    EXPECT_EQ(window.directories().sSampleDir, home.path());
    EXPECT_EQ(window.directories().sBankDir, home.path());
    EXPECT_EQ(window.directories().sCurrentDir, home.path());
}

TEST_F(StartUpWindowTest, AMissingCardLeavesNoCardWithOneMessageAndStaysRemembered) {
    remember("SmartMedia", "/media/ann/GONE");
    frmQuodlinMain& window = open();
    ASSERT_EQ(prompt.messages, std::vector<std::string>{kNoCardAtStart});
    EXPECT_EQ(prompt.styles[0], MessageStyle::Information);
    EXPECT_EQ(control<DriveListBox>("smDrive")->currentRoot(), "");
    EXPECT_EQ(window.card().cardRoot(), "");
    window.close();
    EXPECT_EQ(stored("SmartMedia"), "/media/ann/GONE");
}

TEST_F(StartUpWindowTest, ACardDriveWithoutACardIsNotReadyAndStaysRemembered) {
    const std::string emptySlot = home.file("slot");
    volumes.mounted.push_back({emptySlot, "slot", true});
    remember("SmartMedia", emptySlot);
    frmQuodlinMain& window = open();
    ASSERT_EQ(prompt.messages, std::vector<std::string>{kDriveNotReady});
    EXPECT_EQ(prompt.titles[0], kErrorTitle);
    EXPECT_EQ(prompt.styles[0], MessageStyle::Exclamation);
    EXPECT_EQ(window.card().cardRoot(), "");
    EXPECT_TRUE(rows("lstSmartMedia").empty());
    window.close();
    EXPECT_EQ(stored("SmartMedia"), emptySlot);
}

TEST_F(StartUpWindowTest, ASettingsStoreThatCannotBeWrittenIsToldAndTheWindowStillCloses) {
    frmQuodlinMain& window = open();
    settings.failWrites = true;
    EXPECT_TRUE(window.close());
    EXPECT_EQ(prompt.messages, std::vector<std::string>{SettingsNotSaved("the store is full")});
    EXPECT_EQ(player.calls, std::vector<std::string>{"Close"});
}

}  // namespace
}  // namespace quodlin::test
