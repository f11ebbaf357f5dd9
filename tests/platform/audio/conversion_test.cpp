#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "core/samples/sample_readiness.h"
#include "core/text/wording.h"
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#include "platform/local/local_file_system.h"
#include "tests/platform/sound/test_sounds.h"
#include "tests/platform/sound/tone_analysis.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Wav;

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

void Convert(const std::string& source, const std::string& target) {
    LocalFileSystem fs;
    const auto out = fs.createNew(target);
    SoxrSampleConverter().convert(source, {}, *out);
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
        EXPECT_TRUE(format.consistent) << "refused as damaged";
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

test::ProcessResult PutConvert(const std::string& card, std::vector<std::string> sources) {
    sources.insert(sources.begin(), {QUODLIN_CARD_PROGRAM, "put", "--convert", card});
    return test::RunProgram(sources);
}

struct Refusal {
    std::string wav;     // empty: a FIFO
    std::string reason;  // after "'path' cannot be converted: "
};

const std::vector<Refusal> kRefusals = {
    {Wav(1, 1, 1, 16, 4096), "its header gives 1 Hz."},
    {Wav(1, 1, 2, 16, 4096), "its header gives 2 Hz."},
    {Wav(1, 2, 999, 16, 4096), "its header gives 999 Hz."},
    {Wav(3, 1, 768001, 32, 4096), "its header gives 768001 Hz."},
    {Wav(1, 1, 999999999, 16, 64), "its header gives 999999999 Hz."},
    {Wav(1, 1, 2147483647, 16, 64), "its header gives 2147483647 Hz."},
    {Wav(1, 9, 44100, 16, 4608), "its header gives 9 channels."},
    {Wav(3, 16, 48000, 32, 4096), "its header gives 16 channels."},
    // 1000 Hz stereo 8-bit: 1.1 MB of source gives 70 MB at the instrument's rate.
    {Wav(1, 2, 1000, 8, 1100000), "the sample would be larger than the largest card (64 MB)."},
    // Refused without waiting for a writer.
    {"", "it is not a regular file."},
};

// Each row is put after a sample that converts fine: the run copies nothing at all.
TEST(ConvertRefusal, ASourceTheConverterCannotTakeIsRefusedBeforeAnythingIsWritten) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("card"));
    test::WriteTones(dir.file("good.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1,
                     {{440, 0.2}});
    for (std::size_t i = 0; i < kRefusals.size(); ++i) {
        SCOPED_TRACE(kRefusals[i].reason);
        const std::string source = dir.file("bad" + std::to_string(i) + ".wav");
        if (kRefusals[i].wav.empty()) {
            ASSERT_EQ(mkfifo(source.c_str(), 0600), 0);
        } else {
            test::WriteBytes(source, kRefusals[i].wav);
        }
        const test::ProcessResult run =
            PutConvert(dir.file("card"), {dir.file("good.wav"), source});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "'" + source + "' cannot be converted: " + kRefusals[i].reason + "\n");
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("card")));
    }
}

// A float source with a stretch of NaN and infinite values between two tones: that stretch
// becomes silence and the tones keep their level, where a wrapped value would be full scale.
TEST(ConvertRefusal, SamplesThatAreNotNumbersBecomeSilenceAndAreToldOnce) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("card"));
    std::string data;
    for (int i = 0; i < 72000; ++i) {
        const float nan = i % 3 ? std::numeric_limits<float>::quiet_NaN()
                                : (i % 2 ? -1 : 1) * std::numeric_limits<float>::infinity();
        const float value =
            i >= 24000 && i < 48000 ? nan : 0.5f * std::sin(2 * M_PI * 440 * i / 48000);
        data.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    test::WriteBytes(dir.file("nan.wav"), Wav(3, 1, 48000, 32, 0, data));
    const test::ProcessResult run = PutConvert(dir.file("card"), {dir.file("nan.wav")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "'nan.wav' held samples that are not numbers; they were made silent.\n");
    const test::ReadBack out = test::ReadSound(dir.file("card/00.wav"));
    ASSERT_EQ(out.values.size(), 48000u);
    const auto peak = [&](int from, int to) {
        float most = 0;
        for (int i = from; i < to; ++i) most = std::max(most, std::abs(out.values[i]));
        return most;
    };
    EXPECT_NEAR(peak(0, 15000), 0.5, 0.02);
    EXPECT_LT(peak(17000, 31000), 0.001);
    EXPECT_NEAR(peak(33000, 48000), 0.5, 0.02);
}

}  // namespace
}  // namespace quodlin
