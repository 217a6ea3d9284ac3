#pragma once

#include "state/workingvalues.h"

#include <optional>

namespace state {

// The main window to open at start, or none (LanguageState 3: the program ends at once).
using StartWindow = std::optional<Language>;

// The start-up decision: sets settingsPath (settingsFilePath below), removes what crashed
// saves left beside the file, loads the file, applies the first-run defaults when no usable
// language is stored (languageState 0 or 4..255, which then becomes 2 so the first save
// records the English window) and says which main window to open. userConfigDir is the
// user's configuration folder for this program, or empty.
StartWindow chooseStartWindow(WorkingValues &values, const QString &programDir,
                              const QString &userConfigDir);

// Where the settings file lives: beside the program when a file is there or the program's
// folder may be written; otherwise, as for a program installed where its user cannot write,
// in userConfigDir (empty: beside the program all the same).
QString settingsFilePath(const QString &programDir, const QString &userConfigDir);

// The first-run defaults: every text "1" except n and S "4"; inch units, threads per inch.
void applyFirstRunDefaults(WorkingValues &values);

// The settings file's name, beside the program or in the user's configuration folder.
inline constexpr const char *settingsFileName = "KVRsys.cfg";

} // namespace state
