#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/audio/soxr_sample_converter.h"
#include "platform/local/local_file_system.h"
#include "tests/platform/sound/test_sounds.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

constexpr int kRate = 44100;

// 0.25 s of silence, a 440 Hz tone at -12 dBFS on the left channel only for 0.5 s, 0.2 s of
// silence: stereo, 24-bit.
std::vector<float> LeftOnlyTone() {
    std::vector<float> values(static_cast<std::size_t>(0.95 * kRate) * 2);
    for (std::size_t f = kRate / 4; f < kRate * 3 / 4; ++f) {
        values[2 * f] = 0.25f * static_cast<float>(std::sin(2 * std::numbers::pi * 440 *
                                                            static_cast<double>(f) / kRate));
    }
    return values;
}

// The seconds from the first to the last frame at or above db dBFS in either channel.
double SecondsAbove(const std::vector<float>& values, double db) {
    const auto level = static_cast<float>(std::pow(10.0, db / 20));
    std::size_t first = values.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::abs(values[i]) < level) continue;
        first = std::min(first, i / 2);
        last = i / 2;
    }
    return static_cast<double>(last + 1 - first) / kRate;
}

double PeakDb(const std::vector<float>& values) {
    float peak = 0;
    for (const float value : values) peak = std::max(peak, std::abs(value));
    return 20 * std::log10(peak);
}

struct Row {
    std::string what;
    SampleShaping shaping;
    int channels;
    int format;            // SF_FORMAT_PCM_16 or _U8
    double peakDb;         // of the written sample
    double peakTolerance;  // dB
};

SampleShaping Shaping(bool mono, bool eightBit, std::optional<double> normalize,
                      std::optional<double> trim) {
    return {mono, eightBit, normalize, trim};
}

const std::vector<Row> kRows = {
    {"unshaped", {}, 2, SF_FORMAT_PCM_16, -12.04, 0.1},
    {"mono is the channels' average", Shaping(true, false, {}, {}), 1, SF_FORMAT_PCM_16, -18.06,
     0.1},
    {"8 bit", Shaping(false, true, {}, {}), 2, SF_FORMAT_PCM_U8, -12.04, 0.3},
    {"normalize", Shaping(false, false, -1.0, {}), 2, SF_FORMAT_PCM_16, -1.0, 0.1},
    {"normalize at 8 bit, mono", Shaping(true, true, -3.0, {}), 1, SF_FORMAT_PCM_U8, -3.0, 0.3},
    {"trim", Shaping(false, false, {}, -60.0), 2, SF_FORMAT_PCM_16, -12.04, 0.1},
    {"all four", Shaping(true, true, -1.0, -40.0), 1, SF_FORMAT_PCM_U8, -1.0, 0.3},
};

TEST(SampleShaping, EachOptionSetIsMeasuredInTheWrittenFile) {
    test::TempDir dir;
    const std::vector<float> source = LeftOnlyTone();
    test::WriteSound(dir.file("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_24, kRate, 2, source);
    LocalFileSystem fs;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        const std::string target = dir.file(row.what + ".wav");
        const auto out = fs.createNew(target);
        SoxrSampleConverter().convert(dir.file("in.wav"), row.shaping, *out);
        out->close();
        const test::ReadBack written = test::ReadSound(target);
        EXPECT_EQ(written.info.format, SF_FORMAT_WAV | row.format);
        EXPECT_EQ(written.info.samplerate, 32000);
        EXPECT_EQ(written.info.channels, row.channels);
        EXPECT_NEAR(PeakDb(written.values), row.peakDb, row.peakTolerance);
        const double seconds = row.shaping.trimDb ? SecondsAbove(source, *row.shaping.trimDb)
                                                  : static_cast<double>(source.size()) / 2 / kRate;
        EXPECT_NEAR(static_cast<double>(written.info.frames) / 32000, seconds, 0.001);
    }
}

// Its words already fit: dither would only add noise.
TEST(SampleShaping, AnEightBitSampleAtTheInstrumentsRateKeepsItsValuesAtEightBits) {
    test::TempDir dir;
    std::vector<float> tone(kRate / 10);
    for (std::size_t f = 0; f < tone.size(); ++f) tone[f] = static_cast<float>(f % 64) / 128;
    test::WriteSound(dir.file("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 32000, 1, tone);
    LocalFileSystem fs;
    const auto out = fs.createNew(dir.file("out.wav"));
    SoxrSampleConverter().convert(dir.file("in.wav"), Shaping(false, true, {}, {}), *out);
    out->close();
    EXPECT_EQ(test::ReadSound(dir.file("out.wav")).values,
              test::ReadSound(dir.file("in.wav")).values);
}

TEST(SampleShaping, TrimmingSilenceThroughoutIsRefused) {
    test::TempDir dir;
    test::WriteSound(dir.file("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, kRate, 1,
                     std::vector<float>(kRate / 2, 0.0005f));
    LocalFileSystem fs;
    const auto out = fs.createNew(dir.file("out.wav"));
    EXPECT_THROW(
        SoxrSampleConverter().convert(dir.file("in.wav"), Shaping(false, false, {}, -60.0), *out),
        FileError);
}

}  // namespace
}  // namespace quodlin
