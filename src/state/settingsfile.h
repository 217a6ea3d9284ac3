#pragma once

// KVRsys.cfg: 33 records, one a line, CR LF, Latin-1: 24 quoted texts (Mill, Drill, Tap, each
// D Z Sz V PitchMm PitchTpi n S), decimalCount and languageState as bare numbers, then
// inchUnits, metricUnits, threadsPerInchSelected, pitchMmSelected, decimalIsPeriod, spareFlag1,
// spareFlag2 as #TRUE#/#FALSE#. The format is fixed so that files of earlier versions read.

#include "state/workingvalues.h"

#include <QByteArray>

namespace state {

// Reads values.settingsPath into the 33 members in order. Stops silently at the first record
// that is missing or malformed: the records before it are kept, it and the rest keep what
// they held. Never throws, never shows anything.
void loadSettings(WorkingValues &values);

// Rewrites the whole file atomically (a temporary file, then a rename), so that a crash or a
// full disk never leaves a cut-short file. A read-only file is left untouched. Fails
// silently; returns whether the file was written.
bool saveSettings(const WorkingValues &values);

// The file's bytes for the given values, and the reading of given bytes; the two above are
// these plus the file. Parsing returns the number of records read (33 when whole).
QByteArray serializeSettings(const WorkingValues &values);
int parseSettings(const QByteArray &bytes, WorkingValues &values);

} // namespace state
