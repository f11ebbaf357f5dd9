#pragma once

#include <QImage>
#include <QPalette>

#include "platform/sample_overviews.h"

namespace quodlin {

// Draws a waveform in device pixels, one min/max line per device pixel column and its channels
// stacked, in the palette's colours. ratio is the screen's device pixel ratio: the image is
// that much larger than size and says so, so that a scaled screen shows it sharp.
QImage WaveImage(const WaveOverview& wave, QSize size, qreal ratio, const QPalette& palette);

}  // namespace quodlin
