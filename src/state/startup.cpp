#include "state/startup.h"

#include "state/filewriting.h"
#include "state/settingsfile.h"
#include "state/writepermission.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace state {

namespace {

// Past this many kept files something else is wrong with the folder.
constexpr int MaxKeptNames = 99;

// Found by trying, as the system decides (an access list, a read-only mount); on Unix the
// bits too, so that root does not put a file where nobody may.
bool folderTakesNewFiles(const QString &folder)
{
#ifdef Q_OS_UNIX
    if (!permitsWriting(QFileInfo(folder)))
        return false;
#endif
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("KVRsys.cfg.kvrcalc-probe-XXXXXX")));
    return probe.open();
}

// Writes bytes to fileName.damaged, .damaged2, ... in folder, never over anything already
// there. The path written, or empty when the folder takes none.
QString keepAside(const QString &folder, const QString &fileName, const QByteArray &bytes)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    for (int number = 1; number <= MaxKeptNames; ++number) {
        const QString path =
            QDir(folder).filePath(fileName + QStringLiteral(".damaged") +
                                  (number > 1 ? QString::number(number) : QString()));
        if (writeNewFile(path, bytes))
            return path;
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return {};
    }
    return {};
}

// The start's work on the file before it is read, under its lock: nothing that a running copy
// is writing is touched, and nothing is written before a file that cannot be read is kept.
void prepareSettingsFile(WorkingValues &values)
{
    QString reason;
    const QString target = writableTarget(values.settingsPath, reason);
    if (target.isEmpty())
        return; // a link that no save follows: nothing is written through it either
    const QString leftover = target + QLatin1StringView(temporarySaveSuffix);
    if (QFileInfo(leftover).isFile() && !QFileInfo(leftover).isSymLink())
        QFile::remove(leftover);

    const QFileInfo file(target);
    if (!file.isFile() || isReadOnlyByIntent(file))
        return; // no save will write it
    WorkingValues scratch;
    int records = parseSettings(readSettingsBytes(target), scratch);

    const QString copy = inPlaceCopyPath(values.settingsPath, values.userConfigFolder);
    if (!copy.isEmpty() && QFileInfo(copy).isFile()) {
        QFile kept(copy);
        if (records == WholeRecordCount) {
            kept.remove(); // the last in-place save ended before it could remove its copy
        } else if (kept.open(QIODevice::ReadOnly) && writeInPlace(target, kept.readAll(), reason)) {
            values.startNotices.push_back({StartNotice::Kind::Restored, values.settingsPath});
            records = parseSettings(readSettingsBytes(target), scratch);
        }
    }

    QFile damaged(target);
    if (records >= LanguageRecordCount || !damaged.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = damaged.readAll();
    if (bytes.isEmpty())
        return; // an empty file is a first run, not damage
    QString keptAt = keepAside(file.absolutePath(), file.fileName(), bytes);
    if (keptAt.isEmpty())
        keptAt = keepAside(values.userConfigFolder, file.fileName(), bytes);
    if (keptAt.isEmpty())
        values.savesRefused =
            QStringLiteral("%1 cannot be read, and no copy of it can be kept").arg(target);
    else
        values.startNotices.push_back({StartNotice::Kind::DamagedKept, keptAt});
}

} // namespace

void applyFirstRunDefaults(WorkingValues &values)
{
    for (ToolValues *tool : {&values.mill, &values.drill, &values.tap}) {
        for (const calc::FieldInfo &field : calc::FieldTable)
            (*tool)[field.field] = QLatin1String(field.firstRunText);
    }
    values.metricUnits = false;
    values.inchUnits = true;
    values.threadsPerInchSelected = true;
    values.pitchMmSelected = false;
    values.decimalIsPeriod = false;
}

QString settingsFilePath(const QString &programDir, const QString &userConfigDir,
                         ProgramLayout layout)
{
    const QLatin1StringView name(SettingsFileName);
    const QString inUserFolder =
        userConfigDir.isEmpty() ? QString() : QDir(userConfigDir).filePath(name);
    if (layout == ProgramLayout::Installed)
        return inUserFolder;
    const QDir program(programDir);
    const QString besideProgram = program.filePath(name);
    const QFileInfo file(besideProgram);
    if (file.exists() || file.isSymLink() || inUserFolder.isEmpty() ||
        folderTakesNewFiles(program.path()))
        return besideProgram;
    return inUserFolder;
}

StartWindow chooseStartWindow(WorkingValues &values, const QString &programDir,
                              const QString &userConfigDir, ProgramLayout layout)
{
    values.settingsPath = settingsFilePath(programDir, userConfigDir, layout);
    values.userConfigFolder = userConfigDir;
    // Only the user's own folder is made when missing; a program's folder that is gone is
    // a fault to report, not to paper over.
    values.mayCreateSettingsFolder =
        !userConfigDir.isEmpty() &&
        QFileInfo(values.settingsPath).absolutePath() == QDir(userConfigDir).absolutePath();
    {
        const SettingsLock lock(values.settingsPath);
        prepareSettingsFile(values);
        parseSettings(readSettingsBytes(values.settingsPath), values);
    }

    switch (values.languageState) {
    case LanguageState::Danish:
        return Language::Danish;
    case LanguageState::English:
        return Language::English;
    case LanguageState::NoWindow:
        return std::nullopt;
    default:
        // Nothing usable stored: a first run. Recording the English window that now opens
        // keeps the next start from replacing the user's values with the defaults again.
        applyFirstRunDefaults(values);
        values.languageState = LanguageState::English;
        return Language::English;
    }
}

} // namespace state
