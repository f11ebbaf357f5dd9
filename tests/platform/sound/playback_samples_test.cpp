#include "platform/player/playback_samples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace quodlin::test {
namespace {

QAudioFormat Format(QAudioFormat::SampleFormat sampleFormat, int channels) {
    QAudioFormat format;
    format.setSampleFormat(sampleFormat);
    format.setSampleRate(8000);
    format.setChannelCount(channels);
    return format;
}

template <typename T>
std::vector<T> Values(const Sample& sample, QAudioFormat::SampleFormat format, int channels) {
    const QByteArray bytes = ConvertSample(sample, Format(format, channels));
    std::vector<T> values(bytes.size() / sizeof(T));
    std::memcpy(values.data(), bytes.constData(), values.size() * sizeof(T));
    return values;
}

// The sound server picks the device's format; the real-sound test hears only one of them.
TEST(SampleConversion, MixesDownSpreadsOutScalesAndClips) {
    const Sample stereo{{0.5f, 0.25f, -0.5f, -1.0f, 0.0f, 0.75f}, 8000, 2};
    EXPECT_EQ(Values<float>(stereo, QAudioFormat::Float, 1),
              (std::vector<float>{0.375f, -0.75f, 0.375f}));
    const Sample mono{{0.0f, 1.0f, -1.0f, 1.5f}, 8000, 1};
    EXPECT_EQ(Values<std::int16_t>(mono, QAudioFormat::Int16, 2),
              (std::vector<std::int16_t>{0, 0, 32767, 32767, -32767, -32767, 32767, 32767}));
    EXPECT_EQ(Values<std::uint8_t>(mono, QAudioFormat::UInt8, 1),
              (std::vector<std::uint8_t>{128, 255, 1, 255}));
    EXPECT_EQ(Values<std::int32_t>(mono, QAudioFormat::Int32, 1),
              (std::vector<std::int32_t>{0, 2147483647, -2147483647, 2147483647}));
}

}  // namespace
}  // namespace quodlin::test
