#include "ui/widgets/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace quodlin {
namespace {

QPixmap RenderIcon(int size) {
    QSvgRenderer renderer(QStringLiteral(":/icons/org.quodlin.Quodlin.svg"));
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

}  // namespace

QPixmap ProgramPixmap() {
    return RenderIcon(32);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) icon.addPixmap(RenderIcon(size));
    return icon;
}

}  // namespace quodlin
