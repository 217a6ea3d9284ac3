#include "state/startup.h"

#include "state/settingsfile.h"

#include <QDir>

namespace state {

void applyFirstRunDefaults(WorkingValues &values)
{
    for (ToolValues *tool : {&values.mill, &values.drill, &values.tap}) {
        for (QString *text : {&tool->diameter, &tool->flutes, &tool->feedPerTooth,
                              &tool->cuttingSpeed, &tool->pitchMm, &tool->threadsPerInch})
            *text = QStringLiteral("1");
        tool->spindleSpeed = QStringLiteral("4");
        tool->feedRate = QStringLiteral("4");
    }
    values.metricUnits = false;
    values.inchUnits = true;
    values.threadsPerInchSelected = true;
    values.pitchMmSelected = false;
    values.decimalIsPeriod = false;
}

StartWindow chooseStartWindow(WorkingValues &values, const QString &programDir)
{
    values.settingsPath = QDir(programDir).filePath(QLatin1StringView(settingsFileName));
    loadSettings(values);

    switch (values.languageState) {
    case 1:
        return StartWindow::Danish;
    case 2:
        return StartWindow::English;
    case 3:
        return StartWindow::None;
    default:
        // Nothing usable stored: a first run. Recording the English window that now opens
        // keeps the next start from replacing the user's values with the defaults again.
        applyFirstRunDefaults(values);
        values.languageState = 2;
        return StartWindow::English;
    }
}

} // namespace state
