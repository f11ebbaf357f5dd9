#include "ui/running/wav_player.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "ui/widgets/drawn_icons.h"

namespace quodlin {
namespace {

QToolButton* PlayerButton(QWidget* parent, const QIcon& picture, const QString& name,
                          const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(picture);
    button->setIconSize(QSize(12, 12));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

WavPlayer::WavPlayer(Player& player, QWidget* parent) : QWidget(parent), player_(player) {
    play_ = PlayerButton(this, PlayIcon(), "WavPlayerPlay", "Play");
    stop_ = PlayerButton(this, StopIcon(), "WavPlayerStop", "Stop");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(play_);
    row->addWidget(stop_);
    connect(play_, &QToolButton::clicked, this, [this] { player_.command("Play"); });
    connect(stop_, &QToolButton::clicked, this, [this] { player_.command("Stop"); });
}

}  // namespace quodlin
