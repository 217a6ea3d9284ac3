#include "calc/formulas.h"

namespace calc {

namespace {

constexpr double mmPerMetre = 1000.0;
constexpr double inchesPerFoot = 12.0;
constexpr double mmPerInch = 25.4;
constexpr int storedDecimalsVSz = 8;

double Num(const FormulaContext &ctx, const QString &text)
{
    return TextToNumber(text, ctx.locale);
}

// Read back from its text at each use, so that pi has exactly the digits the window shows.
double Pi(const FormulaContext &ctx)
{
    return Num(ctx, ctx.piText);
}

void SetResult(FormulaContext &ctx, double value)
{
    ctx.resultText = NumberToText(value, ctx.locale);
}

// Rounds the last result into the target value. The field then gets the target's text
// rounded once more, which is the same text; that is what the function returns.
QString Store(FormulaContext &ctx, QString &target, int decimals)
{
    target = NumberToText(RoundHalfEven(Num(ctx, ctx.resultText), decimals), ctx.locale);
    return NumberToText(RoundHalfEven(Num(ctx, target), decimals), ctx.locale);
}

// S from n and the pitch in use; a pitch field that is shown is a pitch in use. With both
// shown, the threads-per-inch result is the one that stays.
void TapFeed(FormulaContext &ctx, bool metric)
{
    const ToolValues &v = ctx.values;
    if (ctx.pitchMmVisible) {
        const double p = Num(ctx, v.PitchMm);
        const double n = Num(ctx, v.n);
        SetResult(ctx, metric ? Mul(p, n) : Mul(Div(p, mmPerInch), n));
    }
    if (ctx.pitchTpiVisible) {
        const double tpi = Num(ctx, v.PitchTpi);
        const double n = Num(ctx, v.n);
        SetResult(ctx, Mul(Div(metric ? mmPerInch : 1.0, tpi), n));
    }
}

// n from S and the thread pitch.
void TapSpeed(FormulaContext &ctx, bool metric)
{
    const ToolValues &v = ctx.values;
    if (ctx.pitchMmVisible) {
        const double s = Num(ctx, v.S);
        const double p = Num(ctx, v.PitchMm);
        SetResult(ctx, metric ? Div(s, p) : Mul(Div(mmPerInch, p), s));
    }
    if (ctx.pitchTpiVisible) {
        const double tpi = Num(ctx, v.PitchTpi);
        const double s = Num(ctx, v.S);
        SetResult(ctx, metric ? Mul(Div(tpi, mmPerInch), s) : Mul(tpi, s));
    }
}

} // namespace

QString Beregn_V(FormulaContext &ctx)
{
    const ToolValues &v = ctx.values;
    if (ctx.metric) {
        const double pi = Pi(ctx);
        SetResult(ctx, Div(Mul(pi, Mul(Num(ctx, v.D), Num(ctx, v.n))), mmPerMetre));
    }
    if (ctx.inch) {
        const double pi = Pi(ctx);
        SetResult(ctx, Div(Mul(pi, Mul(Num(ctx, v.D), Num(ctx, v.n))), inchesPerFoot));
    }
    return Store(ctx, ctx.values.V, storedDecimalsVSz);
}

QString Beregn_n(FormulaContext &ctx)
{
    const ToolValues &v = ctx.values;
    if (ctx.metric) {
        const double speed = Mul(Num(ctx, v.V), mmPerMetre);
        SetResult(ctx, Div(speed, Mul(Pi(ctx), Num(ctx, v.D))));
    }
    if (ctx.inch) {
        const double speed = Mul(Num(ctx, v.V), inchesPerFoot);
        SetResult(ctx, Div(speed, Mul(Pi(ctx), Num(ctx, v.D))));
    }
    return Store(ctx, ctx.values.n, ctx.decimalCount);
}

QString Beregn_Sz(FormulaContext &ctx)
{
    // No unit constant: both systems give the same number.
    const ToolValues &v = ctx.values;
    if (ctx.metric)
        SetResult(ctx, Div(Num(ctx, v.S), Mul(Num(ctx, v.Z), Num(ctx, v.n))));
    if (ctx.inch)
        SetResult(ctx, Div(Num(ctx, v.S), Mul(Num(ctx, v.Z), Num(ctx, v.n))));
    return Store(ctx, ctx.values.Sz, storedDecimalsVSz);
}

QString Beregn_S(FormulaContext &ctx)
{
    const ToolValues &v = ctx.values;
    for (const bool metric : {true, false}) {
        if (!(metric ? ctx.metric : ctx.inch))
            continue;
        switch (ctx.mode) {
        case ToolMode::Mill:
            SetResult(ctx, Mul(Mul(Num(ctx, v.Sz), Num(ctx, v.Z)), Num(ctx, v.n)));
            break;
        case ToolMode::Drill: // a drill's feed has no edge count
            SetResult(ctx, Mul(Num(ctx, v.Sz), Num(ctx, v.n)));
            break;
        case ToolMode::Tap:
            TapFeed(ctx, metric);
            break;
        }
    }
    return Store(ctx, ctx.values.S, ctx.decimalCount);
}

std::optional<QString> Beregn_n_ved_Gevind(FormulaContext &ctx)
{
    if (ctx.mode != ToolMode::Tap)
        return std::nullopt;
    // Each checked unit stores on its own; with none checked nothing is stored.
    std::optional<QString> stored;
    if (ctx.metric) {
        TapSpeed(ctx, true);
        stored = Store(ctx, ctx.values.n, ctx.decimalCount);
    }
    if (ctx.inch) {
        TapSpeed(ctx, false);
        stored = Store(ctx, ctx.values.n, ctx.decimalCount);
    }
    return stored;
}

QString MakePiText(const NumberLocale &locale)
{
    // Fifteen digits, not the full double: every result depends on exactly these.
    return NumberToText(3.14159265358979, locale);
}

} // namespace calc
