// SPDX-License-Identifier: MIT
// Opening the main window, the language switch, Quit and the close box; and that what was
// typed is there again at the next start.

#include "managedwindows.h"
#include "settings/startup.h"

#include <QSignalSpy>

using appwindows::WindowManager;

using fixture::numberText;

namespace {

QList<MainWindow *> openMainWindows()
{
    QList<MainWindow *> open;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<MainWindow *>(top); window && window->isVisible())
            open << window;
    return open;
}

void typeInto(MainWindow *window, Field field, const QString &text)
{
    auto *entry = window->findChild<EntryField *>(names::field(field));
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::keyClicks(entry, text);
}

} // namespace

class WindowManagerTest : public fixture::ManagedWindowsTest
{
    Q_OBJECT

private slots:
    void open_showsTheWindowStartUpChose_data();
    void open_showsTheWindowStartUpChose();
    void languageSwitch_keepsEveryValueAndOpensInMill();
    void languageSwitch_insideEventLoop_programKeepsRunning();
    void closeBox_lastWindowEndsProgram();
    void quit_unloadsAndEndsProgram();
    void restart_bringsBackEveryTypedValue();
    void start_damagedFile_toldOnceWhereItIsKept();
};

void WindowManagerTest::open_showsTheWindowStartUpChose_data()
{
    QTest::addColumn<settings::StartWindow>("start");
    QTest::addColumn<QString>("window");
    QTest::newRow("Danish") << settings::StartWindow(Language::Danish) << names::DanishWindow;
    QTest::newRow("English") << settings::StartWindow(Language::English) << names::EnglishWindow;
    QTest::newRow("none") << settings::StartWindow() << QString();
}

void WindowManagerTest::open_showsTheWindowStartUpChose()
{
    QFETCH(settings::StartWindow, start);
    QFETCH(QString, window);
    Program run(m_values, m_file, m_quits);
    QSignalSpy opened(&run.manager, &WindowManager::mainWindowOpened);

    MainWindow *shown = start ? run.manager.open(*start) : nullptr;
    QCOMPARE(shown, run.manager.mainWindow());
    QCOMPARE(shown ? shown->objectName() : QString(), window);
    QCOMPARE(openMainWindows().size(), shown ? 1 : 0);
    QCOMPARE(opened.size(), shown ? 1 : 0);
    if (shown) {
        QVERIFY(shown->isVisible());
        // Centred on the screen (the frame's size is known only once it is shown).
        const QPoint offset =
            shown->frameGeometry().center() - shown->screen()->availableGeometry().center();
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4,
                 qPrintable(u"off centre by %1, %2"_s.arg(offset.x()).arg(offset.y())));
    } else {
        QVERIFY(!QFile::exists(m_file.path()));
    }
}

void WindowManagerTest::languageSwitch_keepsEveryValueAndOpensInMill()
{
    Program run(m_values, m_file, m_quits);
    QSignalSpy closing(&run.manager, &WindowManager::mainWindowClosing);
    QPointer<MainWindow> danish = run.manager.open(Language::Danish);
    QVERIFY(fixture::activate(danish));

    // Tap mode, with a value typed and not entered.
    QTest::mouseClick(danish->findChild<QRadioButton *>(names::TapOption), Qt::LeftButton, {},
                      QPoint(7, 10));
    typeInto(danish, Field::CuttingSpeed, u"33"_s);
    QCOMPARE(m_values.tap[Field::CuttingSpeed], u"33"_s);
    Settings before = m_values;

    danish->findChild<QAction *>(names::EnglishItem)->trigger();
    QCOMPARE(closing.size(), 1);
    QCOMPARE(closing.first().first().value<MainWindow *>(), danish.data());
    MainWindow *english = run.manager.mainWindow();
    QVERIFY(english);
    QCOMPARE(english->objectName(), names::EnglishWindow);
    QCOMPARE(openMainWindows(), QList<MainWindow *>{english});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(danish.isNull());

    // The typed V was committed before the switch: its chain recomputed n and S.
    before.language = Language::English;
    QVERIFY(m_values.tap[Field::SpindleSpeed] != before.tap[Field::SpindleSpeed]);
    before.tap[Field::SpindleSpeed] = m_values.tap[Field::SpindleSpeed];
    before.tap[Field::FeedRate] = m_values.tap[Field::FeedRate];
    QVERIFY(m_values == before);
    QVERIFY(english->findChild<QRadioButton *>(names::MillOption)->isChecked());
    QCOMPARE(english->findChild<EntryField *>(names::field(Field::Diameter))->text(), u"12,5"_s);
    const settings::FileRecords saved = fixture::readSettings(m_file.path());
    QCOMPARE(saved.languageState, settings::LanguageState::English);
    QCOMPARE(saved.tap[Field::CuttingSpeed], u"33"_s);

    // And back: the Tap values are still there when Tap is chosen again.
    QVERIFY(fixture::activate(english));
    english->findChild<QAction *>(names::DanishItem)->trigger();
    MainWindow *again = run.manager.mainWindow();
    QCOMPARE(again->objectName(), names::DanishWindow);
    QCOMPARE(m_values.language, Language::Danish);
    QVERIFY(fixture::activate(again));
    QTest::mouseClick(again->findChild<QRadioButton *>(names::TapOption), Qt::LeftButton, {},
                      QPoint(7, 10));
    QCOMPARE(again->findChild<EntryField *>(names::field(Field::CuttingSpeed))->text(), u"33"_s);
    QCOMPARE(m_quits, 0);
}

