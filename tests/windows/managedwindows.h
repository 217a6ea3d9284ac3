#pragma once

// What the window-manager tests share: the sample values with a settings file in a fresh
// directory for each test, a count of Quit, and a window activated as on a desktop.

#include "mainwindow/fixture.h"
#include "windows/windowmanager.h"

namespace fixture {

// The base of a test class: its init() calls startWithSampleFile().
class ManagedWindowsTest : public QObject
{
protected:
    void startWithSampleFile()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_values = Settings();
        m_file = state::SettingsFile(m_dir->filePath(QStringLiteral("KVRsys.cfg")));
        sampleValues(m_values, true);
        m_quits = 0;
    }

    Watchdog m_watchdog;
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_values;
    state::SettingsFile m_file;
    int m_quits = 0;
};

} // namespace fixture
