#include "state/startup.h"

#include "state/settingsfile.h"
#include "state/writepermission.h"

#include <QDir>
#include <QFileInfo>

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

QString settingsFilePath(const QString &programDir, const QString &userConfigDir)
{
    const QDir program(programDir);
    const QString besideProgram = program.filePath(QLatin1StringView(settingsFileName));
    const QFileInfo file(besideProgram);
    if (file.exists() || file.isSymLink() || userConfigDir.isEmpty() ||
        permitsWriting(QFileInfo(program.path())))
        return besideProgram;
    return QDir(userConfigDir).filePath(QLatin1StringView(settingsFileName));
}

StartWindow chooseStartWindow(WorkingValues &values, const QString &programDir,
                              const QString &userConfigDir)
{
    values.settingsPath = settingsFilePath(programDir, userConfigDir);
    // Only the user's own folder is made when missing; a program's folder that is gone is
    // a fault to report, not to paper over.
    values.mayCreateSettingsFolder =
        !userConfigDir.isEmpty() &&
        QFileInfo(values.settingsPath).absolutePath() == QDir(userConfigDir).absolutePath();
    removeAbandonedSaveFiles(values.settingsPath);
    loadSettings(values);

    switch (values.languageState) {
    case 1:
        return Language::Danish;
    case 2:
        return Language::English;
    case 3:
        return std::nullopt;
    default:
        // Nothing usable stored: a first run. Recording the English window that now opens
        // keeps the next start from replacing the user's values with the defaults again.
        applyFirstRunDefaults(values);
        values.languageState = 2;
        return Language::English;
    }
}

} // namespace state
