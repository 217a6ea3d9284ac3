#pragma once

// The values of one tool kind, as texts: a value is exactly what its field shows, with the
// decimal separator and any fraction notation as typed. Numbers exist only inside a formula.

#include <QString>

#include <array>

enum class ToolMode { Mill, Drill, Tap };

// The eight quantities, in the order of the settings file's records.
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

inline constexpr std::array<Field, 8> AllFields{
    Field::Diameter, Field::Flutes,         Field::FeedPerTooth, Field::CuttingSpeed,
    Field::PitchMm,  Field::ThreadsPerInch, Field::SpindleSpeed, Field::FeedRate};

struct ToolValues
{
    QString diameter;       // DiameterSkærText
    QString flutes;         // AntalSkærText
    QString feedPerTooth;   // TilspændingTandText
    QString cuttingSpeed;   // SkærehastighedText
    QString pitchMm;        // StigningText
    QString threadsPerInch; // StigningTextTomme
    QString spindleSpeed;   // OmdrejningerText
    QString feedRate;       // TilspændingOmdrText

    QString &operator[](Field field) { return *members()[std::size_t(field)]; }
    const QString &operator[](Field field) const
    {
        return *const_cast<ToolValues *>(this)->members()[std::size_t(field)];
    }

    bool operator==(const ToolValues &) const = default;

private:
    std::array<QString *, 8> members()
    {
        return {&diameter, &flutes,         &feedPerTooth, &cuttingSpeed,
                &pitchMm,  &threadsPerInch, &spindleSpeed, &feedRate};
    }
};
