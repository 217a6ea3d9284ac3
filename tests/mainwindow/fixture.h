// SPDX-License-Identifier: MIT
#pragma once

// Shared by the main-window and window-manager tests: the controls' objectNames, a settings
// file in a temporary directory, a watchdog for message boxes, the two test locales, and a main
// window opened and activated on the offscreen platform so that focus events flow as on a desktop.

#include "mainwindow/mainwindow.h"
#include "modalwatchdog.h"
#include "session/session.h"
#include "settings/settingsfile.h"
#include "testvalues.h"
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

using calc::Field;
using calc::Language;
using mainwindow::MainWindow;
using settings::FileRecords;
using settings::LanguageState;
using settings::Settings;
using widgets::EntryField;

// The objectNames of the main window's controls. The tests keep their own copy rather than
// read the program's field table, so that a wrong name there fails here.
// clang-format off
namespace names {
// The entry fields and their captions, indexed by Field.
inline const QString Fields[calc::FieldCount] = {
    u"DiameterSkærText"_s, u"AntalSkærText"_s,     u"TilspændingTandText"_s, u"SkærehastighedText"_s,
    u"StigningText"_s,     u"StigningTextTomme"_s, u"OmdrejningerText"_s,    u"TilspændingOmdrText"_s};
inline const QString Captions[calc::FieldCount] = {
    u"Label1"_s, u"Label6"_s, u"Label5"_s, u"Label3"_s, u"Label9"_s, u"Label14"_s, u"Label2"_s, u"Label8"_s};
inline QString field(Field which) { return Fields[std::size_t(which)]; }
inline QString caption(Field which) { return Captions[std::size_t(which)]; }

inline const QString CncLine = u"CNCResultatText"_s, CncCaption = u"Label11"_s;
inline const QString DecimalsLabel = u"DecimalLabel"_s, UnitsLabel = u"EnhederLabel"_s;
inline const QString MillOption = u"FræsereValg"_s, DrillOption = u"BorValg"_s, TapOption = u"GevindtappeValg"_s;
inline const QString PitchMmOption = u"PmmOption"_s, ThreadsPerInchOption = u"PtommeOption"_s;
inline const QString MillPicture = u"FræserBillede"_s, DrillPicture = u"BorBillede"_s;
inline const QString TapPicture = u"GevindBillede"_s, ScenePicture = u"Image3"_s;
inline const QString ToolBand = u"Label4"_s, ToolFrame = u"Frame5"_s, ResultFrame = u"Frame2"_s;
inline const QString ResultBand = u"Label7"_s, MakerLine = u"Label12"_s;
inline const QString EuropeFrame = u"Frame3"_s, AmericaFrame = u"Frame4"_s;
// The maker band's web and mail links, Europe then America; the two windows number them apart.
inline const QStringList DanishLinks{u"Label10"_s, u"Label13"_s, u"Label21"_s, u"Label22"_s};
inline const QStringList EnglishLinks{u"Label13"_s, u"Label16"_s, u"Label21"_s, u"Label22"_s};
inline const QString DanishWindow = u"HovedForm"_s, EnglishWindow = u"UKHovedForm"_s;

inline const QString FileMenu = u"ctlFiler"_s, PrintItem = u"ctlPrint"_s, QuitItem = u"ctlAfslut"_s;
inline const QString EditMenu = u"ctlEdit"_s, CopyItem = u"ctlKopier"_s, PasteItem = u"ctlSætInd"_s;
inline const QString EditSeparator = u"ctlStreg"_s, EditAboutMakerItem = u"ctlEditSignaturforklaring"_s;
inline const QString DecimalsMenu = u"ctlDecimaler"_s;
inline QString decimalsItem(int count) { return u"ctlDecimalValg"_s + QString::number(count); }
inline const QString UnitsMenu = u"ctlEnheder"_s, MetricItem = u"ctlMetrisk"_s, InchItem = u"ctlTommer"_s;
// Each window's language menu offers the other language.
inline const QString DanishLanguageMenu = u"ctlSprog"_s, EnglishItem = u"ctlEngelsk"_s;
inline const QString EnglishLanguageMenu = u"ctlLanguage"_s, DanishItem = u"ctlDanish"_s;
inline const QString InfoMenu = u"ctlInfo"_s, LegendItem = u"ctlSignaturforklaring"_s;
inline const QString AboutMakerItem = u"ctlOmKovrin"_s, AboutProgramItem = u"ctlOm"_s;
} // namespace names
// clang-format on

