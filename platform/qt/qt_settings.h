#pragma once

#include <QString>
#include <memory>

#include "platform/settings.h"

class QSettings;

namespace quodlin {

// The settings in QSettings: organization "Quodlin", the application as the file name, the
// section as the group. On Linux that is <XDG config directory>/Quodlin/<application>.conf.
class QtSettings : public Settings {
public:
    QtSettings() = default;
    // The same files under directory instead of the user's configuration directory.
    explicit QtSettings(QString directory) : directory_(std::move(directory)) {}

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    void write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
    void writeAll(const std::string& application,
                  const std::vector<SettingsValue>& values) override;

private:
    std::unique_ptr<QSettings> open(const std::string& application) const;

    QString directory_;
};

}  // namespace quodlin
