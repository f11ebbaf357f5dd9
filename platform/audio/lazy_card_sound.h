#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/card_sound_module.h"

namespace quodlin {

// Loads the command line's sound module from the first of folders that holds it, on the first
// call that needs it. A module that cannot be loaded leaves every file unread and nothing
// converted, each telling why.
class LazyCardSound : public SampleFormats, public SampleConverter {
public:
    explicit LazyCardSound(std::vector<std::string> folders) : folders_(std::move(folders)) {}

    SampleFormat read(const std::string& path) override;
    SampleFormat read(FileSystem& fs, const std::string& path) override;
    ConversionNotes convert(const std::string& sourcePath, const SampleShaping& shaping,
                            OutputFile& out) override;

private:
    CardSound* sound();

    std::vector<std::string> folders_;
    std::once_flag loaded_;
    CardSound* sound_ = nullptr;
    std::string loadError_;
};

// The folders the module is looked for in: the program's own, then the library folder it is
// installed to (relative to the program's).
std::vector<std::string> CardSoundFolders(const std::string& installedRelative);

}  // namespace quodlin
