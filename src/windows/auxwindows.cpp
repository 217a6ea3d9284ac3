#include "windows/auxwindows.h"

#include "windows/aboutwindows.h"
#include "windows/legendwindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace auxwin {

namespace {

bool Fits(const QLabel *label, const QFont &font)
{
    const QFontMetrics metrics(font);
    const QRect room = label->contentsRect();
    if (label->wordWrap()) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                                  Qt::TextWordWrap, label->text());
        return needed.height() <= room.height();
    }
    return metrics.horizontalAdvance(label->text()) <= room.width() &&
           metrics.height() <= room.height() + 1;
}

QFont Sized(QFont font, qreal points)
{
    font.setPointSizeF(points);
    return font;
}

} // namespace

void FitLabelFonts(const QList<QLabel *> &labels)
{
    constexpr qreal Smallest = 6.0;
    qreal points = 0;
    for (const QLabel *label : labels) {
        const qreal p = label->font().pointSizeF();
        if (p > 0 && (points == 0 || p < points))
            points = p;
    }
    if (points <= 0)
        return; // pixel-sized fonts: leave them as the style made them

    const auto allFit = [&labels](qreal p) {
        for (const QLabel *label : labels) {
            if (!Fits(label, Sized(label->font(), p)))
                return false;
        }
        return true;
    };
    const qreal start = points;
    while (points > Smallest && !allFit(points))
        points = qMax(Smallest, points - 0.5);
    if (points == start)
        return;
    for (QLabel *label : labels)
        label->setFont(Sized(label->font(), points));
}

} // namespace auxwin

namespace {

int Index(Language language)
{
    return language == Language::Danish ? 0 : 1;
}

// The about windows open in the middle of the screen the main window is on.
void CenterOnScreen(QWidget *window, const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), window->frameGeometry().size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void BringToFront(QWidget *window)
{
    window->showNormal();
    window->raise();
    window->activateWindow();
}

// A modal window stays above its owner; a modeless one is on its own, so that it keeps the
// program running when the main window closes before it.
void SetOwner(QWidget *window, QWidget *owner)
{
    window->winId(); // the native window must exist to carry an owner
    QWindow *ownerWindow = owner ? owner->window()->windowHandle() : nullptr;
    window->windowHandle()->setTransientParent(ownerWindow);
}

} // namespace

AuxWindows::AuxWindows(QObject *parent) : QObject(parent) {}

AuxWindows::~AuxWindows()
{
    // The windows have no parent widget; this object is their owner.
    for (auto &w : m_legend)
        delete w.data();
    for (auto &w : m_aboutMaker)
        delete w.data();
    delete m_aboutProgram.data();
}

LegendWindow *AuxWindows::ensureLegend(Language language)
{
    QPointer<LegendWindow> &w = m_legend[Index(language)];
    if (!w)
        w = new LegendWindow(language);
    return w;
}

AboutMakerWindow *AuxWindows::ensureAboutMaker(Language language)
{
    QPointer<AboutMakerWindow> &w = m_aboutMaker[Index(language)];
    if (!w)
        w = new AboutMakerWindow(language);
    return w;
}

void AuxWindows::showLegend(Language language)
{
    LegendWindow *w = ensureLegend(language);
    w->show();
    BringToFront(w);
}

void AuxWindows::closeLegend(Language language)
{
    if (LegendWindow *w = m_legend[Index(language)])
        w->close();
}

void AuxWindows::showAboutProgram(QWidget *owner)
{
    if (!m_aboutProgram)
        m_aboutProgram = new OmForm;
    OmForm *w = m_aboutProgram;
    if (w->isVisible()) {
        BringToFront(w);
        return;
    }
    SetOwner(w, owner);
    CenterOnScreen(w, owner);
    w->exec();
}

void AuxWindows::showAboutMaker(Language language, bool modal, QWidget *owner)
{
    AboutMakerWindow *w = ensureAboutMaker(language);
    if (w->isVisible()) {
        BringToFront(w);
        return;
    }
    SetOwner(w, modal ? owner : nullptr);
    CenterOnScreen(w, owner);
    if (modal) {
        w->exec();
    } else {
        w->setWindowModality(Qt::NonModal);
        w->show();
        BringToFront(w);
    }
}

void AuxWindows::closeAll()
{
    const auto finish = [](QWidget *w) {
        if (!w)
            return;
        const bool runningModal = w->isVisible() && w->isModal();
        w->close();
        if (runningModal)
            w->deleteLater(); // its exec() is still on the stack
        else
            delete w;
    };
    for (auto &w : m_legend) {
        finish(w);
        w.clear();
    }
    for (auto &w : m_aboutMaker) {
        finish(w);
        w.clear();
    }
    finish(m_aboutProgram);
    m_aboutProgram.clear();
}

LegendWindow *AuxWindows::legend(Language language) const
{
    return m_legend[Index(language)];
}

OmForm *AuxWindows::aboutProgram() const
{
    return m_aboutProgram;
}

AboutMakerWindow *AuxWindows::aboutMaker(Language language) const
{
    return m_aboutMaker[Index(language)];
}
