// SPDX-License-Identifier: MIT
#pragma once

// Reads a PDF back as text lines with positions, through poppler's pdftotext -bbox.
// Positions are in points from the top left of the page.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cmath>

struct PdfWord
{
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfLine
{
    QList<PdfWord> words;

    double x() const { return words.first().xMin; }
    double top() const { return words.first().yMin; }
    double height() const { return words.first().yMax - words.first().yMin; }
    // The words joined by single blanks: pdftotext sees gaps, not blank characters.
    QString text() const
    {
        QStringList parts;
        for (const PdfWord &w : words)
            parts << w.text;
        return parts.join(QLatin1Char(' '));
    }
};

struct PdfText
{
    QString error; // empty when the file was read
    int pages = 0;
    QList<PdfLine> lines;
};

inline QString unescapeHtml(QString s)
{
    // &amp; last, so that what it gives is not read again.
    static const char *const entities[][2] = {{"&lt;", "<"},   {"&gt;", ">"},  {"&quot;", "\""},
                                              {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto &entity : entities)
        s.replace(QLatin1String(entity[0]), QLatin1String(entity[1]));
    return s;
}

// Under Wine a Windows program can start Linux's pdftotext, but not wait for it: the rows that
// read a PDF back run on Linux, where the same Qt code writes the same PDF.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_PDF_READER() QSKIP("pdftotext cannot be waited for under Wine")
#else
#define SKIP_WITHOUT_PDF_READER()
#endif

inline PdfText readPdf(const QString &path)
{
    PdfText result;
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        result.error = QStringLiteral("pdftotext failed: ") + tool.errorString() +
                       QString::fromLocal8Bit(tool.readAllStandardError());
        return result;
    }
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    result.pages = int(html.count(QLatin1String("<page ")));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        // Compatibility form: the font's ligatures (fl, fi) read back as their letters.
        PdfWord w{unescapeHtml(m.captured(5)).normalized(QString::NormalizationForm_KC),
                  m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                  m.captured(4).toDouble()};
        // Words of one printed line share their top within rounding.
        if (!result.lines.isEmpty() && std::abs(result.lines.last().top() - w.yMin) < 1.0)
            result.lines.last().words.append(w);
        else
            result.lines.append(PdfLine{{w}});
    }
    return result;
}

inline double mmToPt(double mm)
{
    return mm * 72.0 / 25.4;
}
