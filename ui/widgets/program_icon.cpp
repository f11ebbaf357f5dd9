#include "ui/widgets/program_icon.h"

#include <QResource>

namespace quodlin {
namespace {

// The icon's premultiplied ARGB32 pixels at this size, as the build rendered them.
QPixmap IconPixmap(int size) {
    const QResource resource(QStringLiteral(":/icons/%1.argb").arg(size));
    const QByteArray pixels = resource.uncompressedData();
    if (pixels.size() != qsizetype{size} * size * 4) return {};
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), size, size,
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image.copy());
}

}  // namespace

QPixmap ProgramPixmap() {
    return IconPixmap(32);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) icon.addPixmap(IconPixmap(size));
    return icon;
}

}  // namespace quodlin
