#pragma once

#include <QString>
#include <QWidget>

#include "platform/sample_overviews.h"

namespace quodlin {

// Shows a sample's waveform, one min/max column per device pixel and its channels stacked, with
// a cursor where the sound is while it plays. A click asks to play from there. With no waveform
// it shows why in its place.
class WaveformView : public QWidget {
    Q_OBJECT
public:
    explicit WaveformView(QWidget* parent);

    void setWave(const WaveOverview& wave, double seconds);
    // Shows text instead of a waveform: "Reading…", or why there is none.
    void setText(const QString& text);
    // Seconds into the sample; below 0 for none.
    void setCursorAt(double seconds);

signals:
    void playFromWanted(double seconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    WaveOverview wave_;
    double seconds_ = 0.0;
    QString text_;
    double cursor_ = -1.0;
};

}  // namespace quodlin
