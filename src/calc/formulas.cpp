#include "calc/formulas.h"

namespace calc {

namespace {

constexpr double mmPerMetre = 1000.0;
constexpr double inchesPerFoot = 12.0;
constexpr double mmPerInch = 25.4;
constexpr int storedDecimalsVSz = 8;

double Num(const FormulaContext &ctx, const QString &text)
{
    return textToNumber(text, ctx.locale);
}

// Read back from its text at each use, so that pi has exactly the digits the window shows.
double Pi(const FormulaContext &ctx)
{
    return Num(ctx, ctx.piText);
}

void SetResult(FormulaContext &ctx, double value)
{
    ctx.resultText = numberToText(value, ctx.locale);
}

// Rounds the last result into the target value and returns its text. Rounding that text
// once more would give the same text: it has no digits beyond the decimals kept.
QString Store(FormulaContext &ctx, QString &target, int decimals)
{
    target = numberToText(roundHalfEven(Num(ctx, ctx.resultText), decimals), ctx.locale);
    return target;
}

// S from n and the pitch in use; a pitch field that is shown is a pitch in use. With both
// shown, the threads-per-inch result is the one that stays.
void TapFeed(FormulaContext &ctx, bool metric)
{
    const ToolValues &v = ctx.values;
    if (ctx.pitchMmShown) {
        const double p = Num(ctx, v.pitchMm);
        const double n = Num(ctx, v.spindleSpeed);
        SetResult(ctx, metric ? checkedMul(p, n) : checkedMul(checkedDiv(p, mmPerInch), n));
    }
    if (ctx.threadsPerInchShown) {
        const double tpi = Num(ctx, v.threadsPerInch);
        const double n = Num(ctx, v.spindleSpeed);
        SetResult(ctx, checkedMul(checkedDiv(metric ? mmPerInch : 1.0, tpi), n));
    }
}

// n from S and the thread pitch.
void TapSpeed(FormulaContext &ctx, bool metric)
{
    const ToolValues &v = ctx.values;
    if (ctx.pitchMmShown) {
        const double s = Num(ctx, v.feedRate);
        const double p = Num(ctx, v.pitchMm);
        SetResult(ctx, metric ? checkedDiv(s, p) : checkedMul(checkedDiv(mmPerInch, p), s));
    }
    if (ctx.threadsPerInchShown) {
        const double tpi = Num(ctx, v.threadsPerInch);
        const double s = Num(ctx, v.feedRate);
        SetResult(ctx, metric ? checkedMul(checkedDiv(tpi, mmPerInch), s) : checkedMul(tpi, s));
    }
}

} // namespace

QString computeCuttingSpeed(FormulaContext &ctx)
{
    const ToolValues &v = ctx.values;
    if (ctx.metric) {
        const double pi = Pi(ctx);
        SetResult(ctx, checkedDiv(checkedMul(pi, checkedMul(Num(ctx, v.diameter),
                                                            Num(ctx, v.spindleSpeed))),
                                  mmPerMetre));
    }
    if (ctx.inch) {
        const double pi = Pi(ctx);
        SetResult(ctx, checkedDiv(checkedMul(pi, checkedMul(Num(ctx, v.diameter),
                                                            Num(ctx, v.spindleSpeed))),
                                  inchesPerFoot));
    }
    return Store(ctx, ctx.values.cuttingSpeed, storedDecimalsVSz);
}

QString computeSpindleSpeed(FormulaContext &ctx)
{
    const ToolValues &v = ctx.values;
    if (ctx.metric) {
        const double speed = checkedMul(Num(ctx, v.cuttingSpeed), mmPerMetre);
        SetResult(ctx, checkedDiv(speed, checkedMul(Pi(ctx), Num(ctx, v.diameter))));
    }
    if (ctx.inch) {
        const double speed = checkedMul(Num(ctx, v.cuttingSpeed), inchesPerFoot);
        SetResult(ctx, checkedDiv(speed, checkedMul(Pi(ctx), Num(ctx, v.diameter))));
    }
    return Store(ctx, ctx.values.spindleSpeed, ctx.decimalCount);
}

QString computeFeedPerTooth(FormulaContext &ctx)
{
    // No unit constant: both systems give the same number.
    const ToolValues &v = ctx.values;
    if (ctx.metric)
        SetResult(ctx, checkedDiv(Num(ctx, v.feedRate),
                                  checkedMul(Num(ctx, v.flutes), Num(ctx, v.spindleSpeed))));
    if (ctx.inch)
        SetResult(ctx, checkedDiv(Num(ctx, v.feedRate),
                                  checkedMul(Num(ctx, v.flutes), Num(ctx, v.spindleSpeed))));
    return Store(ctx, ctx.values.feedPerTooth, storedDecimalsVSz);
}

QString computeFeedRate(FormulaContext &ctx)
{
    const ToolValues &v = ctx.values;
    for (const bool metric : {true, false}) {
        if (!(metric ? ctx.metric : ctx.inch))
            continue;
        switch (ctx.mode) {
        case ToolMode::Mill:
            SetResult(ctx, checkedMul(checkedMul(Num(ctx, v.feedPerTooth), Num(ctx, v.flutes)),
                                      Num(ctx, v.spindleSpeed)));
            break;
        case ToolMode::Drill: // a drill's feed has no edge count
            SetResult(ctx, checkedMul(Num(ctx, v.feedPerTooth), Num(ctx, v.spindleSpeed)));
            break;
        case ToolMode::Tap:
            TapFeed(ctx, metric);
            break;
        }
    }
    return Store(ctx, ctx.values.feedRate, ctx.decimalCount);
}

std::optional<QString> computeTapSpindleSpeed(FormulaContext &ctx)
{
    if (ctx.mode != ToolMode::Tap)
        return std::nullopt;
    // Each checked unit stores on its own; with none checked nothing is stored.
    std::optional<QString> stored;
    if (ctx.metric) {
        TapSpeed(ctx, true);
        stored = Store(ctx, ctx.values.spindleSpeed, ctx.decimalCount);
    }
    if (ctx.inch) {
        TapSpeed(ctx, false);
        stored = Store(ctx, ctx.values.spindleSpeed, ctx.decimalCount);
    }
    return stored;
}

QString makePiText(const NumberLocale &locale)
{
    // Fifteen digits, not the full double: every result depends on exactly these.
    return numberToText(3.14159265358979, locale);
}

} // namespace calc
