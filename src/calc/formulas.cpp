// SPDX-License-Identifier: MIT
#include "calc/formulas.h"

namespace calc {

namespace {

constexpr double MmPerMetre = 1000.0;
constexpr double InchesPerFoot = 12.0;
constexpr double MmPerInch = 25.4;

double lengthPerSpeedUnit(Units units)
{
    return units == Units::Metric ? MmPerMetre : InchesPerFoot;
}

} // namespace

double cuttingSpeed(double diameter, double spindleSpeed, double pi, Units units)
{
    // D x n first: pi x D could overflow where D x n does not.
    return checkedDiv(checkedMul(pi, checkedMul(diameter, spindleSpeed)),
                      lengthPerSpeedUnit(units));
}

double spindleSpeed(double cuttingSpeed, double diameter, double pi, Units units)
{
    return checkedDiv(checkedMul(cuttingSpeed, lengthPerSpeedUnit(units)),
                      checkedMul(pi, diameter));
}

double feedPerTooth(double feedRate, double flutes, double spindleSpeed)
{
    return checkedDiv(feedRate, checkedMul(flutes, spindleSpeed));
}

double feedRate(double feedPerTooth, double flutes, double spindleSpeed)
{
    return checkedMul(checkedMul(feedPerTooth, flutes), spindleSpeed);
}

double tapFeedRate(double pitch, PitchUnit pitchUnit, double spindleSpeed, Units units)
{
    const bool metric = units == Units::Metric;
    if (pitchUnit == PitchUnit::Millimetres)
        return metric ? checkedMul(pitch, spindleSpeed)
                      : checkedMul(checkedDiv(pitch, MmPerInch), spindleSpeed);
    return checkedMul(checkedDiv(metric ? MmPerInch : 1.0, pitch), spindleSpeed);
}

double tapSpindleSpeed(double feedRate, double pitch, PitchUnit pitchUnit, Units units)
{
    const bool metric = units == Units::Metric;
    if (pitchUnit == PitchUnit::Millimetres)
        return metric ? checkedDiv(feedRate, pitch)
                      : checkedMul(checkedDiv(MmPerInch, pitch), feedRate);
    return metric ? checkedMul(checkedDiv(pitch, MmPerInch), feedRate)
                  : checkedMul(pitch, feedRate);
}

QString makePiText(const NumberLocale &locale)
{
    return numberToText(3.14159265358979, locale);
}

} // namespace calc
