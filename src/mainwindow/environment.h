#pragma once

#include "calc/numbers.h"

// The user's number locale, as the calculation reads and writes numbers.
calc::NumberLocale userNumberLocale();
