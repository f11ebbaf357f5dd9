#include "platform/player/playback_samples.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quodlin {

namespace {

// Channel c of frame f in the output's channel layout.
float MixedValue(const Sample& sample, std::size_t frame, int channel, int outChannels) {
    const float* in = sample.samples.data() + frame * sample.channels;
    if (outChannels == 1 && sample.channels > 1) {
        float sum = 0;
        for (int c = 0; c < sample.channels; ++c) sum += in[c];
        return sum / sample.channels;
    }
    return in[channel % sample.channels];
}

template <typename T>
void Store(char* out, T value) {
    std::memcpy(out, &value, sizeof value);
}

void Encode(float value, QAudioFormat::SampleFormat format, char* out) {
    const double v = std::clamp(static_cast<double>(value), -1.0, 1.0);
    switch (format) {
        case QAudioFormat::UInt8:
            Store(out, static_cast<std::uint8_t>(std::lround(v * 127.0) + 128));
            break;
        case QAudioFormat::Int16:
            Store(out, static_cast<std::int16_t>(std::lround(v * 32767.0)));
            break;
        case QAudioFormat::Int32:
            Store(out, static_cast<std::int32_t>(std::llround(v * 2147483647.0)));
            break;
        default:
            Store(out, static_cast<float>(v));
            break;
    }
}

}  // namespace

QByteArray ConvertSample(const Sample& sample, const QAudioFormat& format) {
    const std::size_t inFrames = sample.frames();
    const int outChannels = format.channelCount();
    const int bytes = format.bytesPerSample();
    if (inFrames == 0 || sample.rate <= 0 || outChannels <= 0 || format.sampleRate() <= 0 ||
        bytes <= 0) {
        return {};
    }

    const auto inRate = static_cast<std::size_t>(sample.rate);
    const auto outRate = static_cast<std::size_t>(format.sampleRate());
    const std::size_t outFrames = (inFrames * outRate + inRate - 1) / inRate;
    const double step = static_cast<double>(inRate) / outRate;
    QByteArray out(static_cast<qsizetype>(outFrames * outChannels * bytes), Qt::Uninitialized);
    char* at = out.data();
    for (std::size_t f = 0; f < outFrames; ++f) {
        const double position = f * step;
        const auto before = std::min(static_cast<std::size_t>(position), inFrames - 1);
        const std::size_t after = std::min(before + 1, inFrames - 1);
        const auto weight = static_cast<float>(position - before);
        for (int c = 0; c < outChannels; ++c, at += bytes) {
            const float a = MixedValue(sample, before, c, outChannels);
            const float b = MixedValue(sample, after, c, outChannels);
            Encode(a + (b - a) * weight, format.sampleFormat(), at);
        }
    }
    return out;
}

}  // namespace quodlin
