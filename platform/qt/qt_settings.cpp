#include "platform/qt/qt_settings.h"

#include <QSettings>

namespace quodlin {
namespace {

constexpr const char* kOrganization = "Quodlin";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

std::unique_ptr<QSettings> QtSettings::open(const std::string& application) const {
    if (directory_.isEmpty()) {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           kOrganization, Q(application));
    }
    const QString file = directory_ + "/" + kOrganization + "/" + Q(application) + ".conf";
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

std::string QtSettings::read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultValue) {
    const std::unique_ptr<QSettings> settings = open(application);
    settings->beginGroup(Q(section));
    const QVariant value = settings->value(Q(key));
    if (!value.isValid()) return defaultValue;
    return value.toString().toStdString();
}

void QtSettings::write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) {
    writeAll(application, {{section, key, value}});
}

// Each save of the store syncs it to the disk, which takes far longer than the rest of a
// shut-down: the values go in one save, and none when nothing changed.
void QtSettings::writeAll(const std::string& application,
                          const std::vector<SettingsValue>& values) {
    const std::unique_ptr<QSettings> settings = open(application);
    bool changed = false;
    for (const SettingsValue& value : values) {
        const QString key = Q(value.section) + "/" + Q(value.key);
        const QVariant stored = settings->value(key);
        if (stored.isValid() && stored.toString() == Q(value.value)) continue;
        settings->setValue(key, Q(value.value));
        changed = true;
    }
    if (!changed) return;
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        throw SettingsError(settings->fileName().toStdString() + " could not be written");
    }
}

}  // namespace quodlin
