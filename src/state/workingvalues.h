#pragma once

// The one process-wide record of everything the user typed or chose. It belongs to the
// start-up module; both main windows read and write it, so a language switch loses nothing.

#include "calc/toolvalues.h"

#include <QString>

#include <array>
#include <cstdint>

// The language of the main window; the settings file stores it as LanguageState.
enum class Language { Danish, English };

struct WorkingValues
{
    ToolValues mill;
    ToolValues drill;
    ToolValues tap;

    // Shared settings, stored in the settings file.
    std::uint8_t decimalCount = 0;  // 0..3
    std::uint8_t languageState = 0; // 0 nothing stored, 1 Danish, 2 English, 3 no window
    bool inchUnits = false;
    bool metricUnits = false;
    bool threadsPerInchSelected = false;
    bool pitchMmSelected = false;
    bool decimalIsPeriod = false;
    bool spareFlag1 = false;
    bool spareFlag2 = false;

    // Run-time values, not stored.
    QString settingsPath;
    bool mayCreateSettingsFolder = false; // the user's configuration folder, made on saving
    QString piText;

    ToolValues &tool(ToolMode mode)
    {
        return mode == ToolMode::Mill ? mill : mode == ToolMode::Drill ? drill : tap;
    }
    const ToolValues &tool(ToolMode mode) const
    {
        return mode == ToolMode::Mill ? mill : mode == ToolMode::Drill ? drill : tap;
    }

    // The parts that the settings file holds, compared.
    bool sameStoredValues(const WorkingValues &o) const
    {
        return mill == o.mill && drill == o.drill && tap == o.tap &&
               decimalCount == o.decimalCount && languageState == o.languageState &&
               inchUnits == o.inchUnits && metricUnits == o.metricUnits &&
               threadsPerInchSelected == o.threadsPerInchSelected &&
               pitchMmSelected == o.pitchMmSelected && decimalIsPeriod == o.decimalIsPeriod &&
               spareFlag1 == o.spareFlag1 && spareFlag2 == o.spareFlag2;
    }
};
