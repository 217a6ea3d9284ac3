#pragma once

// The separators of the user's number locale.

#include <QChar>

namespace platform {

// The decimal and digit-group separators of the user's number locale (LC_ALL, LC_NUMERIC,
// LANG; C and POSIX write a point). The decimal keys give this separator too, so a typed
// number always reads as it looks.
struct NumberSeparators
{
    QChar decimal;
    QChar group; // NUL where the locale groups no digits
};

NumberSeparators userNumberSeparators();

} // namespace platform
