#include <gtest/gtest.h>
#include <sndfile.h>

#include "core/io/stamped_cache.h"
#include "platform/audio/sndfile_sample_overviews.h"
#include "platform/local/local_file_system.h"
#include "tests/platform/sound/test_sounds.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

// Eight stereo frames of float, read back exactly; the right channel is the left one inverted.
const std::vector<float> kLeft = {0.5f, -0.5f, 0.25f, 0.0f, -0.25f, 0.75f, 0.0f, 0.0f};

struct Columns {
    int asked;
    std::vector<Peak> left;  // the right channel's are these mirrored
};

const std::vector<Columns> kColumns = {
    {4, {{-0.5f, 0.5f}, {0.0f, 0.25f}, {-0.25f, 0.75f}, {0.0f, 0.0f}}},
    // Frames 0-2, 3-5 and 6-7: a width the frames do not divide.
    {3, {{-0.5f, 0.5f}, {-0.25f, 0.75f}, {0.0f, 0.0f}}},
    // More columns than frames: one a frame.
    // clang-format off
    {20, {{0.5f, 0.5f}, {-0.5f, -0.5f}, {0.25f, 0.25f}, {0.0f, 0.0f}, {-0.25f, -0.25f},
          {0.75f, 0.75f}, {0.0f, 0.0f}, {0.0f, 0.0f}}},
    // clang-format on
};

TEST(SampleOverview, AKnownFileGivesKnownColumnsPerChannel) {
    test::TempDir dir;
    std::vector<float> frames;
    for (const float value : kLeft) frames.insert(frames.end(), {value, -value});
    test::WriteSound(dir.file("known.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 32000, 2, frames);

    for (const Columns& c : kColumns) {
        const SampleOverview overview =
            SndfileSampleOverviews().read(dir.file("known.wav"), c.asked, [] { return true; });
        ASSERT_EQ(overview.problem, "");
        ASSERT_EQ(overview.wave.columns, static_cast<int>(c.left.size())) << c.asked;
        for (int column = 0; column < overview.wave.columns; ++column) {
            const Peak& left = c.left[static_cast<std::size_t>(column)];
            EXPECT_EQ(overview.wave.at(0, column), left) << c.asked << " column " << column;
            EXPECT_EQ(overview.wave.at(1, column), (Peak{-left.high, -left.low})) << c.asked;
        }
    }
}

TEST(SampleOverview, AFileThatIsNoSoundTellsWhy) {
    test::TempDir dir;
    test::WriteBytes(dir.file("text.wav"), "not a sound");
    const SampleOverview overview =
        SndfileSampleOverviews().read(dir.file("text.wav"), 10, [] { return true; });
    EXPECT_EQ(overview.problem, "It is not a sound file this program can read.");
    EXPECT_EQ(overview.wave.columns, 0);
}

// A long read asks between its blocks whether it is still wanted, and ends when not.
TEST(SampleOverview, ALongReadEndsOnceNoLongerWanted) {
    test::TempDir dir;
    test::WriteSound(dir.file("long.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 32000, 1,
                     std::vector<float>(320000, 0.25f));
    int asked = 0;
    const SampleOverview overview =
        SndfileSampleOverviews().read(dir.file("long.wav"), 100, [&] { return ++asked < 2; });
    EXPECT_EQ(overview.problem, kNoLongerWanted);
    EXPECT_EQ(asked, 2);
}

// A file is read once until its size changes or another width is asked for.
TEST(SampleOverview, IsReadAgainOnlyWhenTheFileOrTheWidthChanged) {
    test::TempDir dir;
    const std::string path = dir.file("kick.wav");
    test::WriteBytes(path, "four");
    LocalFileSystem fs;
    StampedCache<int> cache(fs);
    int reads = 0;
    const auto get = [&](int columns) { return cache.get(path, columns, [&] { return ++reads; }); };
    EXPECT_EQ(get(100), 1);
    EXPECT_EQ(get(100), 1);
    EXPECT_EQ(get(200), 2);
    test::WriteBytes(path, "longer");
    EXPECT_EQ(get(200), 3);
    EXPECT_EQ(get(200), 3);
}

}  // namespace
}  // namespace quodlin
