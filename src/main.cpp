#include "mainwindow/environment.h"
#include "platform/program.h"
#include "state/startup.h"
#include "windows/windowmanager.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    WorkingValues values;
    const state::StartWindow start = state::chooseStartWindow(values, platform::programDirectory(),
                                                              platform::userConfigDirectory());
    if (start == state::StartWindow::None)
        return 0;

    WindowManager windows(values, SystemEnvironment());
    windows.open(start);
    const int exitCode = QApplication::exec();
    // A window closed by Quit is let go here, not left to the operating system.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
