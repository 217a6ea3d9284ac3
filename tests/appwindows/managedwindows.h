// SPDX-License-Identifier: MIT
#pragma once

// What the window-manager tests share: the sample values with a settings file in a fresh
// directory for each test, a count of Quit, and a window activated as on a desktop.

#include "appwindows/windowmanager.h"
#include "mainwindow/fixture.h"

namespace fixture {

// The base of a test class: each test starts from the sample values in a settings file of its
// own, and ends with no unexpected message box and every window closed.
class ManagedWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_values = Settings();
        m_file = settings::SettingsFile(m_dir->filePath(QStringLiteral("KVRsys.cfg")));
        sampleValues(m_values, true);
        m_quits = 0;
    }
    void cleanup()
    {
        m_watchdog.verifyNothingUnexpected();
        for (QWidget *top : QApplication::topLevelWidgets())
            top->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

protected:
    // One run of the program on the given values and file, in a comma locale; Quit counts in
    // m_quits.
    struct Program
    {
        Program(Settings &values, const settings::SettingsFile &file, int &quits)
            : engine(values, calc::commaLocale(), file), manager(engine, [&quits] { ++quits; })
        {
        }
        // The run that a start decided.
        Program(settings::Start &start, int &quits)
            : engine(start.settings, calc::commaLocale(), start.file, std::move(start.notices)),
              manager(engine, [&quits] { ++quits; })
        {
        }
        session::Session engine;
        appwindows::WindowManager manager;
    };

    Watchdog m_watchdog;
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_values;
    settings::SettingsFile m_file;
    int m_quits = 0;
};

} // namespace fixture
