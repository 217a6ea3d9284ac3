// SPDX-License-Identifier: MIT
#pragma once

// The eight quantities of a tool, each described once (FieldTable). Everything that walks the
// quantities (the settings file, the window's controls and captions, the report, the CNC line)
// walks that table or an array indexed by Field.
//
// A value is a text: exactly what its field shows, with the decimal separator and any
// fraction notation as typed. Numbers exist only inside a formula.

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace calc {

enum class ToolMode { Mill, Drill, Tap };

// The quantities, in the order of the settings file's records.
enum class Field {
    Diameter,
    Flutes,
    FeedPerTooth,
    CuttingSpeed,
    PitchMm,
    ThreadsPerInch,
    SpindleSpeed,
    FeedRate
};

inline constexpr std::size_t FieldCount = 8;

// Which tool modes show a field, with its caption.
enum class ShownFor : std::uint8_t {
    AllModes,
    MillAndDrill,
    TapInMm,            // a tap whose pitch is in mm
    TapInThreadsPerInch // a tap whose pitch is in threads per inch
};

// What the CNC line "S<n> M03 F<S> (<D> ...)" takes from a field.
enum class LineUse : std::uint8_t {
    None,
    SpindleWord, // S, rounded to a whole number
    FeedWord,    // F, as typed
    Diameter,    // after "(", rounded to 4 decimals
    Edges,       // a mill's edge count, as typed
    Pitch        // a tap's pitch in the selected unit, as typed
};

struct FieldInfo
{
    Field field;
    int millRecord; // its record in the settings file; the drill's is 8 later, the tap's 16
    ShownFor shownFor;
    LineUse lineUse;
    // Its place in the printed report's tool block (the results come last); the pitch leads
    // a tap's block.
    int reportOrder;
    bool result;              // a result (the results frame); the rest are the tool's data
    const char *firstRunText; // every kind's value before any settings file exists
};

// clang-format off
inline constexpr std::array<FieldInfo, FieldCount> FieldTable{{
//   field                  record  shown for                       CNC line              report  result  first run
    {Field::Diameter,       1,      ShownFor::AllModes,             LineUse::Diameter,    1,      false,  "1"},
    {Field::Flutes,         2,      ShownFor::MillAndDrill,         LineUse::Edges,       2,      false,  "1"},
    {Field::FeedPerTooth,   3,      ShownFor::MillAndDrill,         LineUse::None,        3,      false,  "1"},
    {Field::CuttingSpeed,   4,      ShownFor::AllModes,             LineUse::None,        4,      false,  "1"},
    {Field::PitchMm,        5,      ShownFor::TapInMm,              LineUse::Pitch,       0,      false,  "1"},
    {Field::ThreadsPerInch, 6,      ShownFor::TapInThreadsPerInch,  LineUse::Pitch,       0,      false,  "1"},
    {Field::SpindleSpeed,   7,      ShownFor::AllModes,             LineUse::SpindleWord, 5,      true,   "4"},
    {Field::FeedRate,       8,      ShownFor::AllModes,             LineUse::FeedWord,    6,      true,   "4"},
}};
// clang-format on

constexpr const FieldInfo &info(Field field)
{
    return FieldTable[std::size_t(field)];
}

// Every field, in table order.
inline constexpr std::array<Field, FieldCount> AllFields = [] {
    std::array<Field, FieldCount> fields{};
    for (std::size_t i = 0; i < FieldCount; ++i)
        fields[i] = FieldTable[i].field;
    return fields;
}();

constexpr bool tableIsInFieldOrder()
{
    for (std::size_t i = 0; i < FieldCount; ++i) {
        if (std::size_t(FieldTable[i].field) != i || FieldTable[i].millRecord != int(i) + 1)
            return false;
    }
    return true;
}
static_assert(tableIsInFieldOrder(), "FieldTable lists each Field at its index and record");

// Whether a tool mode shows the field; mmPitch: the tap's pitch unit is mm.
constexpr bool isShown(Field field, ToolMode mode, bool mmPitch)
{
    switch (info(field).shownFor) {
    case ShownFor::AllModes:
        return true;
    case ShownFor::MillAndDrill:
        return mode != ToolMode::Tap;
    case ShownFor::TapInMm:
        return mode == ToolMode::Tap && mmPitch;
    case ShownFor::TapInThreadsPerInch:
        return mode == ToolMode::Tap && !mmPitch;
    }
    return false;
}

// The values of one tool kind, indexed by Field.
struct ToolValues
{
    std::array<QString, FieldCount> texts;

    QString &operator[](Field field) { return texts[std::size_t(field)]; }
    const QString &operator[](Field field) const { return texts[std::size_t(field)]; }

    bool operator==(const ToolValues &) const = default;
};

} // namespace calc
