// SPDX-License-Identifier: MIT
#include "widgets/svgpicture.h"

#include "widgets/accessibleroles.h"
#include "widgets/readablecolours.h"

#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>

#include <array>
#include <cmath>

namespace widgets {

namespace {

// The scales that cmake/pictures.cmake draws, smallest first.
constexpr std::array PictureScales{1.0, 1.25, 1.5, 2.0, 3.0};

QString pictureFile(const QString &name, qreal scale)
{
    return QStringLiteral(":/pictures/%1@%2x.png").arg(name).arg(scale);
}

// Read from the PNG's header once per application; empty when the picture is missing.
QSize naturalSizeOf(const QString &name)
{
    static QHash<QString, QSize> sizes;
    auto found = sizes.constFind(name);
    if (found == sizes.constEnd())
        found = sizes.insert(name, QImageReader(pictureFile(name, 1.0)).size());
    return *found;
}

} // namespace

SvgPicture::SvgPicture(const QString &name, QWidget *parent)
    : QWidget(parent), m_name(name), m_naturalSize(naturalSizeOf(name))
{
    // A picture takes no clicks; they belong to what lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    registerAccessibleRoles();
}

QColor SvgPicture::ground() const
{
    const QColor window = palette().color(backgroundRole());
    if (!m_ink.isValid() || contrastRatio(m_ink, window) >= ReadableContrast)
        return window;
    return QColor(242, 242, 242); // the light grey of the drawings' own highlights
}

void SvgPicture::paintEvent(QPaintEvent *)
{
    if (!isLoaded())
        return;
    QPainter painter(this);
    if (const QColor own = ground(); own != palette().color(backgroundRole()))
        painter.fillRect(rect(), own);
    // Device pixels per pixel of the drawing's own size: the screen's scale (or that of a
    // painter that renders the widget elsewhere) times the widget's size against it.
    const QTransform toDevice = painter.deviceTransform();
    const qreal deviceScale = std::max(std::hypot(toDevice.m11(), toDevice.m12()),
                                       std::hypot(toDevice.m21(), toDevice.m22()));
    const qreal needed = deviceScale * std::max(qreal(width()) / m_naturalSize.width(),
                                                qreal(height()) / m_naturalSize.height());
    qreal scale = PictureScales.back();
    for (qreal drawn : PictureScales)
        if (drawn >= needed - 0.001) {
            scale = drawn;
            break;
        }

    const QString file = pictureFile(m_name, scale);
    QPixmap pixmap;
    if (!QPixmapCache::find(file, &pixmap)) {
        pixmap = QPixmap(file);
        QPixmapCache::insert(file, pixmap);
    }
    // One to one at a drawn scale; otherwise scaled down from the next larger one. The PNG
    // ends on a whole pixel, the drawing may end inside the last one (442 x 1.25).
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(rect()), pixmap, QRectF(QPointF(), QSizeF(m_naturalSize) * scale));
}

QIcon pictureIcon(const QString &name)
{
    QIcon icon;
    for (qreal scale : PictureScales)
        icon.addFile(pictureFile(name, scale));
    return icon;
}

} // namespace widgets
