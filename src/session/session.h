// SPDX-License-Identifier: MIT
#pragma once

// The engine of a run: it works on the process's settings, which outlive every
// window, and answers every action a main window has. Each action returns what the window must
// show; the window draws that and never reads a widget to compute.
//
// What an action does, and where:
//  - typing stores the text into the selected kind's value (setText); nothing is computed;
//  - Enter in a field, or leaving it, runs the field's chain (chains.h): the formulas of
//    calc/formulas.h in a fixed order, each on numbers read from the texts, its result stored
//    as a rounded text; then the CNC line (calc/cncline.h) and the save;
//  - a tool mode loads that kind's values and rebuilds the line, with no formula;
//  - a pitch unit, the units and the decimals run the spindle-speed and feed-rate chain; the
//    units run it on every kind, since each kind's n and S are read in the units in force;
//  - the first input error stops a chain: what the chain was to compute from the value that
//    failed (or from the field entered, or a result already changed) is emptied, and so is
//    the line; what it only reads stays, so the corrected entry computes at once. Nothing is
//    saved, and the window shows its input-error message.
// So the line, and the n and S a save writes, always belong to one computation on the values
// beside them (or stand as the file gave them). The settings file is written only after a
// CNC line was built; closing writes nothing.

#include "calc/cncline.h"
#include "calc/fields.h"
#include "calc/formulas.h"
#include "calc/numbers.h"
#include "session/chains.h"
#include "settings/settings.h"
#include "settings/settingsfile.h"
#include "settings/startup.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace session {

using calc::Language;
using calc::PitchUnit;
using calc::Units;
using settings::Settings;

// Writes the settings file; tests hand in their own.
using Saver = std::function<settings::SaveResult(const Settings &)>;

// What the window must show after an action: the window draws this and decides nothing.
struct Outcome
{
    std::array<QString, calc::FieldCount> fields; // indexed by Field
    QString cncLine;
    ToolMode mode = ToolMode::Mill;
    Units units = Units::Inch; // the unit system in force, checked in the units menu
    // The units menu and the load each have captions of their own; the menu's show once it
    // was used in this window.
    bool unitsFromMenu = false;
    int decimalCount = 0;                            // checked in the decimals menu
    PitchUnit pitchUnit = PitchUnit::ThreadsPerInch; // the pitch option that is set
    // Each entry field with its caption, indexed by Field.
    std::array<bool, calc::FieldCount> fieldShown{};
    bool flutesEditable = true; // a drill's Z is always 1
    bool pitchOptionsShown = false;
    bool inputError = false;          // show the input-error message once
    std::optional<Field> failedField; // with inputError: the value it is blamed on
    bool computed = false;            // formulas ran and built a line: n, S and the line are new
    bool saved = false;               // the settings file was written (or tried)
    std::optional<settings::SaveResult> saveWarning; // a failed save not told yet
    std::vector<settings::StartNotice> startNotices; // what the start has to tell; once a run

    const QString &field(Field f) const { return fields[std::size_t(f)]; }
    bool shown(Field f) const { return fieldShown[std::size_t(f)]; }
};

class Session
{
public:
    // Saves through saver (none: nothing is saved); the first load hands over the notices.
    Session(Settings &settings, calc::NumberLocale locale, Saver saver = {},
            std::vector<settings::StartNotice> startNotices = {});
    // Saves to the file, which must outlive the session.
    Session(Settings &settings, calc::NumberLocale locale, const settings::SettingsFile &file,
            std::vector<settings::StartNotice> startNotices = {});

    const Settings &settings() const { return m_settings; }
    const calc::NumberLocale &locale() const { return m_locale; }
    ToolMode mode() const { return m_mode; }
    // The character that a typed or pasted point or comma becomes.
    calc::DecimalSeparator decimalSeparator() const { return m_locale.decimal; }
    // Pi in the locale's notation, as load() makes it; the formulas read it at each use.
    const QString &piText() const { return m_piText; }
    // Puts other digits in place of what load() made, until the next load.
    void setPiText(const QString &text) { m_piText = text; }

