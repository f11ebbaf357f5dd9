#pragma once

#include <QAudioFormat>
#include <QByteArray>

#include "platform/player/sample_decoder.h"

namespace quodlin {

// Converts the sample to raw audio in the given format: channels mixed down to mono or spread out
// by repeating, the rate changed by the converter's resampler, values scaled to the sample format.
QByteArray ConvertSample(const Sample& sample, const QAudioFormat& format);

}  // namespace quodlin
