// SPDX-License-Identifier: MIT
#pragma once

// The windows around the main window: the legend of each language, the version window and
// the about-the-maker window of each language. Each is created on first use and exists once;
// AuxWindows owns them, and the main window reaches them only through it.

#include "calc/language.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace appwindows {

using calc::Language;

class AboutMakerWindow;
class AboutProgramWindow;
class LegendWindow;

class AuxWindows : public QObject
{
    Q_OBJECT
public:
    explicit AuxWindows(QObject *parent = nullptr);
    ~AuxWindows() override;

    // The legend of the language, modeless and without owner; shown again and raised when it
    // is open already.
    void showLegend(Language language);
    // Closes the legend of the language when it is open (the main window of that language is
    // closing).
    void closeLegend(Language language);

    // The version window, modal over owner: returns once the user has closed it.
    void showAboutProgram(QWidget *owner);

    // The about-the-maker window of the language: modal over owner (Info menu; returns once it
    // is closed) or modeless (Edit menu). A window already open modeless cannot turn modal: it
    // is brought to the front instead.
    void showAboutMaker(Language language, bool modal, QWidget *owner);

    // Closes every window of this set and lets them go (the exit command).
    void closeAll();

    // The windows as far as they were created; null before first use and after closeAll.
    LegendWindow *legend(Language language) const;
    AboutProgramWindow *aboutProgram() const;
    AboutMakerWindow *aboutMaker(Language language) const;

private:
    LegendWindow *ensureLegend(Language language);
    AboutMakerWindow *ensureAboutMaker(Language language);

    QPointer<LegendWindow> m_legend[2];
    QPointer<AboutProgramWindow> m_aboutProgram;
    QPointer<AboutMakerWindow> m_aboutMaker[2];
};

} // namespace appwindows
