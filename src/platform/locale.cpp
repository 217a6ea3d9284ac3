#include "platform/locale.h"

#include <QLocale>

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace platform {

namespace {

// The answer when a setting cannot be read: equal to neither "," nor ".", so a caller that
// only acts on those two leaves its own setting as it was.
QString Unreadable()
{
    return QString(QChar(0));
}

QString FromLocaleBytes(const char *bytes, locale_t locale)
{
    const char *codeset = nl_langinfo_l(CODESET, locale);
    if (codeset && std::strcmp(codeset, "UTF-8") == 0)
        return QString::fromUtf8(bytes);
    if (codeset && std::strcmp(codeset, "ISO-8859-1") == 0)
        return QString::fromLatin1(bytes);
    return QString::fromLocal8Bit(bytes);
}

} // namespace

QString GetLocaleText(int lcType)
{
    if (lcType != LOCALE_SMONDECIMALSEP)
        return Unreadable();
    // A locale object of its own: the process-wide locale is left alone. The empty name
    // takes the user's choice from LC_ALL, LC_MONETARY and LANG.
    const locale_t user = newlocale(LC_MONETARY_MASK, "", locale_t(nullptr));
    if (user == locale_t(nullptr))
        return Unreadable();
    const char *separator = nl_langinfo_l(MON_DECIMAL_POINT, user);
    const QString text = separator ? FromLocaleBytes(separator, user) : Unreadable();
    freelocale(user);
    return text;
}

calc::NumberLocale systemNumberLocale()
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
