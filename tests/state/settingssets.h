#pragma once

// Value sets and a record-by-record view of WorkingValues, shared by the settings tests and
// the saver helper that the crash test kills.

#include "state/workingvalues.h"

#include <QStringList>

using calc::ToolValues;
using state::LanguageState;
using state::WorkingValues;

namespace testsets {

// Fills every text with prefix + its record number (1..24), e.g. "a1" .. "a24".
inline void fillTexts(WorkingValues &v, const QString &prefix)
{
    int record = 1;
    for (ToolValues *tool : {&v.mill, &v.drill, &v.tap}) {
        for (QString &text : tool->texts)
            text = prefix + QString::number(record++);
    }
}

// Two sets that differ in every one of the 33 records.
inline WorkingValues settingsSetA()
{
    WorkingValues v;
    fillTexts(v, QStringLiteral("12,5 a"));
    v.decimalCount = 2;
    v.languageState = LanguageState::Danish;
    v.inchUnits = true;
    v.metricUnits = false;
    v.threadsPerInchSelected = true;
    v.pitchMmSelected = false;
    v.decimalIsPeriod = true;
    v.spareFlag1 = false;
    v.spareFlag2 = true;
    return v;
}

inline WorkingValues settingsSetB()
{
    WorkingValues v;
    fillTexts(v, QStringLiteral("0.0416666666666667 b"));
    v.decimalCount = 3;
    v.languageState = LanguageState::English;
    v.inchUnits = false;
    v.metricUnits = true;
    v.threadsPerInchSelected = false;
    v.pitchMmSelected = true;
    v.decimalIsPeriod = false;
    v.spareFlag1 = true;
    v.spareFlag2 = false;
    return v;
}

// The 33 stored values in file order, texts as they are, numbers as digits, flags as
// "#TRUE#"/"#FALSE#": the lines of the file without their quotes.
inline QStringList recordsOf(const WorkingValues &v)
{
    QStringList out;
    for (const ToolValues *tool : {&v.mill, &v.drill, &v.tap})
        out << QStringList(tool->texts.begin(), tool->texts.end());
    out << QString::number(v.decimalCount) << QString::number(int(v.languageState));
    for (bool flag : {v.inchUnits, v.metricUnits, v.threadsPerInchSelected, v.pitchMmSelected,
                      v.decimalIsPeriod, v.spareFlag1, v.spareFlag2})
        out << QString::fromLatin1(flag ? "#TRUE#" : "#FALSE#");
    return out;
}

// The file lines (without line ends) that hold the given values.
inline QList<QByteArray> fileLines(const WorkingValues &v)
{
    const QStringList records = recordsOf(v);
    QList<QByteArray> lines;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QByteArray record = records.at(i).toLatin1();
        lines << (i < 24 ? '"' + record + '"' : record);
    }
    return lines;
}

inline QByteArray joinLines(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + end;
    return out;
}

} // namespace testsets
