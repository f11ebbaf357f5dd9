#include "ui/widgets/drawn_icons.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygon>

namespace quodlin {
namespace {

constexpr int kArrowSide = 32;
constexpr int kPlayerSide = 12;
constexpr int kMarkSide = 16;
// Wide enough to show once the picture is scaled to its button.
constexpr qreal kArrowEdge = 2.0;
constexpr qreal kPlayerEdge = 1.0;

// How a picture is coloured: its fill, and an edge of that width around it.
struct Ink {
    QColor fill;
    qreal edge = 0.0;
};

// A light edge keeps the black picture visible on a dark button; on a light one it disappears.
const QColor kEdge(255, 255, 255, 200);

template <typename Draw>
QPixmap DrawnAt(int side, Ink ink, int scale, Draw draw) {
    QPixmap pixmap(side * scale, side * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    if (ink.edge > 0.0) {
        painter.setPen(QPen(kEdge, ink.edge, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(ink.fill);
    draw(painter);
    return pixmap;
}

// Also drawn twice as large, for screens scaled by two.
template <typename Draw>
void AddDrawn(QIcon& icon, QIcon::Mode mode, int side, Ink ink, Draw draw) {
    for (const int scale : {1, 2}) icon.addPixmap(DrawnAt(side, ink, scale, draw), mode);
}

template <typename Draw>
QIcon Drawn(int side, qreal edge, Draw draw) {
    QIcon icon;
    AddDrawn(icon, QIcon::Normal, side, {Qt::black, edge}, draw);
    return icon;
}

// The play triangle, drawn for the player's square and scaled to the given side.
auto Triangle(int side) {
    return [side](QPainter& painter) {
        painter.scale(side / double(kPlayerSide), side / double(kPlayerSide));
        painter.drawPolygon(QPolygon({{2, 1}, {11, 6}, {2, 11}}));
    };
}

// Drawn pointing right; the left arrow is its mirror image.
QIcon Arrow(bool pointsRight) {
    return Drawn(kArrowSide, kArrowEdge, [pointsRight](QPainter& painter) {
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
    return Drawn(kPlayerSide, kPlayerEdge, Triangle(kPlayerSide));
}

QIcon StopIcon() {
    return Drawn(kPlayerSide, kPlayerEdge, [](QPainter& painter) { painter.drawRect(2, 2, 8, 8); });
}

QIcon PlayMarkIcon(const QPalette& palette) {
    QIcon icon;
    AddDrawn(icon, QIcon::Normal, kMarkSide, {palette.color(QPalette::Highlight)},
             Triangle(kMarkSide));
    AddDrawn(icon, QIcon::Selected, kMarkSide, {palette.color(QPalette::HighlightedText)},
             Triangle(kMarkSide));
    return icon;
}

}  // namespace quodlin
