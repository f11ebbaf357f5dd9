#pragma once

#include <stdexcept>
#include <string>

#include "core/computer/directory_state.h"
#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/settings.h"

namespace quodlin {

// Where the three settings live.
inline constexpr const char* kSettingsApplication = "Quodlin";
inline constexpr const char* kSettingsSection = "Default";
inline constexpr const char* kSampleDirKey = "SampleDir";
inline constexpr const char* kBankDirKey = "BankDir";
inline constexpr const char* kSmartMediaKey = "SmartMedia";

// The drive list has no drive of that name; what() is the text the user is shown.
class NoSuchDrive : public std::runtime_error {
public:
    explicit NoSuchDrive(const std::string& drive);
};

// The window as start-up drives it.
class StartupWindow {
public:
    virtual ~StartupWindow() = default;
    // Shows the samples tab with the card list; it may throw.
    virtual void selectFirstTab() = 0;
    // Shows drive in the card drive list and opens it as the card (a card that cannot be read is
    // reported by the window itself). Throws NoSuchDrive when it is neither a listed card volume
    // nor a folder that is there.
    virtual void setCardDrive(const std::string& drive) = 0;
    // Shows the card side without a card, so that nothing can be written to one.
    virtual void showNoCard() = 0;
    // Where the remembered directories are looked for.
    virtual FileSystem& fileSystem() = 0;
};

// "/" or a drive root such as "C:\\": a whole system volume.
bool IsFileSystemRoot(const std::string& path);

// False for a remembered card that the user never chose: none, or what older versions stored
// as their stand-in card (the fallback or a file system's root).
bool WasChosenCard(const std::string& card, const std::string& fallback);

// Reads the settings, repairs directories that cannot be used, shows the samples tab and the
// remembered card. The fallback directory, the home folder and a file system's root are never
// taken as the card: without a usable remembered card there is no card. Every failure is caught
// here and told once.
void StartUp(DirectoryState& state, StartupWindow& window, Settings& settings, Prompt& prompt,
             const std::string& fallback);

// Hands the directory in use back to its mode and writes the three settings, with the window's
// own values in alsoStored, in one go. Throws SettingsError when the store cannot be written.
void ShutDown(DirectoryState& state, const std::string& cardDrive, Settings& settings,
              const std::vector<SettingsValue>& alsoStored = {});

}  // namespace quodlin
