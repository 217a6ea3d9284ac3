#include "settings/startup.h"

#include "settings/filewriting.h"
#include "settings/settingsfile.h"
#include "settings/writepermission.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <functional>
#include <optional>

namespace settings {

namespace {

// Past this many kept files something else is wrong with the folder.
constexpr int MaxKeptNames = 99;

// Found by trying, as the system decides (an access list, a read-only mount); on Unix the
// bits too, so that root does not put a file where nobody may.
bool folderTakesNewFiles(const QString &folder)
{
    QString reason;
    if (!mayCreateIn(folder, reason))
        return false;
#ifdef Q_OS_UNIX
    if (!permitsWriting(QFileInfo(folder)))
        return false;
#endif
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("KVRsys.cfg.kvrcalc-probe-XXXXXX")));
    return probe.open();
}

// Makes fileName.damaged, .damaged2, ... in folder by keep, never over anything already there.
// The path made, or empty when the folder takes none.
QString keepAside(SettingsFolder &folder, const QString &fileName,
                  const std::function<bool(SettingsFolder &, const QString &)> &keep)
{
    for (int number = 1; number <= MaxKeptNames; ++number) {
        const QString name = fileName + QStringLiteral(".damaged") +
                             (number > 1 ? QString::number(number) : QString());
        if (keep(folder, name))
            return folder.filePath(name);
        if (!folder.entry(name).exists)
            return {};
    }
    return {};
}

// Where the file that cannot be trusted is kept, or empty when it can be kept nowhere.
QString keepDamagedFile(const QString &configPath, SettingsFolder &folder, const QString &name,
                        const EntryState &file)
{
    // Too large to be read whole: moved aside as it is, never copied.
    if (file.size > MaxSettingsBytes) {
        return keepAside(folder, name, [&name](SettingsFolder &in, const QString &kept) {
            return in.renameToNewName(name, kept);
        });
    }
    const std::optional<QByteArray> bytes = folder.read(name, MaxSettingsBytes);
    if (!bytes || bytes->size() > MaxSettingsBytes)
        return {};
    // As private as the file it copies.
    const auto copy = [&](SettingsFolder &in, const QString &kept) {
        return in.writeNewFile(kept, *bytes, file.mode);
    };
    const QString keptAt = keepAside(folder, name, copy);
    if (!keptAt.isEmpty())
        return keptAt;
    QString reason;
    SettingsFolder config;
    if (configPath.isEmpty() || !mayCreateIn(configPath, reason) || !QDir().mkpath(configPath) ||
        !config.open(configPath, reason))
        return {};
    return keepAside(config, name, copy);
}

bool isKnownLanguage(LanguageState state)
{
    return state == LanguageState::Danish || state == LanguageState::English ||
           state == LanguageState::NoWindow;
}

// The start's work on the file before it is read, under its lock: nothing that a running copy
// is writing is touched, and nothing is written before a file that cannot be trusted (too
// large, cut short before its notation record, of no known language) is kept. Returns the
// bytes to load.
QByteArray prepareSettingsFile(Start &start)
{
    const QString &path = start.file.path();
    const QString &configPath = start.file.userConfigFolder();
    QString reason;
    const QString target = writableTarget(path, reason);
    const QString folderPath = QFileInfo(target).absolutePath();
    SettingsFolder folder;
    // A link that no save follows, or a folder that no save writes: nothing is written here.
    if (target.isEmpty() || !QFileInfo(folderPath).isDir() || !folder.open(folderPath, reason))
        return readSettingsBytes(path);
    folder.takeTurn();
    const QString name = QFileInfo(target).fileName();
    folder.removeLeftovers(name);

    QByteArray bytes = readSettingsBytes(folder, name);
    EntryState file = folder.entry(name);
    if (!file.regular || file.readOnlyByIntent())
        return bytes; // no save will write it
    FileRecords scratch;
    int records = parseSettings(bytes, scratch);

    const QString copy = inPlaceCopyPath(path, configPath);
    const QString copyName = QFileInfo(copy).fileName();
    SettingsFolder copies;
    if (!copy.isEmpty() && QFileInfo(configPath).isDir() && copies.open(configPath, reason) &&
        copies.entry(copyName).regular) {
        const std::optional<QByteArray> kept = copies.read(copyName, MaxSettingsBytes);
        if (records == WholeRecordCount) {
            copies.remove(copyName); // the last in-place save ended before it could remove it
        } else if (kept && kept->size() <= MaxSettingsBytes &&
                   folder.rewriteInPlace(name, file, *kept, {}, reason)) {
            start.notices.push_back({StartNotice::Kind::Restored, path});
            bytes = readSettingsBytes(folder, name);
            scratch = FileRecords();
            records = parseSettings(bytes, scratch);
            file = folder.entry(name);
        } else if (file.size == 0) {
            // Damage, not a first run: no save may replace the file while its copy is kept.
            start.file.refuseSaves(QStringLiteral("%1 is empty, and its copy %2 cannot be put back")
                                       .arg(target, copy));
            return bytes;
        }
    }

    if (file.size == 0)
        return bytes; // an empty file is a first run, not damage
    if (file.size <= MaxSettingsBytes && records >= NotationRecordCount &&
        isKnownLanguage(scratch.languageState))
        return bytes;
    // A user who never chose a language has such a file: it was read, and only its values
    // give way to the defaults.
    const bool noLanguageChosen = file.size <= MaxSettingsBytes && records >= LanguageRecordCount &&
                                  scratch.languageState == LanguageState::NothingStored;
    const QString keptAt = keepDamagedFile(configPath, folder, name, file);
    if (keptAt.isEmpty())
        start.file.refuseSaves(
            QStringLiteral("%1 cannot be read, and no copy of it can be kept").arg(target));
    else
        start.notices.push_back(
            {noLanguageChosen ? StartNotice::Kind::NoLanguageKept : StartNotice::Kind::DamagedKept,
             keptAt});
    return bytes;
}

