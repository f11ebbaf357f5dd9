#include "platform/player/sample_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "tests/sound/test_sounds.h"
#include "tests/sound/tone_analysis.h"

namespace quodlin::test {
namespace {

QAudioFormat Format(QAudioFormat::SampleFormat sampleFormat, int rate, int channels) {
    QAudioFormat format;
    format.setSampleFormat(sampleFormat);
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    return format;
}

template <typename T>
std::vector<T> Values(const QByteArray& bytes) {
    std::vector<T> values(bytes.size() / sizeof(T));
    std::memcpy(values.data(), bytes.constData(), values.size() * sizeof(T));
    return values;
}

Sample Sine(int rate, int frames) {
    Sample sample{{}, rate, 1};
    for (int f = 0; f < frames; ++f) {
        sample.samples.push_back(
            float(kToneAmplitude * std::sin(2 * std::numbers::pi * 440 * f / rate)));
    }
    return sample;
}

TEST(SampleConversion, ResamplesAndSpreadsMonoOverStereo) {
    const Sample sample = Sine(22050, 22050);

    const QByteArray bytes = ConvertSample(sample, Format(QAudioFormat::Int16, 48000, 2));

    const std::vector<std::int16_t> values = Values<std::int16_t>(bytes);
    ASSERT_EQ(values.size(), 2u * 48000);
    std::vector<float> left;
    for (std::size_t i = 0; i < values.size(); i += 2) {
        EXPECT_EQ(values[i], values[i + 1]);
        left.push_back(values[i] / 32767.0f);
    }
    EXPECT_NEAR(ZeroCrossingFrequency(left, 48000), 440, 0.5);
    EXPECT_NEAR(Rms(left), kToneAmplitude / std::sqrt(2.0), 0.01);
}

TEST(SampleConversion, MixesStereoDownToMonoAtTheSameRate) {
    const Sample sample{{0.6f, 0.2f, -0.4f, -1.0f, 0.0f, 0.5f}, 8000, 2};

    const QByteArray bytes = ConvertSample(sample, Format(QAudioFormat::Float, 8000, 1));

    const std::vector<float> values = Values<float>(bytes);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_FLOAT_EQ(values[0], 0.4f);
    EXPECT_FLOAT_EQ(values[1], -0.7f);
    EXPECT_FLOAT_EQ(values[2], 0.25f);
}

TEST(SampleConversion, ScalesAndClipsToIntegerFormats) {
    const Sample sample{{0.0f, 1.0f, -1.0f, 1.5f}, 8000, 1};

    EXPECT_EQ(Values<std::uint8_t>(ConvertSample(sample, Format(QAudioFormat::UInt8, 8000, 1))),
              (std::vector<std::uint8_t>{128, 255, 1, 255}));
    EXPECT_EQ(Values<std::int32_t>(ConvertSample(sample, Format(QAudioFormat::Int32, 8000, 1))),
              (std::vector<std::int32_t>{0, 2147483647, -2147483647, 2147483647}));
}

}  // namespace
}  // namespace quodlin::test
