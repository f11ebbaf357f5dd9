// The sound module's entry: libsndfile, libsoxr and Qt Multimedia come with it, not with the
// window program.
#include <QtGlobal>

#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/sndfile_sample_overviews.h"
#include "platform/audio/soxr_sample_converter.h"
#include "platform/player/sample_player.h"
#include "platform/sound_parts.h"

namespace quodlin {
namespace {

class ModuleSoundParts : public SoundParts {
public:
    explicit ModuleSoundParts(FileSystem& files)
        : files_(files), formats_(&files), overviews_(&files) {}

    SampleFormats& formats() override { return formats_; }
    SampleConverter& converter() override { return converter_; }
    SampleOverviews& overviews() override { return overviews_; }
    std::unique_ptr<Player> newPlayer() override { return std::make_unique<SamplePlayer>(&files_); }

private:
    FileSystem& files_;
    SndfileSampleFormats formats_;
    SoxrSampleConverter converter_;
    SndfileSampleOverviews overviews_;
};

}  // namespace
}  // namespace quodlin

extern "C" Q_DECL_EXPORT quodlin::SoundParts* quodlin_sound_parts(quodlin::FileSystem& files) {
    static quodlin::ModuleSoundParts parts(files);
    return &parts;
}
