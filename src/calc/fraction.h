#pragma once

#include "calc/numbers.h"

namespace calc {

// Evaluates a diameter typed as a fraction ("1 1/2", "3/8"): the whole part before the first
// blank, numerator and denominator around the one slash. Blanks, tabs and line feeds inside a
// part do not count, an empty part is 0, and a part may carry a point or the locale's decimal
// separator (1,5/2 and 1.5/2 in a comma locale). Returns the number text in the locale's
// notation, unrounded, or the empty text when the entry cannot be read: more than 255
// characters, a second slash, a part that is no number, a division by zero or 0/0, an
// overflow. Never throws.
QString evaluateFraction(const QString &fractionText, const NumberLocale &locale);

} // namespace calc
