#pragma once

// The user's number locale, read from the system for the engine and the windows.

#include "calc/numbers.h"

namespace mainwindow {

// The user's number locale, as the calculation reads and writes numbers.
calc::NumberLocale userNumberLocale();

} // namespace mainwindow
