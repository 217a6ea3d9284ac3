// SPDX-License-Identifier: MIT
#pragma once

// The one-line CNC fragment: S<n> M03 F<S> (<D> <tool words>). It goes into a program that
// moves a spindle, so every number in it is finite, not negative and plain: digits and at
// most one point, whatever the fields hold or the locale writes.

#include "calc/fields.h"
#include "calc/formulas.h"
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
    PitchUnit pitchUnit = PitchUnit::ThreadsPerInch; // a tap's pitch option that is set
    ToolValues values;           // the line takes what each field's LineUse names
    Units units = Units::Metric; // a tap's lead is in the units' length
};

// The input error of a line, with the field whose text it cannot carry.
class LineInputError : public InputError
{
public:
    explicit LineInputError(Field field) : InputError("not for the line"), m_field(field) {}
    Field field() const { return m_field; }

private:
    Field m_field;
};

// A copied number as the line writes it: the text without blanks around it must be digits
// with at most one decimal separator of the locale (0 included); it comes back with a point
// and the user's digits (381,97 gives 381.97). Throws InputError otherwise.
QString plainNumberForLine(const QString &text, const NumberLocale &locale);

// A computed number rounded to decimals, in plain notation with a point and no exponent.
// Throws InputError for a negative value, NaN or one that does not stay finite.
QString roundedNumberForLine(double value, int decimals);

// Rebuilds line from the input: n rounded to a whole number, D to 4 decimals (ties to even),
// S, Z and the pitch with their own digits (plainNumberForLine). A tap's F is instead its S
// word times the lead (the pitch in the units' length per revolution), with as many decimals
// as that needs, at most 4, so that the control feeds the tap one pitch a turn; its S must
// still be a plain number. Throws
// LineInputError when any of the numbers it writes or reads is not a plain number of at
// least zero, or the feed cannot be computed; line is then left as it was.
void composeCncLine(const CncInput &input, const CncWords &words, const NumberLocale &locale,
                    QString &line);

} // namespace calc
