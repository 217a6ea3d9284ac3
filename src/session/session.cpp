// SPDX-License-Identifier: MIT
#include "session/session.h"

#include "calc/formulas.h"
#include "calc/fraction.h"
#include "session/chains.h"

#include <algorithm>

namespace session {

using settings::decimalCountInMenu;

namespace {

// A pitch-unit option computes from a pitch of at least this much; an empty pitch, 0 or a
// negative one starts nothing. A text that is no number computes, and fails as any typo does.
constexpr double LeastPitch = 0.001;

// V and Sz keep this many decimals; n and S the count the decimals menu chose.
constexpr int FixedDecimals = 8;

} // namespace

bool Session::startsPitchChain(const QString &pitch) const
{
    if (pitch.trimmed().isEmpty())
        return false;
    try {
        return calc::textToNumber(pitch, m_locale) >= LeastPitch;
    } catch (const calc::InputError &) {
        return true;
    }
}

Session::Session(Settings &settings, calc::NumberLocale locale, Saver saver,
                 std::vector<settings::StartNotice> startNotices)
    : m_settings(settings), m_locale(locale), m_startNotices(std::move(startNotices)),
      m_saver(std::move(saver))
{
}

Session::Session(Settings &settings, calc::NumberLocale locale, const settings::SettingsFile &file,
                 std::vector<settings::StartNotice> startNotices)
    : Session(
          settings, locale, [&file](const Settings &values) { return file.save(values); },
          std::move(startNotices))
{
}

Outcome Session::load(const calc::CncWords &words)
{
    m_words = words;
    m_mode = ToolMode::Mill;
    m_cncLine.clear();
    m_unitsFromMenu = false;
    m_piText = calc::makePiText(m_locale);
    m_settings.decimalCount = decimalCountInMenu(m_settings.decimalCount);
    translateStoredNotation();
    // The decimal key gives the separator that the number reader takes.
    m_settings.decimalSeparator = m_locale.decimal;
    Outcome result = outcome();
    result.startNotices = std::exchange(m_startNotices, {});
    return result;
}

void Session::translateStoredNotation()
{
    // A file holds its numbers as the locale that wrote it did; one program folder may serve
    // PCs with other regional settings. The two separators trade places, so a digit group
    // of that locale stays a digit group.
    const QChar written = m_settings.decimalSeparator;
    const QChar wanted = m_locale.decimal;
    if (written == wanted)
        return;
    for (ToolValues *tool : {&m_settings.mill, &m_settings.drill, &m_settings.tap}) {
        for (Field field : AllFields) {
            for (QChar &c : (*tool)[field]) {
                if (c == written)
                    c = wanted;
                else if (c == wanted)
                    c = written;
            }
        }
    }
}

void Session::setText(Field field, const QString &text)
{
    m_settings.tool(m_mode)[field] = text;
}

Outcome Session::enter(Field field)
{
    return runChain(chainFor(field, m_mode), field);
}

Outcome Session::selectMode(ToolMode mode)
{
    m_mode = mode;
    // No formula runs and no message shows. A line that cannot be built is not shown, nor
    // saved, so that neither the window nor the file pairs values with another tool's line.
    const bool built = rebuildLine();
    if (!built)
        m_cncLine.clear();
    Outcome saving;
    if (built)
        save(saving);
    // A drill's feed has no edge count: its Z becomes 1, after the save.
    if (mode == ToolMode::Drill)
        m_settings.drill[Field::Flutes] = QStringLiteral("1");
    Outcome result = outcome();
    result.saved = saving.saved;
    result.saveWarning = std::move(saving.saveWarning);
    return result;
}

Outcome Session::selectPitchUnit(PitchUnit unit)
{
    m_settings.pitchUnit = unit;
    ToolValues &tap = m_settings.tap;
    if (m_mode != ToolMode::Tap || !startsPitchChain(tap[pitchField()])) {
        // Nothing computes the tap's feed now, and the one it has belonged to the other pitch.
        tap[Field::FeedRate].clear();
        if (m_mode == ToolMode::Tap)
            m_cncLine.clear();
        return outcome();
    }
    return runChain(SpeedAndFeedChain);
}

Outcome Session::selectUnits(Units units)
{
    m_settings.units = units;
    m_unitsFromMenu = true;
    // Every kind's n and S are read in the units in force; the kinds not shown fail silently.
    for (const ToolMode other : {ToolMode::Mill, ToolMode::Drill, ToolMode::Tap}) {
        if (other != m_mode)
            compute(other, SpeedAndFeedChain, std::nullopt);
    }
    return runChain(SpeedAndFeedChain);
}

Outcome Session::selectDecimals(int count)
{
    m_settings.decimalCount = decimalCountInMenu(count);
    return runChain(SpeedAndFeedChain);
}

Outcome Session::switchLanguage(Language language, std::optional<Field> focused)
{
    m_settings.language = language;
    // A failed commit empties the results the new window's first line would need.
    return focused ? enter(*focused) : outcome();
}

void Session::editLine(const QString &line)
{
    m_cncLine = line;
}

Outcome Session::outcome() const
{
    Outcome result;
    const ToolValues &tool = m_settings.tool(m_mode);
    for (Field field : AllFields)
        result.fields[std::size_t(field)] = tool[field];
    result.cncLine = m_cncLine;
    result.mode = m_mode;
    result.units = m_settings.units;
    result.unitsFromMenu = m_unitsFromMenu;
    result.decimalCount = m_settings.decimalCount;
    result.pitchUnit = m_settings.pitchUnit;
    for (Field field : AllFields)
        result.fieldShown[std::size_t(field)] = calc::isShown(field, m_mode, mmPitch());
    result.flutesEditable = m_mode != ToolMode::Drill;
    result.pitchOptionsShown = m_mode == ToolMode::Tap;
    return result;
}

Outcome Session::runChain(const std::vector<Step> &steps, std::optional<Field> entered)
{
    ToolValues &tool = m_settings.tool(m_mode);
    const QString typed = entered ? tool[*entered] : QString();
    std::optional<Field> failed;
    bool built = compute(m_mode, steps, entered, &failed);
    Field rejected = Field::Diameter;
    if (built && !rebuildLine(&rejected)) {
        built = false;
        // A value this chain computed is wrong because of the one entered.
        const bool computedHere = std::any_of(steps.begin(), steps.end(), [rejected](Step step) {
            return fieldWrittenBy(step) == rejected;
        });
        failed = computedHere && entered ? *entered : rejected;
        // Every step ran; what the line cannot carry stops only what was computed from it. The
        // entered field, which a step may have computed from it too, shows what was typed.
        FieldSet changed;
        changed.set(std::size_t(rejected));
        changed = emptyDependents(m_mode, steps, 0, changed, entered);
        if (entered && changed.test(std::size_t(*entered)))
            tool[*entered] = typed;
    }
    if (!built)
        m_cncLine.clear();
    Outcome result = outcome();
    if (built)
        save(result);
    result.inputError = !built;
    result.failedField = failed;
    result.computed = built;
    return result;
}

Field Session::pitchField() const
{
    return mmPitch() ? Field::PitchMm : Field::ThreadsPerInch;
}

FieldSet Session::emptyDependents(ToolMode mode, const std::vector<Step> &steps, std::size_t first,
                                  FieldSet changed, std::optional<Field> entered)
{
    ToolValues &tool = m_settings.tool(mode);
    // A step may read what a later one writes (Sz reads n in a mill's feed-rate chain), so the
    // steps are walked until nothing more is emptied.
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = first; i < steps.size(); ++i) {
            const std::size_t written = std::size_t(fieldWrittenBy(steps[i]));
            if (!changed.test(written) &&
                (fieldsReadBy(steps[i], mode, pitchField()) & changed).none())
                continue;
            if (Field(written) != entered)
                tool[Field(written)].clear();
            grew = grew || !changed.test(written);
            changed.set(written);
        }
    }
    return changed;
}

