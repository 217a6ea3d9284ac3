#pragma once

#include "state/workingvalues.h"

namespace state {

enum class StartWindow { Danish, English, None };

// The start-up decision: sets settingsPath to programDir + "/KVRsys.cfg", loads the
// file, applies the first-run defaults when no usable language is stored (languageState 0 or
// 4..255, which then becomes 2 so the first save records the English window) and says which
// main window to open.
StartWindow chooseStartWindow(WorkingValues &values, const QString &programDir);

// The first-run defaults: every text "1" except n and S "4"; inch units, threads per inch.
void applyFirstRunDefaults(WorkingValues &values);

// The settings file's name beside the program.
inline constexpr const char *settingsFileName = "KVRsys.cfg";

} // namespace state
