#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/player.h"

class QListWidget;
class QTimer;

namespace quodlin {

class ElidedLabel;

// Shows which sample plays: a play mark on its row and "Playing 'Kick' (0.50 s)" in the status
// bar, both gone once the player has stopped, however it was stopped.
class PlayMark : public QObject {
public:
    PlayMark(Player& player, ElidedLabel* status, QObject* parent);

    void playing(QListWidget* list, int row, const QString& name, double seconds);

private:
    void check();
    void clear();

    Player& player_;
    ElidedLabel* status_;
    QTimer* timer_;
    QPointer<QListWidget> list_;
    int row_ = -1;
    QString rowText_;
    QIcon rowIcon_;
    QString statusText_;
};

}  // namespace quodlin
