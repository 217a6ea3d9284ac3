// iconrender SVG PNG SIZE: draws the SVG picture into a SIZE x SIZE PNG with a transparent
// background. Used by the build for the installed icon sizes, so that no PNG is kept in the
// repository beside its SVG.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: iconrender SVG PNG SIZE\n");
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QString png = QString::fromLocal8Bit(argv[2]);
    bool sizeOk = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&sizeOk);
    if (!sizeOk || size < 1 || size > 4096) {
        std::fprintf(stderr, "iconrender: bad size %s\n", argv[3]);
        return 2;
    }

    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(png, "PNG")) {
        std::fprintf(stderr, "iconrender: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
