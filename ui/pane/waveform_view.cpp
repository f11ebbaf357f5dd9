#include "ui/pane/waveform_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quodlin {

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
    setObjectName("picWaveform");
    setAccessibleName(QStringLiteral("Waveform"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click to play from there"));
}

void WaveformView::setWave(const WaveOverview& wave, double seconds) {
    wave_ = wave;
    seconds_ = seconds;
    text_.clear();
    cursor_ = -1.0;
    update();
}

void WaveformView::setText(const QString& text) {
    wave_ = {};
    seconds_ = 0.0;
    text_ = text;
    cursor_ = -1.0;
    update();
}

void WaveformView::setCursorAt(double seconds) {
    if (seconds == cursor_) return;
    cursor_ = seconds;
    update();
}

void WaveformView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (wave_.columns <= 0 || wave_.channels <= 0) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextWordWrap, text_);
        return;
    }
    const int laneHeight = height() / wave_.channels;
    for (int channel = 0; channel < wave_.channels; ++channel) {
        drawChannel(painter, channel, QRect(0, channel * laneHeight, width(), laneHeight));
    }
    if (cursor_ >= 0.0 && seconds_ > 0.0) {
        const int x = static_cast<int>(std::lround(cursor_ / seconds_ * width()));
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawLine(x, 0, x, height());
    }
}

// Each pixel shows the column it falls on; a short sample's columns are several pixels wide.
void WaveformView::drawChannel(QPainter& painter, int channel, const QRect& lane) const {
    const double middle = lane.top() + lane.height() / 2.0;
    const double half = lane.height() / 2.0 - 1.0;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(lane.left(), static_cast<int>(middle), lane.right(), static_cast<int>(middle));
    painter.setPen(palette().color(QPalette::Text));
    for (int x = 0; x < lane.width(); ++x) {
        const int column = std::min(wave_.columns - 1, x * wave_.columns / lane.width());
        const Peak& peak = wave_.at(channel, column);
        const auto top =
            static_cast<int>(std::lround(middle - std::clamp(peak.high, -1.f, 1.f) * half));
        const auto bottom =
            static_cast<int>(std::lround(middle - std::clamp(peak.low, -1.f, 1.f) * half));
        painter.drawLine(x, top, x, bottom);
    }
}

void WaveformView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || seconds_ <= 0.0 || width() <= 0) return;
    const double at = std::clamp(event->position().x() / width(), 0.0, 1.0) * seconds_;
    emit playFromWanted(at);
}

}  // namespace quodlin
