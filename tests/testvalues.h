// SPDX-License-Identifier: MIT
#pragma once

// What the engine, window and hostile-input tests say alike: number texts in either locale,
// the tool kinds with their pitch unit, and the CNC words of the two windows.

#include "calc/cncline.h"
#include "calc/fields.h"

namespace testvalues {

// A number text written with a comma, in the notation of the locale.
inline QString numberText(const char *withComma, bool comma)
{
    QString text = QString::fromUtf8(withComma);
    if (!comma)
        text.replace(u',', u'.');
    return text;
}

// A tool kind together with the pitch unit in use.
enum class ToolKind { Mill, Drill, TapMm, TapTpi };

inline calc::ToolMode toolMode(ToolKind kind)
{
    return kind == ToolKind::Mill    ? calc::ToolMode::Mill
           : kind == ToolKind::Drill ? calc::ToolMode::Drill
                                     : calc::ToolMode::Tap;
}

inline const calc::CncWords DanishWords{QStringLiteral(" FR "), QStringLiteral(" SK)"),
                                        QStringLiteral(" BOR)"), QStringLiteral(" TAP "),
                                        QStringLiteral(" STIG)")};
inline const calc::CncWords EnglishWords{QStringLiteral(" MILL "), QStringLiteral(" FLUTES)"),
                                         QStringLiteral(" DRILL)"), QStringLiteral(" TAPS "),
                                         QStringLiteral(" PITCH)")};

} // namespace testvalues
