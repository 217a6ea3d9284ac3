// SPDX-License-Identifier: MIT
#pragma once

// The cutting and thread formulas, on numbers. Each evaluates in the order written beside it
// (the bracketed product or quotient first), checking every step: an overflow, a division by
// zero or 0/0 throws InputError. What is read, and how a result is rounded and stored, is the
// session's.

#include "calc/numbers.h"

namespace calc {

enum class Units { Metric, Inch };
enum class PitchUnit { Millimetres, ThreadsPerInch };

// V = (pi * (D * n)) / 1000 in m/min, or / 12 in feet/min.
double cuttingSpeed(double diameter, double spindleSpeed, double pi, Units units);
// n = (V * 1000) / (pi * D), or (V * 12) / (pi * D).
double spindleSpeed(double cuttingSpeed, double diameter, double pi, Units units);
// Sz = S / (Z * n), in both unit systems.
double feedPerTooth(double feedRate, double flutes, double spindleSpeed);
// S = (Sz * Z) * n, in both unit systems; a drill's feed is this with one edge.
double feedRate(double feedPerTooth, double flutes, double spindleSpeed);

// A tap advances one pitch a revolution; 25.4 mm make an inch. With the pitch P in mm or
// TPI threads per inch:
//   metric  S = P * n           S = (25.4 / TPI) * n
//   inch    S = (P / 25.4) * n  S = (1 / TPI) * n
double tapFeedRate(double pitch, PitchUnit pitchUnit, double spindleSpeed, Units units);
//   metric  n = S / P           n = (TPI / 25.4) * S
//   inch    n = (25.4 / P) * S  n = TPI * S
double tapSpindleSpeed(double feedRate, double pitch, PitchUnit pitchUnit, Units units);

// Pi as the text a window holds: fifteen digits, not the full double. Every formula gets pi
// read back from this text, so every result depends on exactly these digits.
QString makePiText(const NumberLocale &locale);

} // namespace calc
