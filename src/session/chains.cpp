// SPDX-License-Identifier: MIT
#include "session/chains.h"

namespace session {

std::vector<Step> chainFor(Field field, ToolMode mode)
{
    const bool tap = mode == ToolMode::Tap;
    switch (field) {
    case Field::Diameter:
        return {Step::EvaluateFraction, Step::SpindleSpeed, Step::FeedRate};
    case Field::Flutes:
    case Field::FeedPerTooth:
    case Field::CuttingSpeed:
    case Field::PitchMm:
    case Field::ThreadsPerInch:
        return SpeedAndFeedChain;
    case Field::SpindleSpeed:
        // A tap's n is fixed by the thread: it is not rounded through V again.
        if (tap)
            return {Step::CuttingSpeed, Step::FeedRate};
        return {Step::CuttingSpeed, Step::SpindleSpeed, Step::FeedRate};
    case Field::FeedRate:
        if (tap)
            return {Step::TapSpindleSpeed, Step::FeedPerTooth, Step::CuttingSpeed};
        return {Step::FeedPerTooth, Step::SpindleSpeed, Step::FeedRate};
    }
    return {};
}

FieldSet fieldsReadBy(Step step, ToolMode mode, Field pitch)
{
    FieldSet read;
    const auto reads = [&read](std::initializer_list<Field> fields) {
        for (const Field field : fields)
            read.set(std::size_t(field));
    };
    switch (step) {
    case Step::EvaluateFraction:
        reads({Field::Diameter});
        break;
    case Step::CuttingSpeed:
        reads({Field::Diameter, Field::SpindleSpeed});
        break;
    case Step::SpindleSpeed:
        reads({Field::CuttingSpeed, Field::Diameter});
        break;
    case Step::FeedPerTooth:
        reads({Field::FeedRate, Field::Flutes, Field::SpindleSpeed});
        break;
    case Step::FeedRate:
        if (mode == ToolMode::Tap)
            reads({pitch, Field::SpindleSpeed});
        else if (mode == ToolMode::Drill) // a drill's feed has no edge count
            reads({Field::FeedPerTooth, Field::SpindleSpeed});
        else
            reads({Field::FeedPerTooth, Field::Flutes, Field::SpindleSpeed});
        break;
    case Step::TapSpindleSpeed:
        reads({Field::FeedRate, pitch});
        break;
    }
    return read;
}

} // namespace session