bool Session::compute(ToolMode mode, const std::vector<Step> &steps, std::optional<Field> entered,
                      std::optional<Field> *failed)
{
    std::optional<Field> unreadable;
    std::size_t current = 0;
    try {
        for (; current < steps.size(); ++current)
            runStep(mode, steps[current], unreadable);
    } catch (const calc::InputError &) {
        if (failed) // before the emptying, which may clear a zero it divided by
            *failed = blamedValue(mode, steps[current], entered, unreadable);
        emptyAfterFailure(mode, steps, current, entered, unreadable);
        return false;
    }
    return true;
}

Field Session::blamedValue(ToolMode mode, Step step, std::optional<Field> entered,
                           std::optional<Field> unreadable) const
{
    if (unreadable)
        return *unreadable;
    const FieldSet read = fieldsReadBy(step, mode, pitchField());
    std::vector<Field> candidates;
    if (entered && read.test(std::size_t(*entered)))
        candidates.push_back(*entered);
    for (Field field : AllFields)
        if (read.test(std::size_t(field)) && field != entered)
            candidates.push_back(field);
    const ToolValues &tool = m_settings.tool(mode);
    for (Field field : candidates) {
        try {
            if (calc::textToNumber(tool[field], m_locale) == 0.0)
                return field;
        } catch (const calc::InputError &) {
            return field; // a fraction that is none
        }
    }
    return candidates.empty() ? entered.value_or(Field::Diameter) : candidates.front();
}

