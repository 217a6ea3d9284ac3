// SPDX-License-Identifier: MIT
#pragma once

// Diameters typed as fractions ("1 1/2", "3/8").

#include "calc/numbers.h"

namespace calc {

// Evaluates a diameter typed as a fraction: "3/8", or a whole number, one blank and a fraction
// ("1 1/2"). Numerator and denominator are digits with at most one decimal separator, a point
// or the locale's (1,5/2 and 1.5/2 in a comma locale); blanks around the entry do not count, a
// tab counts as a blank, and "/2" reads as 0/2. Returns the number text in the locale's
// notation, unrounded, or the empty text when the entry cannot be read: any other shape (a
// sign, an exponent, "3 /8", "1 1/2 3"), more than 255 characters, a division by zero or 0/0.
// Never throws.
QString evaluateFraction(const QString &fractionText, const NumberLocale &locale);

} // namespace calc
