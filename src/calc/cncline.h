#pragma once

// The one-line CNC fragment: S<n> M03 F<S> (<D> <tool words>). It goes into a program that
// moves a spindle, so every number in it is finite, not negative and plain: digits and at
// most one point, whatever the fields hold or the locale writes.

#include "calc/fields.h"
#include "calc/numbers.h"

namespace calc {

// The tool words of one language, blanks included (" FR ", " SK)", " BOR)", " TAP ", " STIG)").
struct CncWords
{
    QString mill;
    QString edges;
    QString drill;
    QString tap;
    QString pitch;
};

// What the window shows when the line is built.
struct CncInput
{
    ToolMode mode = ToolMode::Mill;
    bool pitchMmSelected = false;        // pitchMmOption is set
    bool threadsPerInchSelected = false; // threadsPerInchOption is set
    ToolValues values;                   // the line takes what each field's LineUse names
};

// A copied number as the line writes it: the text without blanks around it must be digits
// with at most one decimal separator of the locale (0 included); it comes back with a point
// and the user's digits (381,97 gives 381.97). Throws InputError otherwise.
QString plainNumberForLine(const QString &text, const NumberLocale &locale);

// A computed number rounded to decimals, in plain notation with a point and no exponent.
// Throws InputError for a negative value, NaN or one that does not stay finite.
QString roundedNumberForLine(double value, int decimals);

// Rebuilds line from the input: n rounded to a whole number, D to 4 decimals (ties to even),
// S, Z and the pitch with their own digits (plainNumberForLine). Tap with neither pitch
// option set leaves line unchanged. Throws InputError when any of the numbers it writes is
// not a plain number of at least zero; line is then left as it was.
void composeCncLine(const CncInput &input, const CncWords &words, const NumberLocale &locale,
                    QString &line);

} // namespace calc
