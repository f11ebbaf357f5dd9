#include "platform/player/playback_samples.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/audio/resampler.h"

namespace quodlin {

namespace {

constexpr std::size_t kBlockFrames = 1 << 15;

// Channel c of frame f in the output's channel layout.
float MixedValue(const float* frame, int channels, int channel, int outChannels) {
    if (outChannels == 1 && channels > 1) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) sum += frame[c];
        return sum / static_cast<float>(channels);
    }
    return frame[channel % channels];
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

    // Block by block, so that a long sample is not held a second time at the device's rate.
    const auto width = static_cast<std::size_t>(sample.channels);
    const qsizetype frameBytes = qsizetype{outChannels} * bytes;
    QByteArray out;
    const double outFrames = static_cast<double>(inFrames) * format.sampleRate() / sample.rate;
    out.reserve((static_cast<qsizetype>(outFrames) + 64) * frameBytes);
    const auto encode = [&](const std::vector<float>& values) {
        const std::size_t frames = values.size() / width;
        qsizetype at = out.size();
        out.resize(at + static_cast<qsizetype>(frames) * frameBytes);
        for (std::size_t f = 0; f < frames; ++f) {
            for (int c = 0; c < outChannels; ++c, at += bytes) {
                const float value =
                    MixedValue(values.data() + f * width, sample.channels, c, outChannels);
                Encode(value, format.sampleFormat(), out.data() + at);
            }
        }
    };
    Resampler resampler(sample.rate, format.sampleRate(), sample.channels, "");
    for (std::size_t done = 0; done < inFrames; done += kBlockFrames) {
        const std::size_t frames = std::min(kBlockFrames, inFrames - done);
        encode(resampler.process(sample.samples.data() + done * width, frames));
    }
    encode(resampler.process(nullptr, 0));
    return out;
}

}  // namespace quodlin
