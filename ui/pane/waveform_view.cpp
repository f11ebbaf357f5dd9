#include "ui/pane/waveform_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/pane/wave_image.h"

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
    if (wave_.columns <= 0 || wave_.channels <= 0) {
        painter.fillRect(rect(), palette().base());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextWordWrap, text_);
        return;
    }
    painter.drawImage(QPoint(0, 0), WaveImage(wave_, size(), devicePixelRatioF(), palette()));
    if (cursor_ >= 0.0 && seconds_ > 0.0) {
        // The text colour stands out against the background and against the wave alike.
        const int x = static_cast<int>(std::lround(cursor_ / seconds_ * width()));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawLine(x, 0, x, height());
    }
}

void WaveformView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || seconds_ <= 0.0 || width() <= 0) return;
    const double at = std::clamp(event->position().x() / width(), 0.0, 1.0) * seconds_;
    emit playFromWanted(at);
}

}  // namespace quodlin
