// SPDX-License-Identifier: MIT
#pragma once

// Owns the open main window: opens the one the start-up chose, replaces it by the other
// language's window on the language item, and ends the program on Quit. The settings
// live in the session, which the caller keeps for the whole run, so no window takes any value with
// it.

#include "appwindows/auxwindows.h"
#include "report/report.h"
#include "session/session.h"
#include "texts/textcatalogue.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace mainwindow {
class MainWindow;
} // namespace mainwindow

namespace appwindows {

using calc::Language;
using mainwindow::MainWindow;
Q_MOC_INCLUDE("mainwindow/mainwindow.h")

class WindowManager : public QObject
{
    Q_OBJECT
public:
    // quit ends the program; by default it leaves the event loop at once.
    WindowManager(session::Session &session, std::function<void()> quit = {},
                  QObject *parent = nullptr);
    ~WindowManager() override;

    MainWindow *open(Language language);

    // The open main window, or null.
    MainWindow *mainWindow() const;

    // The legend and about windows that belong to the main windows.
    AuxWindows &auxWindows() { return m_aux; }

    // How Ctrl+P chooses a printer and prints; by default the print dialog.
    void setPrintStep(report::PrintStep print) { m_print = std::move(print); }

signals:
    // A main window has been created and loaded and is about to be shown: the place to
    // connect its print, legend and about requests.
    void mainWindowOpened(MainWindow *window);
    // A main window is closing; the windows that belong to it close with it.
    void mainWindowClosing(MainWindow *window);
    // Quit was chosen; the program ends right after this.
    void quitting();

private:
    void switchLanguage(Language to);
    void quit();
    void connectAuxWindows(MainWindow *window);

    session::Session &m_session;
    std::function<void()> m_quit;
    QPointer<MainWindow> m_window;
    AuxWindows m_aux;
    report::PrintStep m_print;
};

} // namespace appwindows
