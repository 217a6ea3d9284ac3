#pragma once

// KVRsys.cfg: 33 records, one a line, CR LF, Latin-1: 24 quoted texts (Mill, Drill, Tap, each
// D Z Sz V PitchMm PitchTpi n S, as calc::FieldTable lists them), then the settings of
// SettingRecords (workingvalues.h): decimalCount and languageState as bare numbers, the flags
// as #TRUE#/#FALSE#. The format is fixed so that files of earlier versions read.

#include "state/workingvalues.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <tuple>

namespace state {

class SettingsFolder;

enum class SaveStatus {
    Saved,
    KeptReadOnly, // the file is read-only on purpose: left as it is, nobody need be told
    Failed        // the values are not kept: the user should be told
};

struct [[nodiscard]] SaveResult
{
    SaveStatus status = SaveStatus::Failed;
    QString path;   // the settings file
    QString reason; // why it failed, in English; empty unless Failed

    bool failed() const { return status == SaveStatus::Failed; }
};

// Reads values.settingsPath into the 33 members in order. Stops silently at the first record
// that is missing or malformed: the records before it are kept, it and the rest keep what
// they held. Waits while another copy of the program writes the file. Never throws, never
// shows anything.
void loadSettings(WorkingValues &values);

// Rewrites the whole file atomically (a temporary file of this process, then a rename, taking
// turns with every copy of the program on the folder), so that a crash or a full disk never
// leaves a cut-short file. Where the folder allows no new file but the file itself may be
// written, it is rewritten in place, after a whole copy of it is kept in
// values.userConfigFolder (none there: the save fails). A file without write bits is left
// untouched; a link is followed only when the running user or root owns it, and only to a file
// that exists; root writes nothing into another user's folder. A missing folder is made only
// when values.mayCreateSettingsFolder says so. Never throws and shows nothing: the caller
// decides whom to tell.
[[nodiscard]] SaveResult saveSettings(const WorkingValues &values);

// Where an in-place save of the file at settingsPath keeps the copy of its previous content.
QString inPlaceCopyPath(const QString &settingsPath, const QString &userConfigFolder);

// The file's first bytes, as many as a whole file can take; empty when it cannot be read.
// Takes no lock.
QByteArray readSettingsBytes(const QString &path);
// The same of the file name in an open folder, never through a link.
QByteArray readSettingsBytes(const SettingsFolder &folder, const QString &name);

// A settings file is a few hundred bytes; one larger than this was not written by the program,
// and is never read whole.
inline constexpr qint64 MaxSettingsBytes = 64 * 1024;

// The whole file; nothing when it cannot be read or is larger than MaxSettingsBytes.
std::optional<QByteArray> readWholeSettingsFile(const QString &path);

// The file's bytes for the given values, and the reading of given bytes; loadSettings and
// saveSettings are these plus the file. Parsing returns the number of records read (33 when
// whole); a UTF-8 byte-order mark that an editor put first is skipped.
QByteArray serializeSettings(const StoredSettings &values);
int parseSettings(const QByteArray &bytes, StoredSettings &values);

// A file reads whole with all 33 records; without the first 26 its language is unknown, without
// the first 31 the notation of its numbers.
inline constexpr int WholeRecordCount =
    3 * int(calc::FieldCount) + int(std::tuple_size_v<decltype(SettingRecords)>);
inline constexpr int LanguageRecordCount = recordOf(&StoredSettings::languageState);
inline constexpr int NotationRecordCount = recordOf(&StoredSettings::decimalIsPeriod);
static_assert(LanguageRecordCount == 26 && NotationRecordCount == 31,
              "files of earlier versions keep their language and notation where they were");

} // namespace state
