#include "widgets/svgpicture.h"

#include <QFile>
#include <QPainter>

SvgPicture::SvgPicture(const QString &resource, QWidget *parent)
    : QWidget(parent), m_resource(resource)
{
    // A picture takes no clicks; they belong to what lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (QFile::exists(resource))
        m_renderer.load(resource);
}

void SvgPicture::paintEvent(QPaintEvent *)
{
    if (!m_renderer.isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(rect()));
}
