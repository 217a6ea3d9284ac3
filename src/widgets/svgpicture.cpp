#include "widgets/svgpicture.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>

namespace {

// The parsed drawing of a resource, made on first use and kept until the application goes.
QSvgRenderer *SharedRenderer(const QString &resource)
{
    static QHash<QString, QPointer<QSvgRenderer>> renderers;
    QPointer<QSvgRenderer> &renderer = renderers[resource];
    if (!renderer && QFile::exists(resource))
        renderer = new QSvgRenderer(resource, QCoreApplication::instance());
    return renderer;
}

} // namespace

SvgPicture::SvgPicture(const QString &resource, QWidget *parent)
    : QWidget(parent), m_resource(resource), m_renderer(SharedRenderer(resource))
{
    // A picture takes no clicks; they belong to what lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SvgPicture::paintEvent(QPaintEvent *)
{
    if (!isLoaded())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF place(rect());

    // The scale from the widget to device pixels: the screen's, or that of a painter that
    // renders the widget elsewhere. Only an even scale onto pixels can use a pixmap.
    const QTransform toDevice = painter.deviceTransform();
    const qreal scale = toDevice.m11();
    const bool pixels = painter.paintEngine()->type() == QPaintEngine::Raster &&
                        toDevice.type() <= QTransform::TxScale && scale > 0 &&
                        qFuzzyCompare(scale, toDevice.m22());
    if (!pixels) {
        m_renderer->render(&painter, place);
        return;
    }

    const QString key = QStringLiteral("SvgPicture %1 %2x%3 %4")
                            .arg(m_resource)
                            .arg(width())
                            .arg(height())
                            .arg(scale);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap((place.size() * scale).toSize());
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter drawing(&pixmap);
        drawing.setRenderHint(QPainter::Antialiasing);
        m_renderer->render(&drawing, place);
        drawing.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter.drawPixmap(place, pixmap, QRectF(pixmap.rect()));
}