// A file without record 31 does not say how its numbers are written. Its texts stand when none
// holds the separator of the notation other than the locale's, so that the notation does not
// matter; otherwise nothing it holds can be trusted, as when its language cannot be read.
void settleUnknownNotation(FileRecords &values, calc::DecimalSeparator decimal)
{
    const QChar other = decimal == u',' ? u'.' : u',';
    for (const ToolValues *tool : {&values.mill, &values.drill, &values.tap}) {
        for (const QString &text : tool->texts) {
            if (text.contains(other)) {
                values.languageState = LanguageState::NothingStored;
                return;
            }
        }
    }
    values.decimalIsPoint = decimal == u'.'; // nothing to translate
}

} // namespace

void applyFirstRunDefaults(Settings &settings)
{
    for (ToolValues *tool : {&settings.mill, &settings.drill, &settings.tap}) {
        for (const calc::FieldInfo &field : calc::FieldTable)
            (*tool)[field.field] = QLatin1String(field.firstRunText);
    }
    settings.units = Units::Inch;
    settings.pitchUnit = PitchUnit::ThreadsPerInch;
    settings.decimalSeparator = u',';
}

QString settingsFilePath(const QString &programDir, const QString &userConfigDir,
                         ProgramLayout layout)
{
    const QLatin1StringView name(SettingsFileName);
    const QString inUserFolder =
        userConfigDir.isEmpty() ? QString() : QDir(userConfigDir).filePath(name);
    // A program folder that could not be named (not valid in the file system's encoding) has
    // no path; a relative one would put the file wherever the program was started from.
    if (layout == ProgramLayout::Installed || !QDir::isAbsolutePath(programDir))
        return inUserFolder;
    const QDir program(programDir);
    const QString besideProgram = program.filePath(name);
    const QFileInfo file(besideProgram);
    if (file.exists() || file.isSymLink() || inUserFolder.isEmpty() ||
        folderTakesNewFiles(program.path()))
        return besideProgram;
    return inUserFolder;
}

Start startUp(const QString &programDir, const QString &userConfigDir, ProgramLayout layout,
              const calc::NumberLocale &locale)
{
    const QString path = settingsFilePath(programDir, userConfigDir, layout);
    // Only the user's own folder is made when missing; a program's folder that is gone is
    // a fault to report, not to paper over.
    const bool mayCreateFolder = !userConfigDir.isEmpty() && QFileInfo(path).absolutePath() ==
                                                                 QDir(userConfigDir).absolutePath();
    Start start{{}, SettingsFile(path, userConfigDir, mayCreateFolder), {}, {}};
    FileRecords records;
    int count = 0;
    {
        const SettingsLock lock(path);
        count = parseSettings(prepareSettingsFile(start), records);
    }
    if (count >= LanguageRecordCount && count < NotationRecordCount)
        settleUnknownNotation(records, locale.decimal);
    start.settings = start.file.take(records);

    switch (records.languageState) {
    case LanguageState::Danish:
    case LanguageState::English:
        start.window = start.settings.language;
        break;
    case LanguageState::NoWindow:
        break;
    default:
        // Nothing usable stored: a first run. Recording the English window that now opens
        // keeps the next start from replacing the user's values with the defaults again.
        applyFirstRunDefaults(start.settings);
        start.settings.language = Language::English;
        start.window = Language::English;
    }
    return start;
}

} // namespace settings
