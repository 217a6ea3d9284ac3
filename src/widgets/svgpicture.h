// SPDX-License-Identifier: MIT
#pragma once

// The pictures of the windows, drawn from PNGs the build makes.

#include <QIcon>
#include <QSize>
#include <QWidget>

namespace widgets {

// A picture drawn from resources/NAME.svg. The build draws each SVG at the common screen
// scales (1, 1.25, 1.5, 2 and 3) into PNGs compiled into the program (cmake/pictures.cmake),
// so no start parses a drawing and the program needs no SVG renderer; the Windows build has
// none. A paint takes the smallest PNG that has at least the pixels the device needs, so the
// picture stays sharp at any scale. A missing picture draws nothing; the widget keeps its
// place and size.
class SvgPicture : public QWidget
{
    Q_OBJECT
public:
    explicit SvgPicture(const QString &name, QWidget *parent = nullptr);

    bool isLoaded() const { return !m_naturalSize.isEmpty(); }
    QString name() const { return m_name; }
    // The drawing's own size, at which the windows show it one to one.
    QSize naturalSize() const { return m_naturalSize; }

    // The colour of the lettering the drawing carries on a clear ground (a wordmark). Where
    // the background under the picture does not let it read, the picture brings a light
    // ground of its own.
    void setInk(const QColor &ink) { m_ink = ink; }
    QColor ink() const { return m_ink; }
    // The ground the picture is drawn on: the window's, or its own light one.
    QColor ground() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_name;
    QSize m_naturalSize;
    QColor m_ink;
};

// Every drawn scale of resources/NAME.svg as one icon: the application's window icon.
QIcon pictureIcon(const QString &name);

} // namespace widgets
