// SPDX-License-Identifier: MIT
#pragma once

// Which formulas Enter in a field (or leaving it) runs, in order. Every chain ends with the
// CNC line and the save, which the session adds.

#include "calc/fields.h"

#include <bitset>
#include <vector>

namespace session {

using calc::AllFields;
using calc::Field;
using calc::ToolMode;
using calc::ToolValues;

enum class Step {
    EvaluateFraction, // a diameter typed as "1 1/2" becomes its value
    CuttingSpeed,     // V from D and n
    SpindleSpeed,     // n from V and D
    FeedPerTooth,     // Sz from S, Z and n
    FeedRate,         // S from Sz, Z and n, or from the pitch for taps
    TapSpindleSpeed,  // n from S and the pitch
};

std::vector<Step> chainFor(Field field, ToolMode mode);

// The value a step computes and stores.
constexpr Field fieldWrittenBy(Step step)
{
    switch (step) {
    case Step::EvaluateFraction:
        return Field::Diameter;
    case Step::CuttingSpeed:
        return Field::CuttingSpeed;
    case Step::SpindleSpeed:
    case Step::TapSpindleSpeed:
        return Field::SpindleSpeed;
    case Step::FeedPerTooth:
        return Field::FeedPerTooth;
    case Step::FeedRate:
        return Field::FeedRate;
    }
    return Field::SpindleSpeed;
}

// A set of values, indexed by Field.
using FieldSet = std::bitset<calc::FieldCount>;

// The values a step reads in a mode; pitch is the tap's pitch in use.
FieldSet fieldsReadBy(Step step, ToolMode mode, Field pitch);

// What the pitch-unit options, the units and the decimals menus recompute.
inline const std::vector<Step> SpeedAndFeedChain{Step::SpindleSpeed, Step::FeedRate};

} // namespace session
