// SPDX-License-Identifier: MIT
#include "widgets/formgrowth.h"

#include "widgets/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

// Each widget keeps the place it was drawn at, so that a new font grows it from there again.
constexpr char DesignPlace[] = "designPlace";
constexpr char GaveFont[] = "grownFormFont"; // the form's font is the growth's, not inherited
constexpr char Grown[] = "grownForm";        // its widgets have left their design places
const QString NoticeName = u"screenNotice"_s;

int grown(int pixels, double factor)
{
    return int(std::lround(pixels * factor));
}

QRect designPlace(QWidget *widget)
{
    QVariant place = widget->property(DesignPlace);
    if (!place.isValid()) {
        place = widget->geometry();
        widget->setProperty(DesignPlace, place);
    }
    return place.toRect();
}

void growChildren(QWidget *parent, double factor)
{
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const QRect place = designPlace(child);
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

const QScreen *screenOf(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The menu bar of a main window, which stands over the form and does not grow with it.
QSize partsBesideForm(const QWidget *form)
{
    const auto *main = qobject_cast<const QMainWindow *>(form->window());
    if (!main || main == form || !main->menuWidget())
        return {};
    return {0, main->menuWidget()->sizeHint().height()};
}

// The notice that the screen is too small even for the design size, over the form's top.
void addNotice(QWidget *form, const QString &text, const QScreen *screen)
{
    const QSize pixels = screenPixels(screen);
    auto *notice = new QLabel(text.arg(pixels.width()).arg(pixels.height()), form);
    notice->setObjectName(NoticeName);
    notice->setWordWrap(true);
    const int margin = twipsToPixels(120);
    const int width = form->width() - 2 * margin;
    notice->setGeometry(margin, margin, width, notice->heightForWidth(width));
    const int shift = notice->height() + 2 * margin;
    for (QWidget *child : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child != notice && !child->isWindow())
            child->move(child->pos() + QPoint(0, shift));
    form->setFixedSize(form->width(), form->height() + shift);
    notice->show();
}

void grow(QWidget *form, const QString &tooSmall)
{
    delete form->findChild<QLabel *>(NoticeName, Qt::FindDirectChildrenOnly);
    if (form->property(GaveFont).toBool()) {
        form->setFont(QFont()); // the inherited font again
        form->setProperty(GaveFont, false);
    }
    const QSize design = designPlace(form).size();
    const QScreen *screen = screenOf(form);
    double factor = fontGrowth(form->font());
    bool fits = true;
    if (screen) {
        const double within =
            growthWithin(factor, design, frameSize(form->window()) + partsBesideForm(form),
                         screen->availableGeometry().size());
        fits = within >= 1;
        factor = std::max(1.0, within);
    }
    // Down to a half point: a text that fits its place at the design font fits it grown.
    if (const qreal points = std::floor(DesignPointSize * factor * 2) / 2;
        form->font().pointSizeF() > points) {
        QFont smaller = form->font();
        smaller.setPointSizeF(points);
        form->setFont(smaller);
        form->setProperty(GaveFont, true);
    }
    // At the design size, as everything still stands, nothing moves: no widget need keep its
    // place, and a window opens as fast as it would without growing. A notice moves them.
    if (factor != 1 || !fits || form->property(Grown).toBool()) {
        if (form->minimumSize() == form->maximumSize())
            form->setFixedSize(grown(design.width(), factor), grown(design.height(), factor));
        growChildren(form, factor);
        form->setProperty(Grown, true);
    }
    if (!fits && !tooSmall.isEmpty())
        addNotice(form, tooSmall, screen);
}

// Grows the form again once an application font change has reached its window: the texts
// that inherit their font have it then, and the fitted ones are fitted again.
class FontFollower : public QObject
{
public:
    FontFollower(QWidget *form, std::function<void()> regrow)
        : QObject(form), m_regrow(std::move(regrow))
    {
        form->window()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ApplicationFontChange)
            return false;
        watched->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        watched->installEventFilter(this);
        m_regrow();
        return true;
    }

private:
    std::function<void()> m_regrow;
};

} // namespace

double fontGrowth(const QFont &font)
{
    const double points = font.pointSizeF();
    if (points <= 0)
        return 1; // a font in pixels: a scale of its own, not a desktop setting
    return std::clamp(points / DesignPointSize, 1.0, LargestGrowth);
}

double growthWithin(double growth, QSize design, QSize extra, QSize room)
{
    if (design.isEmpty())
        return growth;
    return std::min({growth, double(room.width() - extra.width()) / design.width(),
                     double(room.height() - extra.height()) / design.height()});
}

QSize frameSize(const QWidget *window)
{
    if (window->isVisible())
        return window->frameGeometry().size() - window->size();
    const QStyle *style = window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {2 * border,
            style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 2 * border};
}

QSize screenPixels(const QScreen *screen)
{
    return screen->geometry().size() * screen->devicePixelRatio();
}

void growWithFont(QWidget *form, const std::function<void()> &fitTexts, const QString &tooSmall)
{
    const auto regrow = [form = QPointer(form), fitTexts, tooSmall] {
        if (!form)
            return;
        grow(form, tooSmall);
        fitTexts();
    };
    regrow();
    new FontFollower(form, regrow);
}

void tellIfLargerThanScreen(const QWidget *window)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QSize room = screen->availableGeometry().size();
    const QSize needed = window->frameGeometry().size();
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return;
    const QSize pixels = screenPixels(screen);
    const QSize neededPixels = needed * screen->devicePixelRatio();
    qWarning("The screen (%d x %d) is too small to show the window \"%s\" (%d x %d) whole; a "
             "smaller scale or a larger screen resolution shows it all.",
             pixels.width(), pixels.height(), qPrintable(window->windowTitle()),
             neededPixels.width(), neededPixels.height());
}

} // namespace widgets
