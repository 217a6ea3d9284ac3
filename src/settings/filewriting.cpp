// SPDX-License-Identifier: MIT
#include "settings/filewriting.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>

namespace settings {

QString temporaryName(const QString &fileName, int attempt)
{
    QString name = fileName + QLatin1StringView(temporarySaveSuffix) + u'-' +
                   QString::number(QCoreApplication::applicationPid());
    return attempt == 0 ? name : name + u'.' + QString::number(attempt);
}

std::optional<qint64> writerOf(const QString &name, const QString &fileName)
{
    const QString prefix = fileName + QLatin1StringView(temporarySaveSuffix);
    if (!name.startsWith(prefix))
        return std::nullopt;
    if (name.size() == prefix.size())
        return 0;
    const QStringView rest = QStringView(name).mid(prefix.size());
    if (!rest.startsWith(u'-'))
        return std::nullopt;
    const QStringView digits =
        rest.mid(1).left(rest.indexOf(u'.') < 0 ? -1 : rest.indexOf(u'.') - 1);
    bool number = false;
    const qint64 pid = digits.toLongLong(&number);
    return number && pid > 0 ? std::optional<qint64>(pid) : std::nullopt;
}

QString lockFileName(const QString &settingsPath)
{
    const QByteArray hash = QCryptographicHash::hash(
        QFileInfo(settingsPath).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("kvrcalc-%1.lock").arg(QLatin1StringView(hash.toHex().left(16)));
}

} // namespace settings
