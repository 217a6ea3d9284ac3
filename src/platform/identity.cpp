// SPDX-License-Identifier: MIT
#include "platform/identity.h"

#include "platform/program.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace platform {

void setApplicationIdentity()
{
    const Version version = programVersion();
    QCoreApplication::setApplicationName(QStringLiteral("kvrcalc"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    QCoreApplication::setOrganizationName(QStringLiteral("kovrin"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("kovrin.example.com"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.kovrin.kvrcalc"));
}

} // namespace platform
