#pragma once

// The one process-wide record of everything the user typed or chose. It belongs to the
// start-up module; both main windows read and write it, so a language switch loses nothing.

#include <QString>

#include <array>
#include <cstdint>

enum class ToolMode { Mill, Drill, Tap };

// The eight texts of one tool kind, each exactly as its entry field shows it.
struct ToolValues
{
    QString D;        // DiameterSkærText
    QString Z;        // AntalSkærText
    QString Sz;       // TilspændingTandText
    QString V;        // SkærehastighedText
    QString PitchMm;  // StigningText
    QString PitchTpi; // StigningTextTomme
    QString n;        // OmdrejningerText
    QString S;        // TilspændingOmdrText

    bool operator==(const ToolValues &) const = default;
};

struct WorkingValues
{
    ToolValues Mill;
    ToolValues Drill;
    ToolValues Tap;

    // Shared settings, stored in the settings file.
    std::uint8_t DecimalCount = 0;  // 0..3
    std::uint8_t LanguageState = 0; // 0 nothing stored, 1 Danish, 2 English, 3 no window
    bool InchUnits = false;
    bool MetricUnits = false;
    bool PitchTpiSelected = false;
    bool PitchMmSelected = false;
    bool DecimalIsPeriod = false;
    bool SpareFlag1 = false;
    bool SpareFlag2 = false;

    // Run-time values, not stored.
    QString SettingsPath;
    QString PiText;
    QString ResultText;

    ToolValues &values(ToolMode mode)
    {
        return mode == ToolMode::Mill ? Mill : mode == ToolMode::Drill ? Drill : Tap;
    }
    const ToolValues &values(ToolMode mode) const
    {
        return mode == ToolMode::Mill ? Mill : mode == ToolMode::Drill ? Drill : Tap;
    }

    // The parts that the settings file holds, compared.
    bool sameStoredValues(const WorkingValues &o) const
    {
        return Mill == o.Mill && Drill == o.Drill && Tap == o.Tap &&
               DecimalCount == o.DecimalCount && LanguageState == o.LanguageState &&
               InchUnits == o.InchUnits && MetricUnits == o.MetricUnits &&
               PitchTpiSelected == o.PitchTpiSelected && PitchMmSelected == o.PitchMmSelected &&
               DecimalIsPeriod == o.DecimalIsPeriod && SpareFlag1 == o.SpareFlag1 &&
               SpareFlag2 == o.SpareFlag2;
    }
};
