#include "ui/pane/wave_image.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quodlin {
namespace {

// Each device pixel shows the column it falls on; a short sample's columns are several wide.
void DrawChannel(QPainter& painter, const WaveOverview& wave, int channel, const QRect& lane,
                 const QPalette& palette) {
    // Silence lies on the middle line itself, not on a second line beside it.
    const int middle = lane.top() + lane.height() / 2;
    const double half = lane.height() / 2.0 - 1.0;
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(lane.left(), middle, lane.right(), middle);
    // A loud sample's peaks fill most of its lane: in the text colour that was a black block on
    // a light palette. The highlight colour reads against the background in light and dark.
    painter.setPen(palette.color(QPalette::Highlight));
    for (int x = 0; x < lane.width(); ++x) {
        const int column = std::min(wave.columns - 1, x * wave.columns / lane.width());
        const Peak& peak = wave.at(channel, column);
        const auto top =
            static_cast<int>(std::lround(middle - std::clamp(peak.high, -1.f, 1.f) * half));
        const auto bottom =
            static_cast<int>(std::lround(middle - std::clamp(peak.low, -1.f, 1.f) * half));
        painter.drawLine(x, top, x, bottom);
    }
}

}  // namespace

QImage WaveImage(const WaveOverview& wave, QSize size, qreal ratio, const QPalette& palette) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(palette.color(QPalette::Base));
    if (wave.columns > 0 && wave.channels > 0 && !image.isNull()) {
        QPainter painter(&image);
        const int laneHeight = image.height() / wave.channels;
        for (int channel = 0; channel < wave.channels; ++channel) {
            const QRect lane(0, channel * laneHeight, image.width(), laneHeight);
            DrawChannel(painter, wave, channel, lane, palette);
        }
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace quodlin
