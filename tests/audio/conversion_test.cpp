#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/sample_readiness.h"
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#include "platform/local_file_system.h"
#include "tests/sound/test_sounds.h"
#include "tests/sound/tone_analysis.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

struct Source {
    std::string name;
    int format;
    int rate;
    int channels;
    double seconds;
    double amplitude;
    std::string problems;  // as the core lists them, joined by ", "
};

const std::vector<Source> kSources = {
    {"ready.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 32000, 1, 0.4, 0.5, ""},
    {"s24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 44100, 2, 1.3, 0.5, "24-bit, 44100 Hz"},
    {"loud.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 1, 0.7, 1.6, "float, 48000 Hz"},
    {"s16.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 1, 0.9, 0.5, "AIFF, 22050 Hz"},
    {"s16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 1.0, 0.5, "FLAC, 44100 Hz"},
    {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 1, 1.1, 0.5, "Ogg, vorbis, 44100 Hz"},
    {"u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 11025, 1, 0.5, 0.5, "11025 Hz"},
    {"s24_32k.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 32000, 1, 0.6, 0.5, "24-bit"},
    {"six.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 6, 0.5, 0.5, "48000 Hz, 6 channels"},
};

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
    return joined;
}

void Convert(const std::string& source, const std::string& target) {
    LocalFileSystem fs;
    const auto out = fs.createNew(target);
    SoxrSampleConverter().convert(source, *out);
    out->sync();
    out->close();
}

TEST(SampleConversion, EverySourceReadsAndConvertsToTheInstrumentsFormat) {
    test::TempDir dir;
    for (const Source& s : kSources) {
        SCOPED_TRACE(s.name);
        test::WriteTones(dir.file(s.name), s.format, s.rate, s.channels,
                         {{440, s.seconds, s.amplitude}});
        const SampleFormat format = SndfileSampleFormats().read(dir.file(s.name));
        EXPECT_EQ(Joined(SampleProblems(format)), s.problems);
        EXPECT_EQ(format.channels, s.channels);
        EXPECT_NEAR(format.seconds(), s.seconds, 1.0 / s.rate);

        Convert(dir.file(s.name), dir.file(s.name + ".out"));
        const test::ReadBack out = test::ReadSound(dir.file(s.name + ".out"));
        EXPECT_EQ(out.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(out.info.samplerate, 32000);
        // More than two channels are mixed to stereo.
        const int channels = std::min(s.channels, 2);
        EXPECT_EQ(out.info.channels, channels);
        EXPECT_NEAR(static_cast<double>(out.info.frames) / 32000, format.seconds(), 0.001);
        EXPECT_TRUE(IsReadyForInstrument(SndfileSampleFormats().read(dir.file(s.name + ".out"))));
        for (int channel = 0; channel < channels; ++channel) {
            const std::vector<float> values = test::Channel(out.values, channels, channel);
            EXPECT_NEAR(test::ZeroCrossingFrequency(values, 32000), 440.0, 1.0);
            // A sine keeps its shape: clipped or wrapped peaks would change its crest factor.
            const float peak = *std::max_element(values.begin(), values.end());
            EXPECT_NEAR(test::Rms(values) / peak, 1 / std::sqrt(2.0), 0.02);
            EXPECT_NEAR(peak, std::min(s.amplitude, 1.0), 0.02) << "level not kept";
        }
    }
}

TEST(SampleConversion, ANonSoundFileIsNotReadable) {
    test::TempDir dir;
    test::WriteBytes(dir.file("fake.wav"), "RIFF but only words");
    const SampleFormat format = SndfileSampleFormats().read(dir.file("fake.wav"));
    EXPECT_EQ(Joined(SampleProblems(format)), "not a sound file");
    EXPECT_EQ(format.bytes, 19u);
    LocalFileSystem fs;
    const auto out = fs.createNew(dir.file("out.wav"));
    EXPECT_THROW(SoxrSampleConverter().convert(dir.file("fake.wav"), *out), FileError);
}

}  // namespace
}  // namespace quodlin
