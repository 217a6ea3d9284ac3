// SPDX-License-Identifier: MIT
#pragma once

// The one process-wide record of everything the user typed or chose. It belongs to the start;
// both main windows read and write it through the session, so a language switch loses
// nothing. The settings file (settingsfile.h) reads and writes it.

#include "calc/fields.h"
#include "calc/formulas.h"
#include "calc/language.h"
#include "calc/numbers.h"

#include <QChar>

#include <algorithm>

namespace settings {

using calc::Field;
using calc::Language;
using calc::PitchUnit;
using calc::ToolMode;
using calc::ToolValues;
using calc::Units;

// Only 0 to 3 decimals have a menu item; a larger count (an edited file) means as many as
// there are.
inline constexpr int MostDecimalsInMenu = 3;
inline int decimalCountInMenu(int count)
{
    return std::clamp(count, 0, MostDecimalsInMenu);
}

struct Settings
{
    ToolValues mill;
    ToolValues drill;
    ToolValues tap;

    int decimalCount = 0;                  // of n and S, 0..MostDecimalsInMenu
    Language language = Language::English; // the window the next start opens
    Units units = Units::Inch;
    PitchUnit pitchUnit = PitchUnit::ThreadsPerInch;
    // The decimal separator the texts are written with (the file's notation record).
    calc::DecimalSeparator decimalSeparator = u',';

    ToolValues &tool(ToolMode mode)
    {
        return mode == ToolMode::Mill ? mill : mode == ToolMode::Drill ? drill : tap;
    }
    const ToolValues &tool(ToolMode mode) const
    {
        return mode == ToolMode::Mill ? mill : mode == ToolMode::Drill ? drill : tap;
    }

    bool operator==(const Settings &) const = default;
};

} // namespace settings
