// SPDX-License-Identifier: MIT
#pragma once

// Runs a check in a child process as a user who is not root: root writes and creates files
// whatever their permission bits say, and the tests often run as root. The check returns
// an empty text when it passed, else what went wrong; CHILD_VERIFY builds such checks.
// Windows has no such root: there the check runs in the test's own process.

#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QTest>

#include <functional>
#include <optional>

#ifdef Q_OS_WIN
namespace ordinaryuser {

inline bool giveFolder(const QString &)
{
    return true;
}

inline std::optional<QString> runProgram(const QString &, const std::function<QString()> &check)
{
    return check();
}

} // namespace ordinaryuser
#else
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ordinaryuser {

// The user "nobody" of Debian and most other systems.
inline constexpr uid_t UserId = 65534;
inline constexpr gid_t GroupId = 65534;

// Returned by a child that could not leave root.
inline constexpr int CannotDropRoot = 77;

// Hands folder to the user the child will run as, so that it can work there.
inline bool giveFolder(const QString &folder)
{
    if (::geteuid() != 0)
        return true;
    return ::chown(QFile::encodeName(folder).constData(), UserId, GroupId) == 0;
}

// Runs check in a child, as "nobody" (or user, in nobody's group) when this process is root.
// Returns what the check reported, or nothing when the child could not become an ordinary
// user. Afterwards every folder below folder is made writable again, so that it can be removed.
inline std::optional<QString> runProgram(const QString &folder,
                                         const std::function<QString()> &check, uid_t user = UserId)
{
    if (!giveFolder(folder))
        return std::nullopt;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child < 0)
        return QStringLiteral("no child process");
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(GroupId) != 0 ||
                                 ::setuid(user) != 0 || ::geteuid() == 0))
            ::_exit(CannotDropRoot);
        const QByteArray report = check().toUtf8();
        qsizetype done = 0;
        while (done < report.size()) {
            const ssize_t written =
                ::write(pipeEnds[1], report.constData() + done, size_t(report.size() - done));
            if (written <= 0)
                break;
            done += written;
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    QByteArray report;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, got);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);

    const auto openUp = [](const QString &path) {
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOwner |
                                        QFile::WriteOwner | QFile::ExeOwner);
    };
    openUp(folder);
    QDirIterator folders(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (folders.hasNext())
        openUp(folders.next());

    if (WIFEXITED(status) && WEXITSTATUS(status) == CannotDropRoot)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the child ended with status %1").arg(status);
    return QString::fromUtf8(report);
}

} // namespace ordinaryuser
#endif

// Inside a check: returns the failure, naming the line, when cond does not hold.
#define CHILD_VERIFY(cond)                                                                         \
    do {                                                                                           \
        if (!(cond))                                                                               \
            return QStringLiteral("line %1: %2").arg(__LINE__).arg(QStringLiteral(#cond));         \
    } while (false)

// In a test function: runs the check as an ordinary user and fails with its report.
#define VERIFY_AS_ORDINARY_USER(folder, ...)                                                       \
    do {                                                                                           \
        const std::optional<QString> report_ = ordinaryuser::runProgram(folder, __VA_ARGS__);      \
        if (!report_)                                                                              \
            QSKIP("No ordinary user to run the check as.");                                        \
        QVERIFY2(report_->isEmpty(), qPrintable(*report_));                                        \
    } while (false)
