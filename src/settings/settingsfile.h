// SPDX-License-Identifier: MIT
#pragma once

// KVRsys.cfg: 33 records, one a line, CR LF, Latin-1: 24 quoted texts (Mill, Drill, Tap, each
// D Z Sz V PitchMm PitchTpi n S, as calc::FieldTable lists them), then the nine settings of
// FileRecords: decimalCount and languageState as bare numbers, the flags as #TRUE#/#FALSE#.
// The format is fixed so that files of earlier versions read. Only this file's code sees the
// records; everyone else works with the typed Settings.

#include "settings/filewriting.h"
#include "settings/settings.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace settings {

// Which main window the file asks for (its record 26). Any other stored number, 4 to 255,
// counts as nothing stored.
enum class LanguageState : std::uint8_t {
    NothingStored = 0,
    Danish = 1,
    English = 2,
    NoWindow = 3
};

// The 33 records as the file holds them: a flag for each of the two units and of the two
// pitch units (an edited file may set both, or neither), the notation as a flag, and two
// spare flags that nothing reads but that are written back as they were.
struct FileRecords
{
    ToolValues mill;
    ToolValues drill;
    ToolValues tap;
    std::uint8_t decimalCount = 0; // a larger number reads as MostDecimalsInMenu
    LanguageState languageState = LanguageState::NothingStored;
    bool inchUnits = false;
    bool metricUnits = false;
    bool threadsPerInchSelected = false;
    bool pitchMmSelected = false;
    bool decimalIsPoint = false;
    bool spareFlag1 = false;
    bool spareFlag2 = false;

    bool operator==(const FileRecords &) const = default;
};

// A file reads whole with all 33 records; without the first 26 its language is unknown,
// without the first 31 the notation of its numbers.
inline constexpr int WholeRecordCount = 33;
inline constexpr int LanguageRecordCount = 26;
inline constexpr int NotationRecordCount = 31;

// The file's bytes for the given records, and the reading of given bytes into records.
// Parsing returns the number of records read (33 when whole) and stops at the first record
// that is missing or malformed: the records before it are kept, it and the rest keep what
// they held. A UTF-8 byte-order mark that an editor put first is skipped.
QByteArray serializeSettings(const FileRecords &records);
int parseSettings(const QByteArray &bytes, FileRecords &records);

// The settings that records give: metric units when both unit flags are set, inch when
// neither; millimetres when both pitch flags are, threads per inch when neither; Danish for
// record 26 = 1, English for any other.
Settings settingsFrom(const FileRecords &records);

// What the start finds in the file's bytes, in the order it is judged.
enum class FileState {
    Empty,            // no file, or an empty one: a first run
    Unreadable,       // its language could not be read (cut short before it, or malformed)
    NoLanguageChosen, // read, but no language was ever chosen: the defaults apply
    UnknownLanguage,  // read, but its language is none the program knows: the defaults apply
    CutShortKept,     // cut short before its notation: its texts read alike in either, kept
    CutShortReplaced, // cut short before its notation, which its texts need: the defaults apply
    Whole             // everything that matters was read
};

// The file's bytes as the start reads them.
struct FileContent
{
    FileState state = FileState::Empty;
    bool complete = false; // all 33 records read
    LanguageState languageState = LanguageState::NothingStored;
    Settings settings;

    // Kept aside before anything is written, and the user told what gave way.
    bool untrusted() const { return state != FileState::Empty && state != FileState::Whole; }
};

enum class SaveStatus {
    Saved,
    KeptReadOnly,      // the file is read-only on purpose: left as it is, nobody need be told
    SavedWithoutTurns, // saved, but another copy holds its turn: the user should be told
    Failed             // the values are not kept: the user should be told
};

struct [[nodiscard]] SaveResult
{
    SaveStatus status = SaveStatus::Failed;
    QString path;   // the settings file
    QString reason; // why it failed or went without turns, in English; else empty

    bool failed() const { return status == SaveStatus::Failed; }
    // Something the user should hear of, once while it lasts.
    bool toBeTold() const { return failed() || status == SaveStatus::SavedWithoutTurns; }
};

// The settings file: where it lives, what the start decided about writing it, and what of
// the file the typed settings do not hold.
class SettingsFile
{
public:
    SettingsFile() = default;
    // mayCreateFolder: the folder is the user's configuration folder, made on saving.
    // userConfigFolder keeps the copy of an in-place save and a damaged file that its own
    // folder refuses; empty when the system names none.
    explicit SettingsFile(QString path, QString userConfigFolder = {},
                          bool mayCreateFolder = false);

    const QString &path() const { return m_path; }
    const QString &userConfigFolder() const { return m_userConfigFolder; }

    // A damaged file could not be kept aside: no save may replace it, for this reason.
    void refuseSaves(const QString &reason) { m_savesRefused = reason; }
    // The file was set aside: the one a save makes in its place takes its bits and group.
    void setAside(const EntryState &file) { m_setAside = file; }
    // Tests swap names between a check and an open, as another user could.
    void setAfterNameCheck(NameCheck hook) { m_afterNameCheck = std::move(hook); }

    // The settings of records read from this file; what they do not hold is kept for saving.
    Settings take(const FileRecords &records);
    // The file's bytes read and judged, in a locale whose decimal separator is decimal: a file
    // cut short before its notation counts as written in the locale's when none of its texts
    // holds the other separator, and as one whose values cannot be trusted otherwise.
    FileContent read(const QByteArray &bytes, calc::DecimalSeparator decimal);
    // The records a save writes for the settings.
    FileRecords recordsFor(const Settings &settings) const;

    // Reads the file into the settings, as parseSettings reads records; returns how many it
    // read. Never throws, never shows anything.
    int load(Settings &settings);

    // Rewrites the whole file atomically (a temporary file of this process, then a rename,
    // taking turns with every copy of the program on the folder: SavedWithoutTurns when
    // another copy held its turn past the wait), so that a crash or a full disk never leaves a
    // cut-short file. Where the folder allows no new file but the file
    // itself may be written, it is rewritten in place, after a whole copy of it is kept in
    // userConfigFolder (none there: the save fails). A file without write bits is left
    // untouched; a link is followed only when the running user or root owns it, and only to
    // a file that exists; root writes nothing into another user's folder. A missing folder is
    // made only when mayCreateFolder says so. Never throws and shows nothing: the caller
    // decides whom to tell.
    [[nodiscard]] SaveResult save(const Settings &settings) const;

private:
    QString m_path;
    QString m_userConfigFolder;
    bool m_mayCreateFolder = false;
    QString m_savesRefused;
    EntryState m_setAside;
    NameCheck m_afterNameCheck;
    bool m_spareFlag1 = false;
    bool m_spareFlag2 = false;
};

// Where an in-place save of the file at settingsPath keeps the copy of its previous content.
QString inPlaceCopyPath(const QString &settingsPath, const QString &userConfigFolder);

// The file's first bytes, as many as a whole file can take; empty when it cannot be read or a
// link on the way may not be followed.
QByteArray readSettingsBytes(const QString &path);
// The same of the file name in an open folder, never through a link; nothing when it is no
// regular file, or could not be opened (another program holds it, or the user may not read it).
std::optional<QByteArray> readSettingsBytes(const SettingsFolder &folder, const QString &name);

// A settings file is a few hundred bytes; one larger than this was not written by the program,
// and is never read whole.
inline constexpr qint64 MaxSettingsBytes = 64 * 1024;

} // namespace settings
