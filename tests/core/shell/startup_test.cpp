#include "core/shell/startup.h"

#include <gtest/gtest.h>

#include "core/shell/shell_messages.h"
#include "core/text/messages.h"
#include "platform/local/local_file_system.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::MemorySettings;
using test::RecordingPrompt;
using test::TempDir;

// A window whose drives are the ones listed and whose tab selection can be made to fail.
class ScriptedWindow : public StartupWindow {
public:
    void selectFirstTab() override {
        if (tabFails) throw FileError(FileErrorKind::Other, "/card", "Input/output error");
    }
    void setCardDrive(const std::string& drive) override {
        if (drive != existing) throw NoSuchDrive(drive);
        shownDrive = drive;
    }
    void showNoCard() override { noCard = true; }
    FileSystem& fileSystem() override { return fs; }

    LocalFileSystem fs;
    std::string existing;
    bool noCard = false;
    std::string shownDrive;
    bool tabFails = false;
};

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.values["Quodlin/Default/SampleDir"] = work.path();
        settings.values["Quodlin/Default/BankDir"] = work.path();
    }
    void run() { StartUp(state, window, settings, prompt, home.path()); }

    TempDir home;
    TempDir work;
    DirectoryState state;
    ScriptedWindow window;
    MemorySettings settings;
    RecordingPrompt prompt;
};

TEST_F(StartUpTest, AFailedTabSelectionIsToldAsTheCardAndTheRememberedDriveStillApplies) {
    window.tabFails = true;
    window.existing = "/media/card";
    settings.values["Quodlin/Default/SmartMedia"] = "/media/card";
    run();
    EXPECT_EQ(prompt.messages, std::vector<std::string>{kNoCardAtStart});
    EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{MessageStyle::Information});
    EXPECT_EQ(window.shownDrive, "/media/card");
    EXPECT_EQ(state.sSampleDir, work.path());
}

TEST_F(StartUpTest, AfterAFailedTabSelectionAMissingDriveIsToldInItsOwnWords) {
    window.tabFails = true;
    settings.values["Quodlin/Default/SmartMedia"] = "/media/gone";
    run();
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{kNoCardAtStart, DriveNotFound("/media/gone")}));
    EXPECT_TRUE(window.noCard);
}

// None of these is ever taken as the card, even when it is there: the card side has none. Only
// a card the user chose that has gone is told of.
TEST_F(StartUpTest, WithoutARememberedCardThereIsNoCard) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}}, {home.path(), {}}, {"/", {}}, {"C:\\", {}}, {"/media/gone", {kNoCardAtStart}}};
    for (const auto& [remembered, told] : cases) {
        window = ScriptedWindow();
        window.existing = remembered == "/media/gone" ? "" : remembered;
        prompt.messages.clear();
        settings.values["Quodlin/Default/SmartMedia"] = remembered;
        run();
        EXPECT_EQ(prompt.messages, told) << remembered;
        EXPECT_TRUE(window.noCard) << remembered;
        EXPECT_EQ(window.shownDrive, "") << remembered;
    }
}

}  // namespace
}  // namespace quodlin
