#include "mainwindow/environment.h"
#include "platform/commandline.h"
#include "platform/identity.h"
#include "platform/program.h"
#include "platform/windowsinstall.h"
#include "session/session.h"
#include "state/startup.h"
#include "widgets/svgpicture.h"
#include "windows/windowmanager.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::setApplicationIdentity();
    if (const std::optional<int> status = platform::answerInformationRequest(argc, argv))
        return *status;

    QApplication app(argc, argv);
    if (const std::optional<int> status =
            platform::rejectLeftoverArguments(QCoreApplication::arguments()))
        return *status;
    QApplication::setWindowIcon(pictureIcon(QStringLiteral("icon")));

    WorkingValues values;
    const QString programDir = platform::programDirectory();
    const QString userConfigDir = platform::userConfigDirectory();
    // What the Windows installer laid out keeps its settings in the user's folder only.
    const QString settingsDir =
        platform::windowsProgramIsInstalled(programDir) ? userConfigDir : programDir;
    const state::StartWindow start = state::chooseStartWindow(values, settingsDir, userConfigDir);
    if (!start)
        return 0;

    session::Session session(values, userNumberLocale());
    WindowManager windows(session);
    windows.open(*start);
    const int exitCode = QApplication::exec();
    // A window closed by Quit is let go here, not left to the operating system.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
