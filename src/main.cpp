#include "mainwindow/environment.h"
#include "platform/commandline.h"
#include "platform/identity.h"
#include "platform/program.h"
#include "state/startup.h"
#include "windows/windowmanager.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    platform::SetApplicationIdentity();
    if (const std::optional<int> status = platform::AnswerInformationRequest(argc, argv))
        return *status;

    QApplication app(argc, argv);
    if (const std::optional<int> status =
            platform::RejectLeftoverArguments(QCoreApplication::arguments()))
        return *status;
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icon.svg")));

    WorkingValues values;
    const state::StartWindow start = state::Main(values, platform::ProgramDirectory());
    if (start == state::StartWindow::None)
        return 0;

    WindowManager windows(values, SystemEnvironment());
    windows.open(start);
    const int exitCode = QApplication::exec();
    // A window closed by Quit is let go here, not left to the operating system.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
