// SPDX-License-Identifier: MIT
#include "settings/startup.h"

#include "settings/filewriting.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <optional>

namespace settings {

namespace {

// Past this many kept files something else is wrong with the folder.
constexpr int MaxKeptNames = 99;

// Found by trying, as the system decides (an access list, a read-only mount); on Linux the
// bits too, so that root does not put a file where nobody may.
bool folderTakesNewFiles(const QString &path)
{
    QString reason;
    SettingsFolder folder;
    if (!folder.open(path, reason) || !folder.takesNewFiles())
        return false;
    const QString probe = temporaryName(QStringLiteral("kvrcalc-probe"), 0);
    return folder.writeNewFile(probe, {}, {}) && folder.remove(probe);
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
QString keepDamagedFile(SettingsFile &settingsFile, SettingsFolder &folder, const QString &name,
                        const EntryState &file)
{
    // Too large to be read whole: moved aside as it is, never copied. The file a save makes in
    // its place keeps its bits and group, so that a group that shares it can still write it.
    if (file.size > MaxSettingsBytes) {
        const QString keptAt =
            keepAside(folder, name, [&name](SettingsFolder &in, const QString &kept) {
                return in.renameToNewName(name, kept);
            });
        if (!keptAt.isEmpty())
            settingsFile.setAside(file);
        return keptAt;
    }
    const std::optional<QByteArray> bytes = folder.read(name, MaxSettingsBytes);
    if (!bytes || bytes->size() > MaxSettingsBytes)
        return {};
    // As private as the file it copies.
    const auto copy = [&](SettingsFolder &in, const QString &kept) {
        return in.writeNewFile(kept, *bytes, file);
    };
    const QString keptAt = keepAside(folder, name, copy);
    if (!keptAt.isEmpty())
        return keptAt;
    const QString &configPath = settingsFile.userConfigFolder();
    QString reason;
    SettingsFolder config;
    if (configPath.isEmpty() || !config.open(configPath, reason, 0777) ||
        !config.mayMakeFiles(reason))
        return {};
    return keepAside(config, name, copy);
}

// What the user is told of a file kept aside: what gave way, and what stood.
StartNotice::Kind keptNotice(FileState state)
{
    switch (state) {
    case FileState::NoLanguageChosen:
        return StartNotice::Kind::NoLanguageKept;
    case FileState::UnknownLanguage:
        return StartNotice::Kind::UnknownLanguageKept;
    case FileState::CutShortKept:
        return StartNotice::Kind::CutShortKept;
    case FileState::CutShortReplaced:
        return StartNotice::Kind::CutShortReplaced;
    default:
        return StartNotice::Kind::DamagedKept;
    }
}

// The start's work on the file, under the turn it could have without waiting: nothing is
// written before a file that cannot be trusted (too large, or not FileState::Whole) is kept,
// and a shared file that another user's failed save left empty or cut short is not saved
// over. Returns what the file holds.
FileContent prepareSettingsFile(Start &start, calc::DecimalSeparator decimal)
{
    const QString &path = start.file.path();
    const QString &configPath = start.file.userConfigFolder();
    QString reason;
    QString name;
    SettingsFolder folder;
    // Nothing is read through a link that no save follows, or from a folder that is not there.
    if (!folder.openFileFolder(path, name, reason))
        return start.file.read({}, decimal);
    const std::optional<QByteArray> found = readSettingsBytes(folder, name);
    if (!found && folder.entry(name).regular) {
        // Held by another program past the wait, or not this user's to read: what it holds is
        // unknown, so nothing may be saved over it in this run.
        start.notices.push_back({StartNotice::Kind::Unreadable, path});
        start.file.refuseSaves(QStringLiteral("%1 could not be read at the start")
                                   .arg(QDir::toNativeSeparators(folder.filePath(name))));
        return start.file.read({}, decimal);
    }
    FileContent content = start.file.read(found.value_or(QByteArray()), decimal);
    // Root reads a user's file, and writes nothing there.
    if (!folder.mayMakeFiles(reason))
        return content;
    folder.takeTurn(Wait::No);
    folder.removeLeftovers(name);

    EntryState file = folder.entry(name);
    if (!file.regular || file.readOnlyByIntent())
        return content; // no save will write it

    const QString copy = inPlaceCopyPath(path, configPath);
    const QString copyName = QFileInfo(copy).fileName();
    SettingsFolder copies;
    bool ownCopy = false;
    if (!copy.isEmpty() && copies.open(configPath, reason) && copies.entry(copyName).regular) {
        ownCopy = true;
        const std::optional<QByteArray> kept = copies.read(copyName, MaxSettingsBytes);
        if (content.complete) {
            copies.remove(copyName); // the last in-place save ended before it could remove it
        } else if (kept && kept->size() <= MaxSettingsBytes &&
                   folder.rewriteInPlace(name, file, *kept, {}, reason)) {
            start.notices.push_back({StartNotice::Kind::Restored, path});
            content =
                start.file.read(readSettingsBytes(folder, name).value_or(QByteArray()), decimal);
            file = folder.entry(name);
        } else if (file.size == 0) {
            // Damage, not a first run: no save may replace the file while its copy is kept.
            start.file.refuseSaves(QStringLiteral("%1 is empty, and its copy %2 cannot be put back")
                                       .arg(QDir::toNativeSeparators(folder.filePath(name)),
                                            QDir::toNativeSeparators(copy)));
            return content;
        }
    }
    // Another user's in-place save may have failed here, and only that user holds the copy:
    // saving over the file would lose the group's values for good.
    if (!ownCopy && !folder.isOwnFolder() && file.size <= MaxSettingsBytes && !content.complete) {
        start.notices.push_back({StartNotice::Kind::SharedFileCutShort, path});
        start.file.refuseSaves(
            QStringLiteral("%1 is shared, and was empty or cut short at the start")
                .arg(QDir::toNativeSeparators(folder.filePath(name))));
        return content;
    }

    const bool tooLarge = file.size > MaxSettingsBytes;
    if (!tooLarge && !content.untrusted())
        return content;
    const QString keptAt = keepDamagedFile(start.file, folder, name, file);
    if (keptAt.isEmpty())
        start.file.refuseSaves(QStringLiteral("%1 cannot be read, and no copy of it can be kept")
                                   .arg(QDir::toNativeSeparators(folder.filePath(name))));
    else
        start.notices.push_back(
            {tooLarge ? StartNotice::Kind::DamagedKept : keptNotice(content.state), keptAt});
    return content;
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
    FileContent content;
    {
        // Only tried: a copy that never lets go must not hold up the window.
        const SettingsLock lock(path, Wait::No);
        content = prepareSettingsFile(start, locale.decimal);
    }
    start.settings = content.settings;

    switch (content.languageState) {
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
