#pragma once

#include <map>
#include <string>

#include "platform/settings.h"

namespace quodlin::test {

// A settings store in memory; writes fail on request, as a store on a full disk would.
class MemorySettings : public Settings {
public:
    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override {
        const auto found = values.find(application + "/" + section + "/" + key);
        return found == values.end() ? defaultValue : found->second;
    }
    void write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override {
        if (failWrites) throw SettingsError("the store is full");
        values[application + "/" + section + "/" + key] = value;
    }

    // Keyed "Quodlin/Default/SampleDir".
    std::map<std::string, std::string> values;
    bool failWrites = false;
};

}  // namespace quodlin::test
