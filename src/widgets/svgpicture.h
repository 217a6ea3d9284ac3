#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture drawn from an SVG resource at the widget's size. The vector drawing is painted at
// the screen's own resolution, so it stays sharp at any scale. A missing resource draws
// nothing; the widget keeps its place and size.
class SvgPicture : public QWidget
{
    Q_OBJECT
public:
    SvgPicture(const QString &resource, QWidget *parent = nullptr);

    bool isLoaded() const { return m_renderer.isValid(); }
    QString resource() const { return m_resource; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_resource;
    QSvgRenderer m_renderer;
};
