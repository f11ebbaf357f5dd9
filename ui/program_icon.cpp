#include "ui/program_icon.h"

#include <QPainter>
#include <QPolygon>

namespace quodlin {

QPixmap ProgramPixmap() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // The card's outline with its cut corner, dark grey with a black edge.
    painter.setPen(Qt::black);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    painter.drawPolygon(QPolygon({{4, 2}, {22, 2}, {28, 8}, {28, 29}, {4, 29}}));
    // The gold contact field.
    painter.setBrush(QColor(0xFF, 0xFF, 0x00));
    painter.drawRect(8, 7, 12, 15);
    painter.setPen(QColor(0x80, 0x80, 0x00));
    for (int y = 10; y < 22; y += 4) painter.drawLine(9, y, 19, y);
    // A note for the sampler.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(20, 22, 5, 4);
    painter.fillRect(24, 13, 1, 11, Qt::white);
    return pixmap;
}

QIcon ProgramIcon() {
    return QIcon(ProgramPixmap());
}

}  // namespace quodlin
