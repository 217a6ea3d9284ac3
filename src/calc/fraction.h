#pragma once

#include "calc/numbers.h"

namespace calc {

// Evaluates a diameter typed as a fraction ("1 1/2", "3/8"): the whole part before the first
// blank, numerator and denominator around the slash, each read with readLenientNumber. Returns the
// number text in the locale's notation, unrounded, or the empty text when the evaluation
// fails (more than 255 characters, a part out of range, a division by zero or 0/0, an
// overflow). Never throws.
QString evaluateFraction(const QString &fractionText, const NumberLocale &locale);

} // namespace calc