namespace fixture {

// A locale with a decimal comma, or one with a decimal point.
inline calc::NumberLocale numberLocale(bool comma)
{
    return comma ? calc::commaLocale() : calc::pointLocale();
}

using testvalues::numberText;

// A window made active as a window manager makes it when it opens.
inline bool activate(QWidget *window)
{
    makeActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

using SeenBox = ::SeenBox;
using Watchdog = ModalWatchdog;

// A known set of values: metric, Mill, two decimals, a diameter of 12,5.
inline void sampleValues(Settings &v, bool comma)
{
    // clang-format off
    v.mill = {numberText("12,5", comma), "3", numberText("0,1", comma), "50", "1", "20",
              numberText("1273,24", comma), numberText("381,97", comma)};
    v.drill = {"8", "2", numberText("0,1", comma), "20", "1", "20", numberText("795,77", comma),
               numberText("79,58", comma)};
    v.tap = {"6", "1", "1", "20", numberText("1,25", comma), "20", "1061", "1326"};
    // clang-format on
    v.decimalCount = 2;
    v.language = Language::Danish;
    v.units = calc::Units::Metric;
    v.pitchUnit = calc::PitchUnit::Millimetres;
    v.decimalSeparator = calc::DecimalSeparator::pointIf(!comma); // written in this notation
}

// The records a settings file holds.
inline FileRecords readSettings(const QString &path)
{
    FileRecords read;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        settings::parseSettings(file.readAll(), read);
    return read;
}

// A main window as built, before it loads: default values in a comma locale, not shown.
struct DefaultEngine
{
    Settings values;
    session::Session engine{values, calc::commaLocale()};
};
class BuiltWindow : private DefaultEngine, public MainWindow
{
public:
    explicit BuiltWindow(Language language) : MainWindow(language, engine) {}
};

// The Mill line of the sample values in the window's language.
inline QString sampleLine(Language language)
{
    return language == Language::Danish ? u"S1273 M03 F381.97 (12.5 FR 3 SK)"_s
                                        : u"S1273 M03 F381.97 (12.5 MILL 3 FLUTES)"_s;
}

// One main window with its settings file in a directory of its own.
class RunningWindow
{
public:
    // Starts from the sample values in comma notation; a test changes what it needs.
    RunningWindow() { sampleValues(values, true); }
    ~RunningWindow()
    {
        window.reset();
        engine.reset();
    }

    // open() on the sample values written in the locale's notation.
    bool openSample(Language language, bool comma)
    {
        sampleValues(values, comma);
        return open(language, comma);
    }

    // Creates the window, loads it, shows it and waits until it is active.
    bool open(Language language, bool comma)
    {
        engine = std::make_unique<session::Session>(values, numberLocale(comma), settingsFile);
        window = std::make_unique<MainWindow>(language, *engine);
        window->load();
        window->show();
        return activate(window.get());
    }

    template <class T> T *find(const QString &name) const
    {
        T *child = window->findChild<T *>(name);
        if (!child)
            qWarning("no child named %s", qPrintable(name));
        return child;
    }
    EntryField *field(const QString &name) const { return find<EntryField>(name); }
    EntryField *field(Field which) const { return field(names::field(which)); }
    QLabel *label(const QString &name) const { return find<QLabel>(name); }
    QLabel *caption(Field which) const { return label(names::caption(which)); }
    QRadioButton *option(const QString &name) const { return find<QRadioButton>(name); }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QMenu *menu(const QString &name) const { return find<QMenu>(name); }

    QString line() const { return field(names::CncLine)->text(); }

    QByteArray fileBytes() const
    {
        QFile file(settingsFile.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The values the settings file holds now.
    FileRecords saved() const { return readSettings(settingsFile.path()); }
    // The settings the file holds now, as a start reads them.
    Settings savedSettings() const { return settings::settingsFrom(saved()); }

    // Focuses a field as a user does (a click, or Ctrl+A when it has the focus already, since a
    // click there only moves the caret) and types over its whole text.
    void type(Field which, const QString &text) const
    {
        EntryField *entry = field(which);
        if (entry->hasFocus())
            key(Qt::Key_A, Qt::ControlModifier);
        else
            clickField(entry); // leaving the former field may have shown a message
        typeText(entry, text);
    }

    // Typing, one key a character; characters beyond ASCII come as the text of a key.
    void typeText(QWidget *target, const QString &text) const
    {
        for (QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(target, char(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), {});
        }
        waitActive();
    }

    void clickAt(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        waitActive();
        QTest::mouseClick(widget, button, {}, at);
        waitActive();
    }
    // A click near the start of a field, which selects its whole text.
    void clickField(EntryField *entry) const { clickAt(entry, QPoint(5, entry->height() / 2)); }
    void clickField(Field which) const { clickField(field(which)); }
    // Clicks an option button on its circle.
    void click(const QString &name) const
    {
        QRadioButton *button = option(name);
        clickAt(button, QPoint(7, button->height() / 2));
    }

    // A key to the widget that has the focus, as the keyboard would send it.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        waitActive();
        if (QWidget *target = QApplication::focusWidget())
            QTest::keyClick(target, key, modifiers);
        else
            qWarning("no widget has the focus");
        waitActive();
    }

    // Gives the window back the activation a window manager gives when a message box has gone.
    void waitActive() const
    {
        QCoreApplication::processEvents();
        if (QApplication::activeWindow() != window.get()) {
            makeActiveWindow(window.get());
            if (!QTest::qWaitForWindowActive(window.get()))
                qWarning("the window did not become active again");
        }
    }

    QTemporaryDir dir;
    Settings values;
    settings::SettingsFile settingsFile{dir.filePath(QStringLiteral("KVRsys.cfg"))};
    std::unique_ptr<session::Session> engine;
    std::unique_ptr<MainWindow> window;
};

// The window and locale of a test's row.
struct WindowRow
{
    Language language = Language::Danish;
    bool comma = true;
};

// Opens a test that chooses its own window and locale: it runs in the first row only.
#define RUN_IN_FIRST_ROW_ONLY()                                                                    \
    if (m_row.language != Language::Danish || !m_row.comma)                                        \
    QSKIP("The test chooses its own window and locale: the first row runs it.")

// The windows and locales a test class runs each test in, through its initTestCase_data().
enum class Rows { Once, BothWindows, BothWindowsBothLocales };

// The base of a main-window test class: it runs each test in its rows, with m_row the row of
// the running one, and fails a test in which a message box opened that the test did not take.
class WindowTest : public QObject
{
    Q_OBJECT

public:
    explicit WindowTest(Rows rows) : m_rows(rows) {}

private slots:
    void initTestCase_data()
    {
        if (m_rows == Rows::Once)
            return;
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("comma");
        for (Language language : {Language::Danish, Language::English}) {
            const char *window = language == Language::Danish ? "Danish" : "English";
            if (m_rows == Rows::BothWindows)
                QTest::newRow(window) << language << true;
            else
                for (bool comma : {true, false})
                    QTest::addRow("%s, %s", window, comma ? "comma" : "point") << language << comma;
        }
    }
    void init()
    {
        if (m_rows == Rows::Once)
            return;
        QFETCH_GLOBAL(Language, language);
        QFETCH_GLOBAL(bool, comma);
        m_row = {language, comma};
    }
    void cleanup() { m_watchdog.verifyNothingUnexpected(); }

protected:
    Watchdog m_watchdog;
    WindowRow m_row;

private:
    Rows m_rows;
};

} // namespace fixture
