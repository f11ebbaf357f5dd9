#pragma once

#include <QWidget>

#include "platform/player.h"

class QToolButton;

namespace quodlin {

// Offers Play and Stop on the samples page for the sample the player holds.
class WavPlayer : public QWidget {
    Q_OBJECT
public:
    WavPlayer(Player& player, QWidget* parent);

    Player& player() { return player_; }
    QToolButton* playButton() const { return play_; }
    QToolButton* stopButton() const { return stop_; }

private:
    Player& player_;
    QToolButton* play_;
    QToolButton* stop_;
};

}  // namespace quodlin
