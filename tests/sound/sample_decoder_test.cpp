#include "platform/player/sample_decoder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>

#include "tests/sound/test_sounds.h"
#include "tests/sound/tone_analysis.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

using namespace std::string_literals;

double Peak(const std::vector<float>& samples) {
    double peak = 0;
    for (float value : samples) peak = std::max(peak, double(std::abs(value)));
    return peak;
}

TEST(SampleDecoder, DecodesEveryKindOfWaveFile) {
    TempDir dir;
    for (const SoundFile& kind : EveryKindOfSoundFile()) {
        SCOPED_TRACE(kind.name);
        WriteSoundFile(dir.file(kind.name), kind, {440, 0.5});

        const DecodeResult result = DecodeSample(dir.file(kind.name));

        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(result.sample.rate, kind.rate);
        EXPECT_EQ(result.sample.channels, kind.channels);
        EXPECT_EQ(result.sample.frames(), std::size_t(kind.rate / 2));
        for (int channel = 0; channel < kind.channels; ++channel) {
            const std::vector<float> one = Channel(result.sample.samples, kind.channels, channel);
            EXPECT_NEAR(Peak(one), kToneAmplitude, 0.01);
            EXPECT_NEAR(ZeroCrossingFrequency(one, kind.rate), 440, 1);
        }
    }
}

TEST(SampleDecoder, GarbageEmptyAndMissingFilesGiveAnError) {
    TempDir dir;
    WriteBytes(dir.file("garbage.wav"), "RIFF\x10\0\0\0WAVEthis is not a sound file at all"s);
    WriteBytes(dir.file("empty.wav"), "");
    WriteTones(dir.file("silent.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {});

    for (const char* name : {"garbage.wav", "empty.wav", "silent.wav", "missing.wav"}) {
        SCOPED_TRACE(name);
        const DecodeResult result = DecodeSample(dir.file(name));
        EXPECT_FALSE(result.ok());
        EXPECT_NE(result.error.find(dir.file(name)), std::string::npos) << result.error;
        EXPECT_TRUE(result.sample.samples.empty());
    }
}

TEST(SampleDecoder, HoldsNoHandleSoTheFileCanBeRenamedAndDeleted) {
    TempDir dir;
    const std::string path = dir.file("s24.wav");
    WriteTones(path, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, {{440, 0.2}});

    const DecodeResult result = DecodeSample(path);

    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(OpenHandlesTo(path), 0);
    std::filesystem::rename(path, dir.file("renamed.wav"));
    EXPECT_TRUE(std::filesystem::remove(dir.file("renamed.wav")));
    EXPECT_EQ(result.sample.frames(), 9600u);
}

}  // namespace
}  // namespace quodlin::test
