// SPDX-License-Identifier: MIT
#pragma once

// What happens before the first window: which settings file, which window.

#include "calc/numbers.h"
#include "settings/settingsfile.h"

#include <optional>
#include <vector>

namespace settings {

// What the start did to the settings file, for the user to hear once.
struct StartNotice
{
    enum class Kind {
        DamagedKept,         // path: where the file that could not be read whole is kept
        NoLanguageKept,      // path: where a file read, but with no language chosen, is kept
        UnknownLanguageKept, // path: where a file read, but of no language known, is kept
        CutShortKept,        // path: where a file cut short, whose texts stand, is kept
        CutShortReplaced,    // path: where a file cut short, whose texts gave way, is kept
        Restored,            // path: the settings file, back from the copy of an in-place save
        SharedFileCutShort,  // path: a shared file found empty or cut short, not saved over
        Unreadable           // path: a file that could not be read, not saved over
    };
    Kind kind = Kind::DamagedKept;
    QString path;
};

// The main window to open at start, or none (LanguageState 3: the program ends at once).
using StartWindow = std::optional<Language>;

// How the program was put on the machine: unzipped or built somewhere (its settings file may
// live beside it), or installed (the file lives in the user's configuration folder, whoever
// runs it, root too).
enum class ProgramLayout { Portable, Installed };

// What the start decided: the settings, the file they are saved to, the window to open and
// what the user is to hear once it is up.
struct Start
{
    Settings settings;
    SettingsFile file;
    StartWindow window;
    std::vector<StartNotice> notices;
};

// The start-up decision: finds the settings file (settingsFilePath below); with the turns it
// can have without waiting removes what a crashed save left, restores a file that an in-place
// save left empty or cut short, refuses saves over a shared file found so with no copy of the
// user's own, keeps a file that cannot be trusted aside as KVRsys.cfg.damaged (one larger than
// MaxSettingsBytes, or one that SettingsFile::read does not find whole) with a notice of what
// gave way, and loads the file. Then applies the first-run defaults when no usable language is
// stored (languageState 0 or 4..255; the English window opens, and the first save records it)
// and says which main window to open. userConfigDir is the user's configuration folder for
// this program, or empty.
Start startUp(const QString &programDir, const QString &userConfigDir,
              ProgramLayout layout = ProgramLayout::Portable,
              const calc::NumberLocale &locale = {});

// Where the settings file lives. Installed: in userConfigDir (empty: nowhere). Portable: beside
// the program when a file is there or the program's folder takes a new file; otherwise in
// userConfigDir (empty: beside the program all the same, unless programDir is not absolute).
QString settingsFilePath(const QString &programDir, const QString &userConfigDir,
                         ProgramLayout layout = ProgramLayout::Portable);

// The first-run defaults: every text "1" except n and S "4"; inch units, threads per inch.
void applyFirstRunDefaults(Settings &settings);

// The settings file's name, beside the program or in the user's configuration folder.
inline constexpr const char *SettingsFileName = "KVRsys.cfg";

} // namespace settings
