// SPDX-License-Identifier: MIT
#pragma once

// Record sets, a record-by-record view of them, and saving and loading them as the program
// does; shared by the settings tests and the saver helper that the crash test kills.

#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using calc::ToolValues;
using settings::FileRecords;
using settings::LanguageState;

namespace testsets {

// Fills every text with prefix + its record number (1..24), e.g. "a1" .. "a24".
inline void fillTexts(FileRecords &v, const QString &prefix)
{
    int record = 1;
    for (ToolValues *tool : {&v.mill, &v.drill, &v.tap}) {
        for (QString &text : tool->texts)
            text = prefix + QString::number(record++);
    }
}

// Two sets that differ in every one of the 33 records: A (a = true) and B.
inline FileRecords settingsSet(bool a)
{
    FileRecords v;
    fillTexts(v, a ? QStringLiteral("12,5 a") : QStringLiteral("0.0416666666666667 b"));
    v.decimalCount = a ? 2 : 3;
    v.languageState = a ? LanguageState::Danish : LanguageState::English;
    v.inchUnits = v.threadsPerInchSelected = v.decimalIsPoint = v.spareFlag2 = a;
    v.metricUnits = v.pitchMmSelected = v.spareFlag1 = !a;
    return v;
}

inline FileRecords settingsSetA()
{
    return settingsSet(true);
}

inline FileRecords settingsSetB()
{
    return settingsSet(false);
}

// The 33 stored values in file order, texts as they are, numbers as digits, flags as
// "#TRUE#"/"#FALSE#": the lines of the file without their quotes.
inline QStringList recordsOf(const FileRecords &v)
{
    QStringList out;
    for (const ToolValues *tool : {&v.mill, &v.drill, &v.tap})
        out << QStringList(tool->texts.begin(), tool->texts.end());
    out << QString::number(v.decimalCount) << QString::number(int(v.languageState));
    for (bool flag : {v.inchUnits, v.metricUnits, v.threadsPerInchSelected, v.pitchMmSelected,
                      v.decimalIsPoint, v.spareFlag1, v.spareFlag2})
        out << QString::fromLatin1(flag ? "#TRUE#" : "#FALSE#");
    return out;
}

// Saves records as the program does: the file at path, having read them, writes them back.
inline settings::SaveResult saveRecords(const FileRecords &records, const QString &path,
                                        const QString &configFolder = {},
                                        bool mayCreateFolder = false,
                                        const settings::NameCheck &afterNameCheck = {})
{
    settings::SettingsFile file(path, configFolder, mayCreateFolder);
    file.setAfterNameCheck(afterNameCheck);
    const settings::Settings settings = file.take(records);
    return file.save(settings);
}

// Loads the file at path over records, as the program does; returns the records read.
inline int loadRecords(FileRecords &records, const QString &path)
{
    settings::SettingsFile file(path);
    settings::Settings settings = file.take(records);
    const int read = file.load(settings);
    records = file.recordsFor(settings);
    return read;
}

// The file lines (without line ends) that hold the given values.
inline QList<QByteArray> fileLines(const FileRecords &v)
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

inline QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Puts bytes at path with permission bits fileMode (0: as created, negative: no file there),
// then gives the folder the bits folderMode (0: left as it is). Says whether all went well.
inline bool placeFile(const QString &path, const QByteArray &bytes, int fileMode, int folderMode)
{
    const auto setMode = [](const QString &name, int mode) {
#ifdef Q_OS_UNIX
        return mode == 0 || ::chmod(QFile::encodeName(name).constData(), mode_t(mode)) == 0;
#else
        // Windows keeps only whether a file is read-only.
        const QFile::Permissions write = mode & 0200 ? QFile::WriteOwner : QFile::Permissions();
        return mode == 0 || QFile::setPermissions(name, QFile::ReadOwner | write);
#endif
    };
    const QString folder = QFileInfo(path).path();
    return QDir().mkpath(folder) &&
           (fileMode < 0 || (writeAll(path, bytes) && setMode(path, fileMode))) &&
           setMode(folder, folderMode);
}

// A folder of its own for each test and row: a test class derives from it and calls
// makeFolder() in its init().
struct FolderPerTest
{
    std::optional<QTemporaryDir> m_dir;
    QString m_path; // of the settings file in it

    bool makeFolder()
    {
        m_dir.emplace();
        m_path = m_dir->filePath(QStringLiteral("KVRsys.cfg"));
        return m_dir->isValid();
    }
};

} // namespace testsets
