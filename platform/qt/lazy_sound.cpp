#include "platform/qt/lazy_sound.h"

#include <QDir>
#include <QLibrary>

#include "platform/file_system.h"
#include "platform/local/no_sound.h"

namespace quodlin {
namespace {

// Starts and stops nothing until a sample is opened: the module is loaded then.
class LazyPlayer : public Player {
public:
    explicit LazyPlayer(LazySound& sound) : sound_(sound) {}

    void setFileName(const std::string& path) override {
        fileName_ = path;
        if (player_) player_->setFileName(path);
    }
    void command(const std::string& command) override {
        if (!player_ && command == "Open") makePlayer();
        if (player_) player_->command(command);
    }
    std::string lastError() const override {
        return player_ ? player_->lastError() : sound_.loadError();
    }
    bool isPlaying() const override { return player_ && player_->isPlaying(); }
    bool hasNoDevice() const override { return player_ && player_->hasNoDevice(); }
    void playFrom(double seconds) override {
        if (player_) player_->playFrom(seconds);
    }
    double position() const override { return player_ ? player_->position() : 0.0; }
    double seconds() const override { return player_ ? player_->seconds() : 0.0; }
    void openThenPlay(double fromSeconds, const std::function<void()>& told) override {
        if (!player_) makePlayer();
        if (!player_) return told();
        player_->openThenPlay(fromSeconds, told);
    }

private:
    void makePlayer() {
        SoundParts* parts = sound_.parts();
        if (!parts) return;
        player_ = parts->newPlayer();
        player_->setFileName(fileName_);
    }

    LazySound& sound_;
    std::string fileName_;
    std::unique_ptr<Player> player_;
};

}  // namespace

SoundParts* LazySound::parts() {
    std::call_once(loaded_, [this] {
        for (const QString& folder : folders_) {
            QLibrary module(QDir(folder).filePath(kSoundModuleName));
            if (const auto entry =
                    reinterpret_cast<SoundPartsEntry>(module.resolve(kSoundPartsEntry))) {
                parts_ = entry(files_);
                return;
            }
            loadError_ =
                "the sound module could not be loaded (" + module.errorString().toStdString() + ")";
        }
    });
    return parts_;
}

SampleFormat LazySound::read(const std::string& path) {
    if (SoundParts* sound = parts()) return sound->formats().read(path);
    return NoSampleFormats().read(path);
}

SampleFormat LazySound::read(FileSystem& fs, const std::string& path) {
    if (SoundParts* sound = parts()) return sound->formats().read(fs, path);
    return NoSampleFormats().read(path);
}

ConversionNotes LazySound::convert(const std::string& sourcePath, const SampleShaping& shaping,
                                   OutputFile& out) {
    if (SoundParts* sound = parts()) return sound->converter().convert(sourcePath, shaping, out);
    throw FileError(FileErrorKind::Other, sourcePath, loadError_);
}

SampleOverview LazySound::read(const std::string& path, int columns, const StillWanted& wanted) {
    if (SoundParts* sound = parts()) return sound->overviews().read(path, columns, wanted);
    return {NoSampleFormats().read(path), {}, "It cannot be read: " + loadError_ + "."};
}

std::unique_ptr<Player> LazySound::newPlayer() {
    return std::make_unique<LazyPlayer>(*this);
}

}  // namespace quodlin
