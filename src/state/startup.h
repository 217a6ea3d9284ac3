#pragma once

#include "state/workingvalues.h"

namespace state {

enum class StartWindow { Danish, English, None };

// The start-up decision of Main: sets SettingsPath to programDir + "/KVRsys.cfg", loads the
// file, applies the first-run defaults when no usable language is stored (LanguageState 0 or
// 4..255, which then becomes 2 so the first save records the English window) and says which
// main window to open.
StartWindow Main(WorkingValues &values, const QString &programDir);

// The first-run defaults: every text "1" except n and S "4"; inch units, threads per inch.
void ApplyDefaults(WorkingValues &values);

// The settings file's name beside the program.
inline constexpr const char *SettingsFileName = "KVRsys.cfg";

} // namespace state
