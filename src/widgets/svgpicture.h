#pragma once

#include <QPointer>
#include <QSvgRenderer>
#include <QWidget>

// A picture drawn from an SVG resource at the widget's size. The vector drawing is painted at
// the screen's own resolution, so it stays sharp at any scale. A missing resource draws
// nothing; the widget keeps its place and size.
//
// Each resource is parsed once per application and drawn once per size and screen scale, the
// pixmap then reused from QPixmapCache: a main window is built anew on every start and language
// switch, and parsing and stroking the drawings cost more than all its other controls together.
// A printer or a rotated painter gets the vectors themselves.
class SvgPicture : public QWidget
{
    Q_OBJECT
public:
    SvgPicture(const QString &resource, QWidget *parent = nullptr);

    bool isLoaded() const { return m_renderer && m_renderer->isValid(); }
    QString resource() const { return m_resource; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_resource;
    QPointer<QSvgRenderer> m_renderer; // shared by every picture of the resource
};
