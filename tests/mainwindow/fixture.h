#pragma once

// Shared by the main-window and window-manager tests: a settings file in a temporary
// directory, a watchdog for message boxes, the two test locales, and a main window opened
// and activated on the offscreen platform so that focus events flow as on a desktop.

#include "mainwindow/mainwindow.h"
#include "modalwatchdog.h"
#include "session/session.h"
#include "state/settingsfile.h"
#include "widgets/entryfield.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

using mainwindow::MainWindow;
using state::Language;
using state::LanguageState;
using state::WorkingValues;
using widgets::EntryField;

namespace fixture {

// A locale with a decimal comma, or one with a decimal point.
inline calc::NumberLocale Locale(bool comma)
{
    return comma ? calc::commaLocale() : calc::pointLocale();
}

// A number text written with a comma, in the notation of the locale.
inline QString Num(const char *withComma, bool comma)
{
    QString text = QString::fromUtf8(withComma);
    if (!comma)
        text.replace(u',', u'.');
    return text;
}

// The rows every shared behaviour runs in: both windows, both locales.
inline void AddWindowRows()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("comma");
    QTest::newRow("Danish, comma") << int(Language::Danish) << true;
    QTest::newRow("Danish, point") << int(Language::Danish) << false;
    QTest::newRow("English, comma") << int(Language::English) << true;
    QTest::newRow("English, point") << int(Language::English) << false;
}

using SeenBox = ::SeenBox;
using Watchdog = ModalWatchdog;

// A known set of values: metric, Mill, two decimals, a diameter of 12,5.
inline void SampleValues(WorkingValues &v, bool comma)
{
    v.mill = {Num("12,5", comma),  "3", Num("0,1", comma), "50", "1", "20", Num("1273,24", comma),
              Num("381,97", comma)};
    v.drill = {"8", "2",  Num("0,1", comma),    "20",
               "1", "20", Num("795,77", comma), Num("79,58", comma)};
    v.tap = {"6", "1", "1", "20", Num("1,25", comma), "20", "1061", "1326"};
    v.decimalCount = 2;
    v.languageState = LanguageState::Danish;
    v.metricUnits = true;
    v.inchUnits = false;
    v.pitchMmSelected = true;
    v.threadsPerInchSelected = false;
    v.decimalIsPeriod = !comma; // written in this notation
}

// One main window with its settings file in a directory of its own.
class RunningWindow
{
public:
    RunningWindow() { values.settingsPath = dir.filePath(QStringLiteral("KVRsys.cfg")); }
    ~RunningWindow()
    {
        window.reset();
        engine.reset();
    }

    // Creates the window, loads it, shows it and waits until it is active.
    bool open(Language language, bool comma)
    {
        engine = std::make_unique<session::Session>(values, Locale(comma));
        window = std::make_unique<MainWindow>(language, *engine);
        window->load();
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }

    template <class T> T *find(const QString &name) const
    {
        T *child = window->findChild<T *>(name);
        if (!child)
            qWarning("no child named %s", qPrintable(name));
        return child;
    }
    EntryField *field(const QString &name) const { return find<EntryField>(name); }
    QLabel *label(const QString &name) const { return find<QLabel>(name); }
    QRadioButton *option(const QString &name) const { return find<QRadioButton>(name); }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QMenu *menu(const QString &name) const { return find<QMenu>(name); }

    QString line() const { return field(QStringLiteral("CNCResultatText"))->text(); }

    QByteArray fileBytes() const
    {
        QFile file(values.settingsPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The values the settings file holds now.
    WorkingValues saved() const
    {
        WorkingValues read;
        state::parseSettings(fileBytes(), read);
        return read;
    }

    // Clicks into a field, which selects its whole text, and types. A field that has the
    // focus already gets Ctrl+A instead, since a click there only moves the caret.
    void type(const QString &name, const QString &text) const
    {
        EntryField *entry = field(name);
        waitActive();
        if (entry->hasFocus())
            key(Qt::Key_A, Qt::ControlModifier);
        else
            QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(5, entry->height() / 2));
        waitActive(); // leaving the former field may have shown a message
        QTest::keyClicks(entry, text);
    }

    // Clicks an option button on its circle.
    void click(const QString &name) const
    {
        QRadioButton *button = option(name);
        waitActive();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
    }

    // A key to the widget that has the focus, as the keyboard would send it.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        waitActive();
        if (QWidget *target = QApplication::focusWidget())
            QTest::keyClick(target, key, modifiers);
        else
            qWarning("no widget has the focus");
    }

    // After a message box the window is active again once the events have been processed.
    void waitActive() const
    {
        if (QApplication::activeWindow() != window.get())
            if (!QTest::qWaitForWindowActive(window.get()))
                qWarning("the window did not become active again");
    }

    QTemporaryDir dir;
    WorkingValues values;
    std::unique_ptr<session::Session> engine;
    std::unique_ptr<MainWindow> window;
};

} // namespace fixture
