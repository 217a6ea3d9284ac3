// SPDX-License-Identifier: MIT
#include "platform/printer.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTime>

namespace platform {

bool printLines(QPrinter &printer, const QList<PrintLine> &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    // The painter works in device units with its origin at the top left of the printable
    // area; positions given in millimetres are converted with the printer's resolution.
    const double unitsPerMm = printer.resolution() / 25.4;
    QFont font = painter.font();
    font.setBold(false);
    font.setItalic(false);

    double y = PrintTopMm * unitsPerMm;
    for (const PrintLine &line : lines) {
        font.setPointSize(line.pointSize);
        painter.setFont(font);
        const QFontMetricsF metrics(font, &printer);
        if (!line.text.isEmpty())
            painter.drawText(QPointF(line.xMm * unitsPerMm, y + metrics.ascent()), line.text);
        y += metrics.lineSpacing();
        if (printer.printerState() == QPrinter::Error)
            break;
    }

    if (printer.printerState() == QPrinter::Error) {
        // Half a report is worse than none: drop the document instead of sending it.
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

bool hasPrintTarget()
{
#ifdef Q_OS_WIN
    return !QPrinterInfo::availablePrinterNames().isEmpty();
#else
    return true;
#endif
}

bool printWithDialog(QWidget *parent, const QString &documentName,
                     const std::function<QList<PrintLine>()> &makeLines)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, parent);
    // Copies and page ranges make no sense for a single fixed page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printLines(printer, makeLines());
}

bool printToPdf(const QString &path, const QList<PrintLine> &lines, double marginMm)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(marginMm, marginMm, marginMm, marginMm),
                                      QPageLayout::Millimeter));
    return printLines(printer, lines);
}

QString shortDateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString shortTimeText(const QTime &time)
{
    return QLocale::system().toString(time, QLocale::ShortFormat);
}

} // namespace platform
