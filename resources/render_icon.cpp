// Renders the program's SVG icon to a square picture, for the icon theme's fixed sizes: a PNG, or
// for a name ending in ".argb" the bare premultiplied ARGB32 pixels, row by row, which the window
// takes as they are without starting an image reader.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path) {
    if (!path.endsWith(QStringLiteral(".argb"))) return image.save(path, "PNG");
    QFile file(path);
    const auto bytes = static_cast<qint64>(image.sizeInBytes());
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(image.constBits()), bytes) == bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: render_icon SVG SIZE OUT\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[2]).toInt();
    if (!renderer.isValid() || size <= 0) {
        std::fprintf(stderr, "render_icon: cannot render %s at %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!Save(image, QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
