#include "platform/locale.h"

#include <QLocale>
#include <QString>

namespace platform {

NumberSeparators userNumberSeparators()
{
    const QLocale system = QLocale::system();
    const QString decimal = system.decimalPoint();
    const QString group = system.groupSeparator();
    NumberSeparators separators;
    separators.decimal = decimal.isEmpty() ? QLatin1Char('.') : decimal.at(0);
    // A locale without digit grouping has nothing to skip; a NUL never comes from the keyboard.
    separators.group = group.isEmpty() ? QChar(0) : group.at(0);
    return separators;
}

} // namespace platform
