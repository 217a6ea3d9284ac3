#pragma once

#include "calc/numbers.h"

#include <QString>

namespace platform {

// Windows' number for the monetary decimal separator, the one setting the windows ask for.
inline constexpr int LOCALE_SMONDECIMALSEP = 22;

// The current user's locale setting LCType, from the C library's locale data (LC_MONETARY for
// LOCALE_SMONDECIMALSEP). Returns the one-character NUL text when it cannot be read.
QString GetLocaleText(int lcType);

// The decimal and digit-group separators of the user's number locale.
calc::NumberLocale systemNumberLocale();

} // namespace platform
