// SPDX-License-Identifier: MIT
#include "widgets/linklabel.h"

#include "platform/links.h"
#include "widgets/accessibleroles.h"
#include "widgets/readablecolours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace widgets {

FocusLabel::FocusLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    // Tab only: a click on a link must not take the focus from a field, which would compute.
    setFocusPolicy(Qt::TabFocus);
}

void FocusLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LinkLabel::LinkLabel(const QString &text, const QUrl &link, QWidget *parent)
    : FocusLabel(text, parent), m_link(link)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setTextColour(this, QColor(0, 0, 255));
    setCursor(Qt::PointingHandCursor);
    setToolTip(link.toString());
    registerAccessibleRoles();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        platform::openLink(m_link);
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        event->accept();
        platform::openLink(m_link);
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace widgets