    // A main window of this language opens: its CNC words, pi in the locale's notation and
    // the decimal key. Number texts that a file wrote in the other notation are translated
    // first. No formula runs and nothing is saved; the line starts
    // empty, and the fields show the selected kind's values. The first load of a run also
    // hands over the start's notices.
    Outcome load(const calc::CncWords &words);

    // Every change of a field's text, typed or written: stored, nothing computed.
    void setText(Field field, const QString &text);

    Outcome enter(Field field); // Enter in the field, or leaving it
    Outcome selectMode(ToolMode mode);
    Outcome selectPitchUnit(PitchUnit unit);
    Outcome selectUnits(Units units);
    Outcome selectDecimals(int count);

    // The language item: the next start opens that language. The focused field, if any, is
    // committed first as leaving it would be; when that fails, the outcome asks for the
    // input-error message, and the emptied results leave the new window no line to build.
    // Otherwise nothing is saved now; the new window's first CNC line saves it.
    Outcome switchLanguage(Language language, std::optional<Field> focused = std::nullopt);

    // The user edited the line field: it shows, copies and prints that text until a line is
    // built or emptied.
    void editLine(const QString &line);

    // What the window shows now, as the last action left it; the printed report reads it.
    Outcome outcome() const;

private:
    // Runs the steps on the selected kind under the one error trap, then builds the line and
    // saves; entered is the field whose Enter started it.
    Outcome runChain(const std::vector<Step> &steps, std::optional<Field> entered = std::nullopt);
    // Runs the steps on one kind's values; false on an input error, with what the failed step
    // and the steps after it were to compute from a new or failed value emptied (but the
    // entered field). entered empty: a setting changed that every formula reads.
    bool compute(ToolMode mode, const std::vector<Step> &steps, std::optional<Field> entered,
                 std::optional<Field> *failed = nullptr);
    // The value a failed step is blamed on: one that is no number, else a zero it divides by
    // (the entered value first), else the entered value, else the first it reads.
    Field blamedValue(ToolMode mode, Step step, std::optional<Field> entered,
                      std::optional<Field> unreadable) const;
    // One formula on one kind's values: reads its numbers, stores its result. Throws
    // InputError, with unreadable set when a value it read was no number.
    void runStep(ToolMode mode, Step step, std::optional<Field> &unreadable);
    // After the step `failed` threw: empties what it and the later steps would compute from
    // a new or failed value.
    void emptyAfterFailure(ToolMode mode, const std::vector<Step> &steps, std::size_t failed,
                           std::optional<Field> entered, std::optional<Field> unreadable);
    // Empties, from the step first on, what a step writes when it reads a changed value or
    // writes one (but the entered field); what it writes counts as changed in turn. Returns
    // every value changed.
    FieldSet emptyDependents(ToolMode mode, const std::vector<Step> &steps, std::size_t first,
                             FieldSet changed, std::optional<Field> entered);
    // The tap's pitch in use.
    Field pitchField() const;
    bool mmPitch() const { return m_settings.pitchUnit == PitchUnit::Millimetres; }
    // Whether a pitch-unit option computes from this pitch.
    bool startsPitchChain(const QString &pitch) const;
    // A formula's result as the value's text: rounded to `decimals`, ties to even.
    QString storedText(double result, int decimals) const;
    // Composes the CNC line; false on an input error, with the line left as it was and the
    // field it could not carry in rejected.
    bool rebuildLine(Field *rejected = nullptr);
    // Translates the separators of texts written under the other decimal notation.
    void translateStoredNotation();
    void save(Outcome &result);

    Settings &m_settings;
    calc::NumberLocale m_locale;
    std::vector<settings::StartNotice> m_startNotices;
    Saver m_saver;
    calc::CncWords m_words;
    QString m_piText;
    ToolMode m_mode = ToolMode::Mill;
    QString m_cncLine;
    std::optional<QString> m_toldFailure; // the reason of the failure last told, while it lasts
    bool m_unitsFromMenu = false;
};

} // namespace session
