#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quodlin {

// A settings store that could not be written; the store's own words in what().
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One value to store, with where it goes.
struct SettingsValue {
    std::string section;
    std::string key;
    std::string value;
};

// The per-user settings store: strings by application, section and key.
class Settings {
public:
    virtual ~Settings() = default;
    // The stored value, or defaultValue when there is none or the store cannot be read.
    virtual std::string read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultValue) = 0;
    // Stores the value at once; throws SettingsError when the store cannot be written.
    virtual void write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
    // Stores these values of one application together, as one change of the store; a value
    // stored already is left as it is. Throws SettingsError when the store cannot be written.
    virtual void writeAll(const std::string& application,
                          const std::vector<SettingsValue>& values) {
        for (const SettingsValue& value : values) {
            write(application, value.section, value.key, value.value);
        }
    }
};

}  // namespace quodlin