void Session::runStep(ToolMode mode, Step step, std::optional<Field> &unreadable)
{
    ToolValues &tool = m_settings.tool(mode);
    const Units units = m_settings.units;
    const PitchUnit pitchUnit = m_settings.pitchUnit;
    const Field pitch = pitchField();
    const auto number = [&](Field field) {
        try {
            return calc::textToNumber(tool[field], m_locale);
        } catch (const calc::InputError &) {
            unreadable = field;
            throw;
        }
    };
    // Read back at each use, so that pi has exactly the digits the window holds.
    const auto pi = [&] { return calc::textToNumber(m_piText, m_locale); };
    const auto store = [&](Field field, double result, int decimals) {
        tool[field] = storedText(result, decimals);
    };
    const int decimals = m_settings.decimalCount;
    switch (step) {
    case Step::EvaluateFraction:
        if (tool[Field::Diameter].contains(QLatin1Char('/'))) {
            // An entry that is no fraction stays as typed, with the message.
            const QString value = calc::evaluateFraction(tool[Field::Diameter], m_locale);
            if (value.isEmpty())
                throw calc::InputError("not a fraction");
            tool[Field::Diameter] = value;
        }
        break;
    case Step::CuttingSpeed:
        store(Field::CuttingSpeed,
              calc::cuttingSpeed(number(Field::Diameter), number(Field::SpindleSpeed), pi(), units),
              FixedDecimals);
        break;
    case Step::SpindleSpeed:
        store(Field::SpindleSpeed,
              calc::spindleSpeed(number(Field::CuttingSpeed), number(Field::Diameter), pi(), units),
              decimals);
        break;
    case Step::FeedPerTooth:
        store(Field::FeedPerTooth,
              calc::feedPerTooth(number(Field::FeedRate), number(Field::Flutes),
                                 number(Field::SpindleSpeed)),
              FixedDecimals);
        break;
    case Step::FeedRate:
        if (mode == ToolMode::Tap)
            store(Field::FeedRate,
                  calc::tapFeedRate(number(pitch), pitchUnit, number(Field::SpindleSpeed), units),
                  decimals);
        else // a drill's feed has no edge count, whatever Z holds
            store(Field::FeedRate,
                  calc::feedRate(number(Field::FeedPerTooth),
                                 mode == ToolMode::Drill ? 1.0 : number(Field::Flutes),
                                 number(Field::SpindleSpeed)),
                  decimals);
        break;
    case Step::TapSpindleSpeed:
        store(Field::SpindleSpeed,
              calc::tapSpindleSpeed(number(Field::FeedRate), number(pitch), pitchUnit, units),
              decimals);
        break;
    }
}

void Session::emptyAfterFailure(ToolMode mode, const std::vector<Step> &steps, std::size_t failed,
                                std::optional<Field> entered, std::optional<Field> unreadable)
{
    // What the failed step and the steps after it would compute from a new or failed value
    // would belong to other inputs: it is emptied. What they only read stays, and so do the
    // results already computed.
    FieldSet changed;
    if (entered)
        changed.set(std::size_t(*entered));
    else
        changed.set(); // a setting that every formula reads
    for (std::size_t i = 0; i <= failed; ++i)
        changed.set(std::size_t(fieldWrittenBy(steps[i])));
    if (unreadable)
        changed.set(std::size_t(*unreadable));
    emptyDependents(mode, steps, failed, changed, entered);
}

QString Session::storedText(double result, int decimals) const
{
    // The result is first written with 15 significant digits, and that text is rounded: a
    // tie is judged on what those digits show.
    const double written = calc::textToNumber(calc::numberToText(result, m_locale), m_locale);
    return calc::numberToText(calc::roundHalfEven(written, decimals), m_locale);
}

bool Session::rebuildLine(Field *rejected)
{
    const ToolValues &tool = m_settings.tool(m_mode);
    // A minus sign in any field that the line or its formulas read is an input error, though
    // the line itself may not show that field. They read every field shown but a drill's Z,
    // which its feed leaves out.
    for (Field field : AllFields) {
        const bool read = calc::isShown(field, m_mode, mmPitch()) &&
                          !(m_mode == ToolMode::Drill && field == Field::Flutes);
        if (read && tool[field].trimmed().startsWith(QLatin1Char('-'))) {
            if (rejected)
                *rejected = field;
            return false;
        }
    }
    const calc::CncInput input{m_mode, m_settings.pitchUnit, tool, m_settings.units};
    try {
        calc::composeCncLine(input, m_words, m_locale, m_cncLine);
    } catch (const calc::LineInputError &error) {
        if (rejected)
            *rejected = error.field();
        return false;
    }
    return true;
}

void Session::save(Outcome &result)
{
    result.saved = true;
    if (!m_saver)
        return;
    const settings::SaveResult report = m_saver(m_settings);
    // A failure is told once while it lasts: again after a save that held, or for a new reason.
    if (!report.toBeTold()) {
        m_toldFailure.reset();
    } else if (m_toldFailure != report.reason) {
        m_toldFailure = report.reason;
        result.saveWarning = report;
    }
}

} // namespace session
