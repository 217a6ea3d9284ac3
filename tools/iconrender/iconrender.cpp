// SPDX-License-Identifier: MIT
// A build tool: draws an SVG picture into PNG or ICO files, so that the program needs no SVG
// renderer at run time and no PNG is kept in the repository beside its SVG.
//
//   iconrender SVG PNG SIZE     a SIZE x SIZE PNG (the desktops' icon sizes)
//   iconrender SVG PNG @SCALE   the picture's own size times SCALE (1.25, 2 ...)
//   iconrender SVG ICO          a Windows icon with the sizes Explorer and the taskbar use
//
// Backgrounds stay transparent.

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtMath>

#include <cstdio>

namespace {

// The drawing at the given size in pixels, on whole pixels that hold all of it.
QImage Drawn(QSvgRenderer &renderer, QSizeF size)
{
    QImage image(qCeil(size.width()), qCeil(size.height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(), size));
    painter.end();
    return image;
}

template <typename T>
void Append(QByteArray &bytes, T value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// An ICO file whose images are stored as PNG, which Windows reads since Vista.
QByteArray IcoFile(QSvgRenderer &renderer)
{
    const QList<int> sizes{16, 20, 24, 32, 40, 48, 64, 256};
    QList<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        Drawn(renderer, QSizeF(size, size)).save(&buffer, "PNG");
        images.append(png);
    }
    QByteArray ico;
    Append<quint16>(ico, 0);
    Append<quint16>(ico, 1); // an icon, not a cursor
    Append<quint16>(ico, quint16(sizes.size()));
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]); // 0 means 256
        ico.append(char(side)).append(char(side)).append(char(0)).append(char(0));
        Append<quint16>(ico, 1);  // colour planes
        Append<quint16>(ico, 32); // bits per pixel
        Append<quint32>(ico, quint32(images[i].size()));
        Append<quint32>(ico, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        ico.append(image);
    return ico;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: iconrender SVG PNG SIZE|@SCALE, or iconrender SVG ICO\n");
        return 2;
    }
    // Pictures with text need the font database, which lives in a GUI application; the
    // offscreen platform needs no display, and a runtime folder of its own keeps it quiet on
    // build machines without a login session.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QGuiApplication application(argc, argv);
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", argv[1]);
        return 1;
    }

    if (argc == 3) {
        QFile ico(target);
        const QByteArray bytes = IcoFile(renderer);
        if (!ico.open(QIODevice::WriteOnly) || ico.write(bytes) != bytes.size() || !ico.flush()) {
            std::fprintf(stderr, "iconrender: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }

    const QString sizeText = QString::fromLocal8Bit(argv[3]);
    QSizeF size;
    bool numberOk = false;
    if (sizeText.startsWith(QLatin1Char('@'))) {
        // Exactly the scaled size, also where it ends inside a pixel (442 x 1.25), so that a
        // widget of the drawing's own size maps onto it pixel for pixel.
        const double scale = sizeText.mid(1).toDouble(&numberOk);
        if (numberOk && scale > 0 && scale <= 8)
            size = QSizeF(renderer.defaultSize()) * scale;
    } else {
        const int side = sizeText.toInt(&numberOk);
        if (numberOk && side >= 1 && side <= 4096)
            size = QSizeF(side, side);
    }
    if (size.isEmpty()) {
        std::fprintf(stderr, "iconrender: bad size %s\n", argv[3]);
        return 2;
    }
    if (!Drawn(renderer, size).save(target, "PNG")) {
        std::fprintf(stderr, "iconrender: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
