#pragma once

#include <QStringList>
#include <memory>
#include <mutex>
#include <string>

#include "platform/player.h"
#include "platform/sample_converter.h"
#include "platform/sample_formats.h"
#include "platform/sample_overviews.h"
#include "platform/sound_parts.h"

namespace quodlin {

// Loads the sound parts of the module in the first of folders that holds it, on the first call
// that needs them, from any thread. A module that cannot be loaded leaves every file unread and the
// player silent, each telling why.
class LazySound : public SampleFormats, public SampleConverter, public SampleOverviews {
public:
    // The module reads every file through files.
    LazySound(QStringList folders, FileSystem& files)
        : folders_(std::move(folders)), files_(files) {}

    SampleFormat read(const std::string& path) override;
    SampleFormat read(FileSystem& fs, const std::string& path) override;
    ConversionNotes convert(const std::string& sourcePath, const SampleShaping& shaping,
                            OutputFile& out) override;
    SampleOverview read(const std::string& path, int columns, const StillWanted& wanted) override;
    // Returns a player that makes the module's player at its first "Open", on the calling thread.
    std::unique_ptr<Player> newPlayer();

    // The loaded parts; none, with loadError() telling why, when the module cannot be loaded.
    SoundParts* parts();
    const std::string& loadError() const { return loadError_; }

private:
    QStringList folders_;
    FileSystem& files_;
    std::once_flag loaded_;
    SoundParts* parts_ = nullptr;
    std::string loadError_;
};

}  // namespace quodlin
