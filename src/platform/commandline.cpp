// SPDX-License-Identifier: MIT
#include "platform/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

namespace {

constexpr qsizetype TerminalColumns = 80;

// text with its blanks broken into lines of at most columns characters, where words allow.
[[maybe_unused]] QString wrapped(const QString &text, qsizetype columns)
{
    QString result;
    qsizetype lineStart = 0;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (result.size() > lineStart && result.size() - lineStart + 1 + word.size() > columns) {
            result += QLatin1Char('\n');
            lineStart = result.size();
        } else if (result.size() > lineStart) {
            result += QLatin1Char(' ');
        }
        result += word;
    }
    return result;
}

struct ProgramOptions
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the program's version and exit.")};

    ProgramOptions()
    {
        const QString description = QStringLiteral(
            "Cutting data for CNC machining: speeds and feeds for milling cutters, drills and "
            "thread taps, in a Danish and an English window. Without options the program "
            "opens the window its settings file asks for.");
#ifdef Q_OS_WIN
        // The message box wraps it to its own width; breaks of a terminal's would break again.
        parser.setApplicationDescription(description);
#else
        parser.setApplicationDescription(wrapped(description, TerminalColumns));
#endif
        // "-reverse" is Qt's option, not -r -e -v ...: a single dash never joins short options.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        // Qt's own options, which QApplication takes off the command line later.
        for (const char *name :
             {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
              "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "session", "display",
              "name", "visual", "ncols", "style", "stylesheet", "qmljsdebugger"})
            addQtOption(name, true);
        for (const char *name :
             {"reverse", "testability", "nograb", "dograb", "sync", "cmap", "widgetcount"})
            addQtOption(name, false);
    }

private:
    void addQtOption(const char *name, bool takesValue)
    {
        QCommandLineOption option(QString::fromLatin1(name));
        if (takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
};

void writeText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// The answer to --help or --version, or what is wrong. A Windows window program has no
// console, so there it goes into a message box.
void answer(const QString &text, bool fault)
{
#ifdef Q_OS_WIN
    const QString title = QCoreApplication::applicationName();
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()),
                  reinterpret_cast<const wchar_t *>(title.utf16()),
                  MB_OK | (fault ? MB_ICONWARNING : MB_ICONINFORMATION));
#else
    writeText(fault ? stderr : stdout, text);
#endif
}

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ProgramOptions options;
    const bool parsed = options.parser.parse(arguments);
    // Help and version answer even beside a fault.
    if (options.parser.isSet(options.help)) {
        // A core application object only lends the help text the program's path as called.
        int coreArgc = 1;
        QCoreApplication core(coreArgc, argv);
        answer(options.parser.helpText(), false);
        return 0;
    }
    const QString name = QCoreApplication::applicationName();
    if (options.parser.isSet(options.version)) {
        answer(name + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n'),
               false);
        return 0;
    }
    if (!parsed) {
        answer(QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(name, options.parser.errorText()),
               true);
        return UsageErrorStatus;
    }
    // A shortcut, a file dropped on the program or "Open with" passes one: the window opens
    // all the same.
    for (const QString &argument : options.parser.positionalArguments())
        writeText(stderr,
                  QStringLiteral("%1: the argument '%2' is ignored.\n").arg(name, argument));
    return std::nullopt;
}

} // namespace platform
