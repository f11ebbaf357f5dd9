#include "platform/audio/sndfile_sample_overviews.h"

#include <vector>

#include "platform/audio/sound_file.h"
#include "platform/audio/wave_overview.h"
#include "platform/file_system.h"

namespace quodlin {
namespace {

constexpr std::size_t kBlockFrames = 16384;

std::string WhyNotRead(const SampleFormat& format) {
    if (!format.regular) return "It is not a regular file.";
    if (!format.readable) return "It is not a sound file this program can read.";
    if (format.channels < 1) return "Its header gives no channels.";
    return "";
}

}  // namespace

SampleOverview SndfileSampleOverviews::read(const std::string& path, int columns,
                                            const StillWanted& wanted) {
    SoundFile file(files_, path);
    SampleOverview overview{file.format(), {}, WhyNotRead(file.format())};
    if (!overview.problem.empty()) return overview;
    const int channels = overview.format.channels;
    WaveOverviewBuilder builder(channels, overview.format.frames, columns);
    std::vector<float> block(kBlockFrames * static_cast<std::size_t>(channels));
    try {
        while (const std::size_t got = file.read(block.data(), kBlockFrames)) {
            builder.add(block.data(), got);
            if (!wanted()) {
                overview.problem = kNoLongerWanted;
                break;
            }
        }
    } catch (const FileError& error) {
        overview.problem = "Its sound cannot be read: " + error.reason() + ".";
    }
    overview.wave = builder.overview();
    return overview;
}

}  // namespace quodlin
