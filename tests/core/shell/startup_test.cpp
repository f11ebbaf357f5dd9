#include "core/shell/startup.h"

#include <gtest/gtest.h>

#include "core/messages/messages.h"
#include "core/shell/shell_messages.h"
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

// The card remembered from the last run ("HOME" for the fallback folder) and what start-up makes
// of it. None of "", the fallback or a root is ever taken as the card, even when it is there: the
// card side has none. Only a card the user chose that has gone is told of; a failed tab
// selection is told as the card, and a missing drive after it in its own words.
struct Start {
    bool tabFails;
    std::string remembered;
    std::vector<std::string> told;
    std::string shown;
};

const Start kStarts[] = {
    {false, "", {}, ""},
    {false, "HOME", {}, ""},
    {false, "/", {}, ""},
    {false, "C:\\", {}, ""},
    {false, "/media/gone", {kNoCardAtStart}, ""},
    {true, "/media/card", {kNoCardAtStart}, "/media/card"},
    {true, "/media/gone", {kNoCardAtStart, DriveNotFound("/media/gone")}, ""},
};

TEST(StartUp, TellsOnlyOfAChosenCardThatIsGoneOrOfAFailedTab) {
    for (const Start& start : kStarts) {
        const TempDir home;
        const TempDir work;
        MemorySettings settings;
        settings.values["Quodlin/Default/SampleDir"] = work.path();
        settings.values["Quodlin/Default/BankDir"] = work.path();
        const std::string remembered = start.remembered == "HOME" ? home.path() : start.remembered;
        settings.values["Quodlin/Default/SmartMedia"] = remembered;
        ScriptedWindow window;
        window.tabFails = start.tabFails;
        window.existing = remembered == "/media/gone" ? "" : remembered;
        DirectoryState state;
        RecordingPrompt prompt;
        StartUp(state, window, settings, prompt, home.path());
        SCOPED_TRACE(remembered);
        EXPECT_EQ(prompt.messages, start.told);
        EXPECT_EQ(prompt.styles, std::vector(start.told.size(), MessageStyle::Information));
        EXPECT_EQ(window.shownDrive, start.shown);
        EXPECT_EQ(window.noCard, start.tabFails || start.shown.empty());
        EXPECT_EQ(state.sSampleDir, work.path());
    }
}

}  // namespace
}  // namespace quodlin
