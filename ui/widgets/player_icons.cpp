#include "ui/widgets/player_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace quodlin {
namespace {

constexpr int kSide = 12;

template <typename Draw>
QIcon Drawn(Draw draw) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    draw(painter);
    return QIcon(pixmap);
}

}  // namespace

QIcon PlayIcon() {
    return Drawn([](QPainter& painter) {
        painter.drawPolygon(QPolygon({{2, 1}, {11, 6}, {2, 11}}));
    });
}

QIcon StopIcon() {
    return Drawn([](QPainter& painter) { painter.drawRect(2, 2, 8, 8); });
}

}  // namespace quodlin
