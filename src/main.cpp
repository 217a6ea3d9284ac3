// SPDX-License-Identifier: MIT
#include "appwindows/windowmanager.h"
#include "platform/commandline.h"
#include "platform/identity.h"
#include "platform/locale.h"
#include "platform/program.h"
#include "session/session.h"
#include "settings/startup.h"
#include "widgets/messageboxes.h"
#include "widgets/readablecolours.h"
#include "widgets/svgpicture.h"

#include <QApplication>

using appwindows::WindowManager;
using widgets::pictureIcon;

int main(int argc, char *argv[])
{
    platform::ignoreFileSizeSignal();
    platform::setApplicationIdentity();
    if (const std::optional<int> status = platform::answerCommandLine(argc, argv))
        return *status;

    platform::announceRunning();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(pictureIcon(QStringLiteral("icon")));
    widgets::useVisibleMarks();
    widgets::keepMessageTextsOffClipboard();
    // A theme whose text has the colour of its background would leave the form blank.
    if (const QPalette readable = widgets::readablePalette(QApplication::palette());
        readable != QApplication::palette())
        QApplication::setPalette(readable);

    const calc::NumberLocale locale = platform::userNumberLocale();
    settings::Start start =
        settings::startUp(platform::programDirectory(), platform::userConfigDirectory(),
                          platform::programIsInstalled() ? settings::ProgramLayout::Installed
                                                         : settings::ProgramLayout::Portable,
                          locale);
    if (!start.window)
        return 0;

    session::Session session(start.settings, locale, start.file, std::move(start.notices));
    WindowManager windows(session);
    windows.open(*start.window);
    const int exitCode = QApplication::exec();
    // A window closed by Quit is let go here, not left to the operating system.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
