#pragma once

// The user's number locale, read from the system.

#include "calc/numbers.h"

namespace platform {

// The decimal and digit-group separators of the user's number locale (LC_ALL, LC_NUMERIC,
// LANG; C and POSIX write a point), as the calculation reads and writes numbers. The
// decimal keys give this separator too, so a typed number always reads as it looks. The
// group separator is NUL where the locale groups no digits.
calc::NumberLocale userNumberLocale();

} // namespace platform
