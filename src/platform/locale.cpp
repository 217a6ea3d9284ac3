// SPDX-License-Identifier: MIT
#include "platform/locale.h"

#include <QLocale>
#include <QString>

namespace platform {

calc::NumberLocale userNumberLocale()
{
    const QLocale system = QLocale::system();
    const QString group = system.groupSeparator();
    calc::NumberLocale locale;
    locale.decimal = calc::DecimalSeparator::pointIf(system.decimalPoint() != QLatin1String(","));
    // A locale without digit grouping has nothing to skip; a NUL never comes from the keyboard.
    locale.group = group.isEmpty() ? QChar(0) : group.at(0);
    return locale;
}

} // namespace platform
