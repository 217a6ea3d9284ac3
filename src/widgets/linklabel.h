// SPDX-License-Identifier: MIT
#pragma once

// Labels that take the keyboard focus: a line to be read, and a web or mail link.

#include <QLabel>
#include <QUrl>

namespace widgets {

// A label that Tab reaches, drawn with a dotted frame in its text colour while it has the
// focus, so the frame reads wherever the text does, under any style.
class FocusLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FocusLabel(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A contact label: blue, underlined, hand pointer; a left click, Enter or Space hands its link
// to the desktop.
class LinkLabel : public FocusLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, const QUrl &link, QWidget *parent = nullptr);

    QUrl link() const { return m_link; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QUrl m_link;
};

} // namespace widgets
