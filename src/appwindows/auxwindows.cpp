// SPDX-License-Identifier: MIT
#include "appwindows/auxwindows.h"

#include "appwindows/aboutwindows.h"
#include "appwindows/legendwindow.h"
#include "widgets/centring.h"

#include <QWindow>

using calc::Language;

namespace appwindows {

namespace {

int languageIndex(Language language)
{
    return language == Language::Danish ? 0 : 1;
}

void bringToFront(QWidget *window)
{
    window->showNormal();
    window->raise();
    window->activateWindow();
}

// A modal window stays above its owner; a modeless one is on its own, so that it keeps the
// program running when the main window closes before it.
void setOwner(QWidget *window, QWidget *owner)
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
    QPointer<LegendWindow> &w = m_legend[languageIndex(language)];
    if (!w)
        w = new LegendWindow(language);
    return w;
}

AboutMakerWindow *AuxWindows::ensureAboutMaker(Language language)
{
    QPointer<AboutMakerWindow> &w = m_aboutMaker[languageIndex(language)];
    if (!w)
        w = new AboutMakerWindow(language);
    return w;
}

void AuxWindows::showLegend(Language language)
{
    LegendWindow *w = ensureLegend(language);
    w->show();
    bringToFront(w);
}

void AuxWindows::closeLegend(Language language)
{
    if (LegendWindow *w = m_legend[languageIndex(language)])
        w->close();
}

void AuxWindows::showAboutProgram(QWidget *owner)
{
    if (!m_aboutProgram)
        m_aboutProgram = new AboutProgramWindow;
    AboutProgramWindow *w = m_aboutProgram;
    if (w->isVisible()) {
        bringToFront(w);
        return;
    }
    setOwner(w, owner);
    widgets::centreOnScreen(w, owner);
    w->exec();
}

void AuxWindows::showAboutMaker(Language language, bool modal, QWidget *owner)
{
    AboutMakerWindow *w = ensureAboutMaker(language);
    if (w->isVisible()) {
        bringToFront(w);
        return;
    }
    setOwner(w, modal ? owner : nullptr);
    widgets::centreOnScreen(w, owner);
    if (modal) {
        w->exec();
    } else {
        w->setWindowModality(Qt::NonModal);
        w->show();
        bringToFront(w);
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
    return m_legend[languageIndex(language)];
}

AboutProgramWindow *AuxWindows::aboutProgram() const
{
    return m_aboutProgram;
}

AboutMakerWindow *AuxWindows::aboutMaker(Language language) const
{
    return m_aboutMaker[languageIndex(language)];
}

} // namespace appwindows
