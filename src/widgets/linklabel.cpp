#include "widgets/linklabel.h"

#include "platform/links.h"
#include "widgets/accessibleroles.h"
#include "widgets/readablecolours.h"

#include <QMouseEvent>

namespace widgets {

LinkLabel::LinkLabel(const QString &text, const QUrl &link, QWidget *parent)
    : QLabel(text, parent), m_link(link)
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

} // namespace widgets
