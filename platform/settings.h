#pragma once

#include <stdexcept>
#include <string>

namespace quodlin {

// A settings store that could not be written; the store's own words in what().
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
};

}  // namespace quodlin
