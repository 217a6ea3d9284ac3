// SPDX-License-Identifier: MIT
#pragma once

// Printing lines of text at millimetre positions on one page, and the user's date and time
// formats for the printout.

#include <QList>
#include <QString>

#include <functional>

class QDate;
class QPrinter;
class QTime;
class QWidget;

namespace platform {

// One printed line: its text (empty for a blank line), its left edge in millimetres from
// the printable area, and its font size in points. A line's font also sets the height of
// the line break that follows it.
struct PrintLine
{
    QString text;
    int xMm = 0;
    int pointSize = 0;

    bool operator==(const PrintLine &) const = default;
};

// Where the first line starts, in millimetres below the top of the printable area.
inline constexpr int PrintTopMm = 40;

// Paints the lines on one page of printer, which must not have begun a document yet, in
// the printer's default font family, regular weight. Returns false when the document could
// not be started or the printer failed while painting; a failed document is discarded.
[[nodiscard]] bool printLines(QPrinter &printer, const QList<PrintLine> &lines);

// Whether the print dialog has anything to print on. Qt's own dialog, used on Linux, can
// always print to a PDF file; the Windows dialog offers only the printers Windows has, and
// shows nothing at all when it has none.
[[nodiscard]] bool hasPrintTarget();

// Shows the standard print dialog over parent. When the user confirms it, builds the lines
// with makeLines (so that they show the moment of printing) and prints them; when the user
// cancels it, returns false without a message. Printer failures are silent as well.
[[nodiscard]] bool printWithDialog(QWidget *parent, const QString &documentName,
                                   const std::function<QList<PrintLine>()> &makeLines);

// Prints the lines into a PDF file, with no dialog, on A4 with the given margins.
[[nodiscard]] bool printToPdf(const QString &path, const QList<PrintLine> &lines,
                              double marginMm = 10.0);

// The date and the time in the user's short formats.
QString shortDateText(const QDate &date);
QString shortTimeText(const QTime &time);

} // namespace platform
