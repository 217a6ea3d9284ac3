// SPDX-License-Identifier: MIT
#pragma once

// The user's number locale, read from the system.

#include "calc/numbers.h"

namespace platform {

// The decimal and digit-group separators of the user's number locale (LC_ALL, LC_NUMERIC,
// LANG; C and POSIX write a point), as the calculation reads and writes numbers and as the
// point and comma keys give them. A locale whose decimal separator is neither a point nor a
// comma (Persian's U+066B) gets the point, the one every keyboard has and every file reads.
// The group separator is NUL where the locale groups no digits.
calc::NumberLocale userNumberLocale();

} // namespace platform
