#include "platform/locale.h"

#include <QLocale>
#include <QString>

namespace platform {

calc::NumberLocale userNumberLocale()
{
    const QLocale system = QLocale::system();
    const QString decimal = system.decimalPoint();
    const QString group = system.groupSeparator();
    calc::NumberLocale locale;
    locale.decimal = decimal.isEmpty() ? QLatin1Char('.') : decimal.at(0);
    // A locale without digit grouping has nothing to skip; a NUL never comes from the keyboard.
    locale.group = group.isEmpty() ? QChar(0) : group.at(0);
    return locale;
}

} // namespace platform
