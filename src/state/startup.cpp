#include "state/startup.h"

#include "state/settingsfile.h"

#include <QDir>

namespace state {

void ApplyDefaults(WorkingValues &values)
{
    for (ToolValues *tool : {&values.Mill, &values.Drill, &values.Tap}) {
        for (QString *text :
             {&tool->D, &tool->Z, &tool->Sz, &tool->V, &tool->PitchMm, &tool->PitchTpi})
            *text = QStringLiteral("1");
        tool->n = QStringLiteral("4");
        tool->S = QStringLiteral("4");
    }
    values.MetricUnits = false;
    values.InchUnits = true;
    values.PitchTpiSelected = true;
    values.PitchMmSelected = false;
    values.DecimalIsPeriod = false;
}

StartWindow Main(WorkingValues &values, const QString &programDir)
{
    values.SettingsPath = QDir(programDir).filePath(QLatin1StringView(SettingsFileName));
    LoadSettings(values);

    switch (values.LanguageState) {
    case 1:
        return StartWindow::Danish;
    case 2:
        return StartWindow::English;
    case 3:
        return StartWindow::None;
    default:
        // Nothing usable stored: a first run. Recording the English window that now opens
        // keeps the next start from replacing the user's values with the defaults again.
        ApplyDefaults(values);
        values.LanguageState = 2;
        return StartWindow::English;
    }
}

} // namespace state
