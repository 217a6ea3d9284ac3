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

} // namespace session
