#pragma once

// The cutting and thread formulas. Each works on the selected tool kind's values, stores its
// result there (rounded: 8 decimals for V and Sz, decimalCount for n and S) and returns the
// text it stored, which the window then writes into the quantity's field. A failing formula
// throws InputError before it stores anything.

#include "calc/numbers.h"
#include "calc/toolvalues.h"

#include <optional>

namespace calc {

struct FormulaContext
{
    ToolMode mode = ToolMode::Mill;   // the selected tool-mode option
    ToolValues &values;               // the selected kind's working values
    bool metric = false;              // metricAction carries its check mark
    bool inch = false;                // inchAction carries its check mark
    bool pitchMmShown = false;        // pitchMmField is shown
    bool threadsPerInchShown = false; // threadsPerInchField is shown
    int decimalCount = 0;             // 0..3
    QString &resultText;              // the unrounded result of the formula that ran last
    QString piText;                   // 3.14159265358979 in the locale's notation
    NumberLocale locale;
};

QString computeCuttingSpeed(FormulaContext &ctx); // V = pi * (D * n) / 1000 (or / 12)
QString computeSpindleSpeed(FormulaContext &ctx); // n = (V * 1000) / (pi * D) (or V * 12)
QString computeFeedPerTooth(FormulaContext &ctx); // Sz = S / (Z * n)
QString computeFeedRate(FormulaContext &ctx); // Mill (Sz * Z) * n; Drill Sz * n; Tap from the pitch

// n from S and the pitch, Tap mode only. Returns nothing when nothing was stored
// (another mode, or neither unit checked).
std::optional<QString> computeTapSpindleSpeed(FormulaContext &ctx);

// The pi text a window sets at load.
QString makePiText(const NumberLocale &locale);

} // namespace calc
