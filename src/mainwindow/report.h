#pragma once

// The printed report of the current calculation (menu item printAction, Ctrl+P).
//
// Three steps, each testable on its own: readReportInput copies what the main window shows,
// buildReport turns that into the page's lines, and platform::printLines paints them.
// printMainWindowReport strings them together behind the print dialog.

#include "mainwindow/reporttexts.h"
#include "platform/printer.h"
#include "state/workingvalues.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace report {

using calc::ToolMode;
using mainwindow::ReportTexts;

// The captions and texts of the main window that the report prints.
struct ReportInput
{
    std::optional<ToolMode> mode; // no tool-mode option selected: no tool block

    QString diameterCaption;       // diameter caption
    QString flutesCaption;         // number of edges
    QString feedPerToothCaption;   // feed per tooth
    QString cuttingSpeedCaption;   // surface speed
    QString pitchMmCaption;        // pitch in mm
    QString threadsPerInchCaption; // threads per inch
    QString spindleSpeedCaption;   // spindle speed
    QString feedRateCaption;       // feed rate
    bool pitchMmCaptionShown = false;
    bool threadsPerInchCaptionShown = false;

    QString diameterField;
    QString flutesField;
    QString feedPerToothField;
    QString cuttingSpeedField;
    QString pitchMmField;
    QString threadsPerInchField;
    QString spindleSpeedField;
    QString feedRateField;

    QString cncLineField;
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

// The report's lines from the top of the page, blank lines included.
[[nodiscard]] QList<platform::PrintLine> buildReport(const ReportInput &input,
                                                     const ReportTexts &texts);

// Reads the report's captions and texts from a main window, finding its controls by their
// names. The date and time stay empty; stampDateTime fills them.
[[nodiscard]] ReportInput readReportInput(const QWidget *mainWindow);

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

// The printAction command: the missing-result message when n or S is empty, otherwise the print
// dialog and the report of what mainWindow shows, dated at the moment of printing.
[[nodiscard]] PrintOutcome printMainWindowReport(QWidget *mainWindow, const ReportTexts &texts);

// The same command with the printing step and the clock passed in.
[[nodiscard]] PrintOutcome printMainWindowReport(QWidget *mainWindow, const ReportTexts &texts,
                                                 const PrintStep &print,
                                                 const std::function<QDateTime()> &clock);

} // namespace report
