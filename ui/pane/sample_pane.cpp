#include "ui/pane/sample_pane.h"

#include <QTimer>
#include <QVBoxLayout>

#include "core/samples/sample_pane_text.h"
#include "ui/pane/overview_cache.h"
#include "ui/pane/waveform_view.h"
#include "ui/widgets/elided_label.h"

namespace quodlin {
namespace {

constexpr int kCursorIntervalMs = 40;
const char* const kNoSample = "Select a sample to see it here.";

}  // namespace

SamplePane::SamplePane(SampleOverviews* overviews, FileSystem& fs, Player& player, QWidget* parent)
    : QFrame(parent),
      player_(player),
      wave_(new WaveformView(this)),
      format_(new ElidedLabel(this)),
      size_(new ElidedLabel(this)),
      cursorTimer_(new QTimer(this)) {
    setObjectName("fraSample");
    setAccessibleName(QStringLiteral("Sample"));
    setFrameShape(QFrame::StyledPanel);
    format_->setObjectName("lblSampleFormat");
    size_->setObjectName("lblSampleSize");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 3);
    layout->setSpacing(1);
    layout->addWidget(wave_, 1);
    layout->addWidget(format_);
    layout->addWidget(size_);
    if (overviews != nullptr) {
        cache_ = new OverviewCache(*overviews, fs, this);
        connect(cache_, &OverviewCache::overviewKnown, this, &SamplePane::overviewKnown);
    }
    connect(wave_, &WaveformView::playFromWanted, this, [this](double seconds) {
        if (!path_.empty()) emit playFromWanted(seconds);
    });
    cursorTimer_->setInterval(kCursorIntervalMs);
    connect(cursorTimer_, &QTimer::timeout, this, &SamplePane::followPlayer);
    showNothing();
}

void SamplePane::showSample(const std::string& path, bool onCard) {
    if (path == path_ && onCard == onCard_) return;
    path_ = path;
    onCard_ = onCard;
    known_ = false;
    cursorTimer_->stop();
    wave_->setText(cache_ != nullptr ? QStringLiteral("Reading…") : QString());
    showTexts();
    requestOverview();
}

void SamplePane::showNothing() {
    path_.clear();
    known_ = false;
    cursorTimer_->stop();
    wave_->setText(QString::fromUtf8(kNoSample));
    showTexts();
}

void SamplePane::setShaping(const SampleShaping& shaping) {
    shaping_ = shaping;
    showTexts();
}

void SamplePane::playing(const std::string& path) {
    playingPath_ = path;
    if (path != path_ || !player_.isPlaying()) return;
    cursorTimer_->start();
    followPlayer();
}

void SamplePane::followPlayer() {
    if (!player_.isPlaying()) {
        cursorTimer_->stop();
        wave_->setCursorAt(-1.0);
        return;
    }
    wave_->setCursorAt(player_.position());
}

// A new width asks for the waveform again, one column per pixel.
void SamplePane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (!path_.empty() && wave_->width() != requestedColumns_) requestOverview();
}

void SamplePane::requestOverview() {
    if (cache_ == nullptr || path_.empty() || wave_->width() <= 0) return;
    requestedColumns_ = wave_->width();
    cache_->request(path_, requestedColumns_);
}

void SamplePane::overviewKnown(const QString& path, const SampleOverview& overview) {
    if (path.toStdString() != path_) return;
    known_ = true;
    knownFormat_ = overview.format;
    if (overview.wave.columns > 0 && overview.problem.empty()) {
        wave_->setWave(overview.wave, overview.format.seconds());
    } else {
        wave_->setText(QString::fromStdString(overview.problem));
    }
    showTexts();
    playing(playingPath_);
}

void SamplePane::showTexts() {
    if (path_.empty() || !known_) {
        format_->setFullText(QString());
        size_->setFullText(QString());
        return;
    }
    format_->setFullText(QString::fromStdString(PaneFormatLine(knownFormat_)));
    size_->setFullText(QString::fromStdString(PaneSizeLine(knownFormat_, shaping_, onCard_)));
}

}  // namespace quodlin
