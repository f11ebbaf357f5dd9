#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/desktop_file_system.h"
#include "tests/support/fixed_volumes.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_player.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"
#include "ui/main_window.h"

class QWidget;

namespace quodlin {
class DriveListBox;
}

namespace quodlin::test {

// A main window on real directories, with settings, volumes, player and prompt of the test's
// own. The home directory stands in for the fallback; the program directory holds readme.rtf.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();

    // Loads the window: start-up runs with the settings as they are now.
    frmQuodlinMain& open();
    void remember(const char* key, const std::string& value);
    std::string stored(const char* key) const;

    template <typename Control>
    Control* control(const char* name) const {
        Control* found = window_->findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::vector<std::string> rows(const char* listName) const;
    void clickTab(int index);
    // Types path into the directory chooser and confirms it.
    void chooseDirectory(const std::string& path);

    int progressDelayMs = 500;
    TempDir home;
    TempDir card;
    TempDir programDir;
    DesktopFileSystem fileSystem;
    MemorySettings settings;
    FixedVolumes volumes;
    RecordingPlayer player;
    RecordingPrompt prompt;
    std::unique_ptr<frmQuodlinMain> window_;
};

// Chooses the drive as a user does with the keyboard on the closed list.
void ChooseDrive(DriveListBox& list, const std::string& root);

// Runs act on the modal dialog that opens next, once it is shown; a dialog still open after
// that is closed, and the test fails.
void WhenModalOpens(std::function<void(QWidget*)> act);

}  // namespace quodlin::test
