#include "core/shell/startup.h"

#include <optional>

#include "core/messages/messages.h"
#include "core/shell/shell_messages.h"

namespace quodlin {
namespace {

// The stage of start-up that is running; a failure's message depends on it.
enum class Stage { None, Directories, SmartMedia };

class Startup {
public:
    Startup(DirectoryState& state, StartupWindow& window, Settings& settings, Prompt& prompt,
            const std::string& fallback)
        : state_(state),
          window_(window),
          settings_(settings),
          prompt_(prompt),
          fallback_(fallback) {}

    void run() {
        state_.sSampleDir = setting(kSampleDirKey);
        state_.sBankDir = setting(kBankDirKey);
        stage_ = Stage::Directories;
        guarded([&] { repair(state_.sSampleDir); });
        // After a failed test both directories are the fallback already.
        if (stage_ == Stage::Directories) guarded([&] { repair(state_.sBankDir); });
        stage_ = Stage::SmartMedia;
        guarded([&] { window_.selectFirstTab(); });
        guarded([&] { openRememberedCard(); });
        stage_ = Stage::None;
    }

private:
    // With no card ever chosen there is nothing to tell: the card side says what to do.
    void openRememberedCard() {
        const std::string card =
            settings_.read(kSettingsApplication, kSettingsSection, kSmartMediaKey, "");
        if (!WasChosenCard(card, fallback_)) return window_.showNoCard();
        window_.setCardDrive(card);
    }

    std::string setting(const char* key) {
        return settings_.read(kSettingsApplication, kSettingsSection, key, fallback_);
    }

    // A directory that is gone is replaced without a word.
    void repair(std::string& directory) {
        if (!window_.fileSystem().isDirectory(directory)) directory = fallback_;
    }

    template <typename Step>
    void guarded(Step step) {
        try {
            step();
        } catch (const std::exception& error) {
            recover(error);
        }
    }

    // Tells the failure by the stage it happened in and puts the fallback in place. The stage
    // is then over: a later failure is told in its own words.
    void recover(const std::exception& error) {
        const Stage stage = stage_;
        stage_ = Stage::None;
        if (stage == Stage::Directories) {
            prompt_.message(DirectoryNotPresent(fallback_), MessageStyle::Information);
            state_.sSampleDir = fallback_;
            state_.sBankDir = fallback_;
        } else if (stage == Stage::SmartMedia) {
            prompt_.message(kNoCardAtStart, MessageStyle::Information);
            guarded([&] { window_.showNoCard(); });
        } else {
            prompt_.message(error.what(), MessageStyle::Information);
        }
    }

    DirectoryState& state_;
    StartupWindow& window_;
    Settings& settings_;
    Prompt& prompt_;
    const std::string& fallback_;
    Stage stage_ = Stage::None;
};

}  // namespace

bool IsFileSystemRoot(const std::string& path) {
    const std::string trimmed = path.substr(0, path.find_last_not_of("/\\") + 1);
    // "/", "C:", "C:\\" and the like.
    return trimmed.empty() || (trimmed.size() == 2 && trimmed[1] == ':');
}

bool WasChosenCard(const std::string& card, const std::string& fallback) {
    return !card.empty() && card != fallback && !IsFileSystemRoot(card);
}

NoSuchDrive::NoSuchDrive(const std::string& drive) : std::runtime_error(DriveNotFound(drive)) {}

void StartUp(DirectoryState& state, StartupWindow& window, Settings& settings, Prompt& prompt,
             const std::string& fallback) {
    Startup(state, window, settings, prompt, fallback).run();
}

void ShutDown(DirectoryState& state, const std::string& cardDrive, Settings& settings,
              const std::vector<SettingsValue>& alsoStored) {
    state.handBack();
    std::vector<SettingsValue> values = {{kSettingsSection, kSampleDirKey, state.sSampleDir},
                                         {kSettingsSection, kBankDirKey, state.sBankDir},
                                         {kSettingsSection, kSmartMediaKey, cardDrive}};
    values.insert(values.end(), alsoStored.begin(), alsoStored.end());
    settings.writeAll(kSettingsApplication, values);
}

}  // namespace quodlin
