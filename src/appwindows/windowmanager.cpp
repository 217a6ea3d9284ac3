// SPDX-License-Identifier: MIT
#include "appwindows/windowmanager.h"

#include "mainwindow/mainwindow.h"
#include "widgets/centring.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoopLocker>

using calc::Language;
using mainwindow::MainWindow;
using texts::ReportTexts;

namespace appwindows {

WindowManager::WindowManager(session::Session &session, std::function<void()> quit, QObject *parent)
    : QObject(parent), m_session(session), m_quit(std::move(quit))
{
    if (!m_quit)
        m_quit = [] { QCoreApplication::exit(0); };
}

WindowManager::~WindowManager()
{
    delete m_window;
}

MainWindow *WindowManager::mainWindow() const
{
    return m_window;
}

MainWindow *WindowManager::open(Language language)
{
    auto *window = new MainWindow(language, m_session);
    connect(window, &MainWindow::languageSwitchRequested, this, &WindowManager::switchLanguage);
    connect(window, &MainWindow::quitRequested, this, &WindowManager::quit);
    connectAuxWindows(window);
    connect(window, &MainWindow::closing, this, [this, window] {
        // The legend of a language goes with its main window.
        m_aux.closeLegend(window->language());
        emit mainWindowClosing(window);
        if (m_window == window)
            m_window = nullptr;
        // Closing runs inside the window's own handlers; it goes once they have returned.
        window->deleteLater();
    });
    m_window = window;
    window->load();
    emit mainWindowOpened(window);
    widgets::centreOnScreen(window);
    window->show();
    return window;
}

void WindowManager::switchLanguage(Language to)
{
    // For a moment no main window is open; the program must not take that for its end.
    const QEventLoopLocker keepRunning;
    if (m_window)
        m_window->close();
    open(to);
}

void WindowManager::quit()
{
    if (m_window)
        m_window->close();
    m_aux.closeAll();
    emit quitting();
    m_quit();
}

void WindowManager::connectAuxWindows(MainWindow *window)
{
    connect(window, &MainWindow::printRequested, window, [this, window] {
        const ReportTexts &texts = window->texts().report;
        const report::ReportInput shown = report::reportInput(m_session.outcome(), window->texts());
        const report::PrintOutcome outcome =
            m_print ? report::printReport(window, shown, texts, m_print,
                                          [] { return QDateTime::currentDateTime(); })
                    : report::printReport(window, shown, texts);
        // Nothing follows a print, whether it went out or not: a cancelled dialog and a failed
        // printer end silently, and a missing result has had its message.
        Q_UNUSED(outcome);
    });
    connect(window, &MainWindow::legendRequested, &m_aux,
            [this, window] { m_aux.showLegend(window->language()); });
    connect(window, &MainWindow::aboutProgramRequested, &m_aux,
            [this, window] { m_aux.showAboutProgram(window); });
    connect(window, &MainWindow::aboutMakerRequested, &m_aux, [this, window](bool modal) {
        m_aux.showAboutMaker(window->language(), modal, window);
    });
}

} // namespace appwindows
