#pragma once

#include <QFrame>
#include <QString>
#include <string>

#include "platform/player.h"
#include "platform/sample_overviews.h"
#include "platform/sample_shaping.h"

class QTimer;

namespace quodlin {

class ElidedLabel;
class OverviewCache;
class WaveformView;

// Shows under the lists the sample selected on either side: its waveform, its format, whether
// it is ready for the instrument, its length and its size on the card. While it plays, a cursor
// follows the sound.
class SamplePane : public QFrame {
    Q_OBJECT
public:
    // overviews may be none, in a build without sound: the pane then shows no sample.
    SamplePane(SampleOverviews* overviews, FileSystem& fs, Player& player, QWidget* parent);

    // onCard: the sample is on the card, so its size there is its own.
    void showSample(const std::string& path, bool onCard);
    void showNothing();
    // Sets the shaping a copy would use now; the size shown follows it.
    void setShaping(const SampleShaping& shaping);
    // The player has just started path; the cursor follows it while the pane shows it.
    void playing(const std::string& path);

    const std::string& path() const { return path_; }
    WaveformView* waveform() const { return wave_; }

signals:
    // The waveform was clicked, to play the pane's sample from there.
    void playFromWanted(double seconds);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void requestOverview();
    void overviewKnown(const QString& path, const SampleOverview& overview);
    void showTexts();
    void followPlayer();

    Player& player_;
    OverviewCache* cache_ = nullptr;
    WaveformView* wave_;
    ElidedLabel* format_;
    ElidedLabel* size_;
    QTimer* cursorTimer_;
    std::string path_;
    std::string playingPath_;
    bool onCard_ = false;
    bool known_ = false;
    SampleFormat knownFormat_;
    SampleShaping shaping_;
    int requestedColumns_ = 0;
};

}  // namespace quodlin
