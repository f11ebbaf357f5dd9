#include "ui/widgets/arrow_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace quodlin {
namespace {

constexpr int kSide = 32;

// Drawn pointing right; the left arrow is its mirror image.
QPixmap ArrowPixmap(bool pointsRight) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    QPolygon arrow({{3, 12}, {17, 12}, {17, 5}, {29, 16}, {17, 27}, {17, 20}, {3, 20}});
    if (!pointsRight) {
        for (QPoint& point : arrow) point.setX(kSide - 1 - point.x());
    }
    painter.drawPolygon(arrow);
    return pixmap;
}

}  // namespace

QIcon RightArrowIcon() {
    return QIcon(ArrowPixmap(true));
}
QIcon LeftArrowIcon() {
    return QIcon(ArrowPixmap(false));
}

}  // namespace quodlin
