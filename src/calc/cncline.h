#pragma once

// The one-line CNC fragment: S<n> M03 F<S> (<D> <tool words>), always with points.

#include "calc/numbers.h"
#include "calc/toolvalues.h"

namespace calc {

// Replaces every "," of text by "." in place and returns the result. Throws InputError
// (overflow) for a text longer than 255 characters.
QString commasToPoints(QString &text);

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
    QString spindleSpeed, feedRate, diameter, flutes, pitchMm, threadsPerInch;
};

// Rebuilds line from the input: n rounded to a whole number, D to 4 decimals (ties to even),
// S, Z and the pitch copied as shown; every comma becomes a point. Tap with neither pitch
// option set leaves line unchanged.
// Throws InputError when n or D is no number; an error in n leaves line as it was, an
// error in D leaves the first part of the new line (up to the feed word) in it.
void composeCncLine(const CncInput &input, const CncWords &words, const NumberLocale &locale,
                    QString &line);

} // namespace calc
