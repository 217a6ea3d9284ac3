#include "widgets/formgrowth.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {

int grown(int pixels, double factor)
{
    return int(std::lround(pixels * factor));
}

void growChildren(QWidget *parent, double factor)
{
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const QRect place = child->geometry();
        const int left = grown(place.x(), factor);
        const int top = grown(place.y(), factor);
        const QRect bigger(left, top, grown(place.x() + place.width(), factor) - left,
                           grown(place.y() + place.height(), factor) - top);
        if (child->minimumSize() == child->maximumSize())
            child->setFixedSize(bigger.size());
        child->setGeometry(bigger);
        growChildren(child, factor);
    }
}

} // namespace

double fontGrowth(const QFont &font)
{
    const double points = font.pointSizeF();
    if (points <= 0)
        return 1; // a font in pixels: a scale of its own, not a desktop setting
    return std::clamp(points / DesignPointSize, 1.0, LargestGrowth);
}

void growWithFont(QWidget *form)
{
    const double factor = fontGrowth(form->font());
    if (factor == 1)
        return;
    if (form->font().pointSizeF() > DesignPointSize * LargestGrowth) {
        QFont largest = form->font();
        largest.setPointSizeF(DesignPointSize * LargestGrowth);
        form->setFont(largest);
    }
    if (form->minimumSize() == form->maximumSize())
        form->setFixedSize(grown(form->width(), factor), grown(form->height(), factor));
    growChildren(form, factor);
}

void tellIfLargerThanScreen(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize room = screen->availableGeometry().size();
    const QSize needed = window->frameGeometry().size();
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return;
    qWarning("The screen (%d x %d) is too small to show the window \"%s\" (%d x %d) whole at this "
             "font size; a smaller desktop font shows it all.",
             room.width(), room.height(), qPrintable(window->windowTitle()), needed.width(),
             needed.height());
}

} // namespace widgets
