// SPDX-License-Identifier: MIT
#pragma once

// The printed report of the current calculation (menu item printAction, Ctrl+P).
//
// Three steps, each testable on its own: reportInput takes what the session shows with the
// captions of the window's catalogue, buildReport turns that into the page's lines, and
// platform::printLines paints them. printReport strings them together behind the print
// dialog.

#include "platform/printer.h"
#include "session/session.h"
#include "texts/reporttexts.h"
#include "texts/textcatalogue.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class QWidget;

namespace report {

using calc::Field;
using calc::ToolMode;
using texts::ReportTexts;

// What the main window shows, as the report prints it.
struct ReportInput
{
    ToolMode mode = ToolMode::Mill;
    std::array<QString, calc::FieldCount> captions; // indexed by Field
    std::array<QString, calc::FieldCount> fields;   // indexed by Field
    std::array<bool, calc::FieldCount> shown{};     // the field and its caption show
    QString cncLine;
    QString decimalsLabel;
    QString unitsLabel;

    QString date; // in the user's short date format
    QString time; // in the user's time format

    bool operator==(const ReportInput &) const = default;
};

// Left edges and font sizes of the page.
inline constexpr int TextMm = 30;
inline constexpr int RuleMm = 20;
inline constexpr int TitlePoints = 12;
inline constexpr int BodyPoints = 9;

// What a window of this catalogue shows for the outcome. The date and time stay empty;
// stampDateTime fills them.
[[nodiscard]] ReportInput reportInput(const session::Outcome &shown,
                                      const texts::TextCatalogue &texts);

// The report's lines from the top of the page, blank lines included.
[[nodiscard]] QList<platform::PrintLine> buildReport(const ReportInput &input,
                                                     const ReportTexts &texts);

// Writes when into the input in the user's date and time formats.
void stampDateTime(ReportInput &input, const QDateTime &when);

// A report can be printed only when the spindle speed and the feed rate are there.
[[nodiscard]] bool hasResult(const ReportInput &input);

// The step that chooses a printer and prints: it calls makeLines once the printer is chosen,
// and tells whether the page was printed (false: the user cancelled, or the printer failed).
using PrintStep = std::function<bool(QWidget *owner,
                                     const std::function<QList<platform::PrintLine>()> &makeLines)>;

enum class PrintOutcome {
    Printed,
    NotPrinted,   // the print dialog was cancelled, or the printer failed
    MissingResult // n or S was empty: the message was shown, no dialog
};

// The printAction command: the missing-result message over owner when n or S is empty,
// otherwise the print dialog and the report of shown, dated at the moment of printing.
[[nodiscard]] PrintOutcome printReport(QWidget *owner, const ReportInput &shown,
                                       const ReportTexts &texts);

// The same command with the printing step and the clock passed in.
[[nodiscard]] PrintOutcome printReport(QWidget *owner, const ReportInput &shown,
                                       const ReportTexts &texts, const PrintStep &print,
                                       const std::function<QDateTime()> &clock);

} // namespace report