void WindowManagerTest::languageSwitch_insideEventLoop_programKeepsRunning()
{
    // For a moment no main window is open; the event loop must not take that for the end.
    session::Session engine(m_values, calc::commaLocale());
    WindowManager manager(engine);
    MainWindow *danish = manager.open(Language::Danish);
    QTimer::singleShot(0, danish,
                       [danish] { danish->findChild<QAction *>(names::EnglishItem)->trigger(); });
    QTimer::singleShot(300, &manager, [] { QCoreApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 7);
    QVERIFY(manager.mainWindow());
    QCOMPARE(manager.mainWindow()->objectName(), names::EnglishWindow);
    QVERIFY(manager.mainWindow()->isVisible());
}

void WindowManagerTest::closeBox_lastWindowEndsProgram()
{
    Program run(m_values, m_file, m_quits);
    QSignalSpy closing(&run.manager, &WindowManager::mainWindowClosing);
    MainWindow *window = run.manager.open(Language::English);
    QTimer::singleShot(0, window, [window] { window->close(); });
    QTimer::singleShot(5000, &run.manager, [] { QCoreApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(closing.size(), 1);
    QCOMPARE(run.manager.mainWindow(), nullptr);
    QCOMPARE(m_quits, 0); // the close box is no Quit
}

void WindowManagerTest::quit_unloadsAndEndsProgram()
{
    Program run(m_values, m_file, m_quits);
    QSignalSpy closing(&run.manager, &WindowManager::mainWindowClosing);
    QSignalSpy quitting(&run.manager, &WindowManager::quitting);
    MainWindow *window = run.manager.open(Language::Danish);
    QVERIFY(fixture::activate(window));

    window->findChild<QAction *>(names::QuitItem)->trigger();
    QCOMPARE(closing.size(), 1);
    QCOMPARE(quitting.size(), 1);
    QCOMPARE(m_quits, 1);
    QCOMPARE(run.manager.mainWindow(), nullptr);
    QVERIFY(openMainWindows().isEmpty());
}

void WindowManagerTest::restart_bringsBackEveryTypedValue()
{
    // First start: no file, so the defaults and the English window.
    settings::Start first = settings::startUp(m_dir->path(), QString());
    QCOMPARE(first.window, settings::StartWindow(Language::English));
    {
        Program run(first, m_quits);
        MainWindow *window = run.manager.open(Language::English);
        QVERIFY(fixture::activate(window));
        typeInto(window, Field::Diameter, u"2"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        // Typed and not entered: kept all the same.
        typeInto(window, Field::CuttingSpeed, u"123"_s);
        window->findChild<QAction *>(names::decimalsItem(2))->trigger();
        // Typed without Enter when the program closes: results for it were never computed.
        typeInto(window, Field::Flutes, u"6"_s);
        window->findChild<QAction *>(names::QuitItem)->trigger();
        QCOMPARE(m_quits, 1);
    }

    settings::Start second = settings::startUp(m_dir->path(), QString());
    QCOMPARE(second.window, settings::StartWindow(Language::English));
    // Closing wrote nothing: the file keeps the Z that its results were computed with.
    QCOMPARE(second.settings.mill[Field::Flutes], u"1"_s);
    first.settings.mill[Field::Flutes] = second.settings.mill[Field::Flutes];
    QVERIFY(second.settings == first.settings);
    QCOMPARE(second.settings.mill[Field::Diameter], u"2"_s);
    QCOMPARE(second.settings.mill[Field::CuttingSpeed], u"123"_s);
    QCOMPARE(second.settings.decimalCount, 2);

    Program run(second, m_quits);
    MainWindow *window = run.manager.open(Language::English);
    QCOMPARE(window->findChild<EntryField *>(names::field(Field::Diameter))->text(), u"2"_s);
    QCOMPARE(window->findChild<EntryField *>(names::field(Field::CuttingSpeed))->text(), u"123"_s);
    QCOMPARE(window->findChild<EntryField *>(names::field(Field::Flutes))->text(), u"1"_s);
    QCOMPARE(window->findChild<QLabel *>(names::DecimalsLabel)->text(), u"2 Decimal(s)"_s);
}

void WindowManagerTest::start_damagedFile_toldOnceWhereItIsKept()
{
    QFile file(m_file.path()); // 25 records: no language record
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int record = 0; record < 25; ++record)
        file.write("\"1\"\r\n");
    file.close();
    settings::Start start = settings::startUp(m_dir->path(), QString());
    QCOMPARE(start.window, settings::StartWindow(Language::English));
    Program run(start, m_quits);
    QVERIFY(fixture::activate(run.manager.open(Language::English)));
    QTRY_COMPARE(m_watchdog.seen().size(), 1);
    const fixture::SeenBox told = m_watchdog.take().first();
    QCOMPARE(told.icon, QMessageBox::Information);
    QVERIFY2(told.text.contains(QDir::toNativeSeparators(m_dir->filePath(u"KVRsys.cfg.damaged"_s))),
             qPrintable(told.text));
    // The next window of the run tells it no more.
    run.manager.mainWindow()->findChild<QAction *>(names::DanishItem)->trigger();
    QVERIFY(fixture::activate(run.manager.mainWindow()));
}

QTEST_MAIN(WindowManagerTest)
#include "tst_windowmanager.moc"
