#pragma once

// Value sets and a record-by-record view of WorkingValues, shared by the settings tests and
// the saver helper that the crash test kills.

#include "state/workingvalues.h"

#include <QStringList>

namespace testsets {

// Fills every text with prefix + its record number (1..24), e.g. "a1" .. "a24".
inline void FillTexts(WorkingValues &v, const QString &prefix)
{
    int record = 1;
    for (ToolValues *tool : {&v.Mill, &v.Drill, &v.Tap}) {
        for (QString *text : {&tool->D, &tool->Z, &tool->Sz, &tool->V, &tool->PitchMm,
                              &tool->PitchTpi, &tool->n, &tool->S})
            *text = prefix + QString::number(record++);
    }
}

// Two sets that differ in every one of the 33 records.
inline WorkingValues SetA()
{
    WorkingValues v;
    FillTexts(v, QStringLiteral("12,5 a"));
    v.DecimalCount = 2;
    v.LanguageState = 1;
    v.InchUnits = true;
    v.MetricUnits = false;
    v.PitchTpiSelected = true;
    v.PitchMmSelected = false;
    v.DecimalIsPeriod = true;
    v.SpareFlag1 = false;
    v.SpareFlag2 = true;
    return v;
}

inline WorkingValues SetB()
{
    WorkingValues v;
    FillTexts(v, QStringLiteral("0.0416666666666667 b"));
    v.DecimalCount = 3;
    v.LanguageState = 2;
    v.InchUnits = false;
    v.MetricUnits = true;
    v.PitchTpiSelected = false;
    v.PitchMmSelected = true;
    v.DecimalIsPeriod = false;
    v.SpareFlag1 = true;
    v.SpareFlag2 = false;
    return v;
}

// The 33 stored values in file order, texts as they are, numbers as digits, flags as
// "#TRUE#"/"#FALSE#": the lines of the file without their quotes.
inline QStringList Records(const WorkingValues &v)
{
    QStringList out;
    for (const ToolValues *tool : {&v.Mill, &v.Drill, &v.Tap})
        out << tool->D << tool->Z << tool->Sz << tool->V << tool->PitchMm << tool->PitchTpi
            << tool->n << tool->S;
    out << QString::number(v.DecimalCount) << QString::number(v.LanguageState);
    for (bool flag : {v.InchUnits, v.MetricUnits, v.PitchTpiSelected, v.PitchMmSelected,
                      v.DecimalIsPeriod, v.SpareFlag1, v.SpareFlag2})
        out << QString::fromLatin1(flag ? "#TRUE#" : "#FALSE#");
    return out;
}

// The file lines (without line ends) that hold the given values.
inline QList<QByteArray> FileLines(const WorkingValues &v)
{
    const QStringList records = Records(v);
    QList<QByteArray> lines;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QByteArray record = records.at(i).toLatin1();
        lines << (i < 24 ? '"' + record + '"' : record);
    }
    return lines;
}

inline QByteArray JoinLines(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + end;
    return out;
}

} // namespace testsets
