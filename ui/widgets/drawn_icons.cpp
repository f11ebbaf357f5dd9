#include "ui/widgets/drawn_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace quodlin {
namespace {

constexpr int kArrowSide = 32;
constexpr int kPlayerSide = 12;

template <typename Draw>
QIcon Drawn(int side, Draw draw) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    draw(painter);
    return QIcon(pixmap);
}

// Drawn pointing right; the left arrow is its mirror image.
QIcon Arrow(bool pointsRight) {
    return Drawn(kArrowSide, [pointsRight](QPainter& painter) {
        QPolygon arrow({{3, 12}, {17, 12}, {17, 5}, {29, 16}, {17, 27}, {17, 20}, {3, 20}});
        if (!pointsRight) {
            for (QPoint& point : arrow) point.setX(kArrowSide - 1 - point.x());
        }
        painter.drawPolygon(arrow);
    });
}

}  // namespace

QIcon RightArrowIcon() {
    return Arrow(true);
}

QIcon LeftArrowIcon() {
    return Arrow(false);
}

QIcon PlayIcon() {
    return Drawn(kPlayerSide, [](QPainter& painter) {
        painter.drawPolygon(QPolygon({{2, 1}, {11, 6}, {2, 11}}));
    });
}

QIcon StopIcon() {
    return Drawn(kPlayerSide, [](QPainter& painter) { painter.drawRect(2, 2, 8, 8); });
}

}  // namespace quodlin
