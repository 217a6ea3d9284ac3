// SPDX-License-Identifier: MIT
// The main window's print, legend and about commands reach their windows, and those windows
// go with their main window: at the language switch and at Quit.

#include "appwindows/aboutwindows.h"
#include "appwindows/legendwindow.h"
#include "managedwindows.h"
#include "platform/clipboard.h"

using appwindows::AboutMakerWindow;
using appwindows::LegendWindow;
using appwindows::WindowManager;
using texts::catalogue;
using texts::ReportTexts;

namespace {

QAction *menuAction(MainWindow *window, const QString &name)
{
    return window->findChild<QAction *>(name);
}

int visibleTopLevels(const QString &objectName)
{
    int count = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        count += top->objectName() == objectName && top->isVisible();
    return count;
}

// Prints into `printed` instead of a printer: the lines of the last report.
void printInto(WindowManager &manager, QStringList &printed)
{
    manager.setPrintStep(
        [&printed](QWidget *, const std::function<QList<platform::PrintLine>()> &makeLines) {
            printed.clear();
            for (const platform::PrintLine &line : makeLines())
                printed << line.text;
            return true;
        });
}

} // namespace

class AuxWiringTest : public fixture::ManagedWindowsTest
{
    Q_OBJECT

private slots:
    void f1_opensTheLegendOfTheWindowsLanguageOnce_data();
    void f1_opensTheLegendOfTheWindowsLanguageOnce();
    void languageSwitch_closesTheOldLegend();
    void infoMenu_opensAboutWindowsModal();
    void quit_closesModelessAboutWindow();
    void ctrlP_printsWhatTheWindowShows_data() { f1_opensTheLegendOfTheWindowsLanguageOnce_data(); }
    void ctrlP_printsWhatTheWindowShows();
    void ctrlP_withoutResult_showsMessageAndPrintsNothing();
    void copyAndPrint_takeTheLineAsShown();
};

void AuxWiringTest::f1_opensTheLegendOfTheWindowsLanguageOnce_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("legend");
    QTest::newRow("Danish") << Language::Danish << u"SignaturForm"_s;
    QTest::newRow("English") << Language::English << u"UKSignaturForm"_s;
}

void AuxWiringTest::f1_opensTheLegendOfTheWindowsLanguageOnce()
{
    QFETCH(Language, language);
    QFETCH(QString, legend);
    Program run(m_values, m_file, m_quits);
    MainWindow *window = run.manager.open(language);
    QVERIFY(fixture::activate(window));

    // The menu item stays switched off; its key still opens the legend.
    QVERIFY(!menuAction(window, names::LegendItem)->isEnabled());
    QTest::keyClick(window, Qt::Key_F1);
    LegendWindow *shown = run.manager.auxWindows().legend(language);
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), legend);
    QVERIFY(shown->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    QVERIFY(fixture::activate(window));
    QTest::keyClick(window, Qt::Key_F1);
    QCOMPARE(run.manager.auxWindows().legend(language), shown);
    QCOMPARE(visibleTopLevels(legend), 1);
}

void AuxWiringTest::languageSwitch_closesTheOldLegend()
{
    Program run(m_values, m_file, m_quits);
    MainWindow *danish = run.manager.open(Language::Danish);
    QVERIFY(fixture::activate(danish));
    QTest::keyClick(danish, Qt::Key_F1);
    QCOMPARE(visibleTopLevels(u"SignaturForm"_s), 1);

    menuAction(danish, names::EnglishItem)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(u"SignaturForm"_s), 0);
    QCOMPARE(run.manager.mainWindow()->objectName(), names::EnglishWindow);
    QCOMPARE(m_quits, 0);
}

void AuxWiringTest::infoMenu_opensAboutWindowsModal()
{
    Program run(m_values, m_file, m_quits);
    MainWindow *window = run.manager.open(Language::English);
    QVERIFY(fixture::activate(window));

    // Each returns only once the watchdog has closed the modal window.
    menuAction(window, names::AboutProgramItem)->trigger();
    menuAction(window, names::AboutMakerItem)->trigger();
    const QList<fixture::SeenBox> seen = m_watchdog.take();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(0).text, u"OmForm"_s);
    QCOMPARE(seen.at(1).text, u"UKOmKovrinForm"_s);
}

void AuxWiringTest::quit_closesModelessAboutWindow()
{
    Program run(m_values, m_file, m_quits);
    MainWindow *window = run.manager.open(Language::Danish);
    QVERIFY(fixture::activate(window));

    menuAction(window, names::EditAboutMakerItem)->trigger();
    QPointer<AboutMakerWindow> about = run.manager.auxWindows().aboutMaker(Language::Danish);
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->objectName(), u"OmKovrinForm"_s);
    QCOMPARE(QApplication::activeModalWidget(), nullptr); // the main window stays usable

    QVERIFY(fixture::activate(window));
    menuAction(window, names::QuitItem)->trigger();
    QCOMPARE(m_quits, 1);
    QVERIFY(about.isNull() || !about->isVisible());
}

void AuxWiringTest::ctrlP_printsWhatTheWindowShows()
{
    QFETCH(Language, language);
    Program run(m_values, m_file, m_quits);
    QStringList printed;
    printInto(run.manager, printed);
    MainWindow *window = run.manager.open(language);
    QVERIFY(fixture::activate(window));
    const QString cncLine = window->findChild<QLineEdit *>(names::CncLine)->text();
    QVERIFY(!cncLine.isEmpty());

    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!printed.isEmpty());
    // The report in the window's own language, of the mode and CNC line it shows.
    const ReportTexts &texts = catalogue(language).report;
    QCOMPARE(printed.first(), window->windowTitle());
    QVERIFY2(printed.contains(texts.millHeading), qPrintable(printed.join(u'|')));
    QVERIFY2(printed.contains(texts.resultPrefix + cncLine), qPrintable(printed.join(u'|')));
}

void AuxWiringTest::ctrlP_withoutResult_showsMessageAndPrintsNothing()
{
    m_values.mill[Field::SpindleSpeed].clear();
    Program run(m_values, m_file, m_quits);
    int prints = 0;
    run.manager.setPrintStep([&prints](QWidget *, const auto &) {
        ++prints;
        return true;
    });
    MainWindow *window = run.manager.open(Language::Danish);
    QVERIFY(fixture::activate(window));

    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(prints, 0);
    QCOMPARE(m_watchdog.take().size(), 1); // its texts are the report's
}

void AuxWiringTest::copyAndPrint_takeTheLineAsShown()
{
    m_values.tap[Field::Diameter].clear();
    Program run(m_values, m_file, m_quits);
    QStringList printed;
    printInto(run.manager, printed);
    MainWindow *window = run.manager.open(Language::Danish);
    QVERIFY(fixture::activate(window));
    const ReportTexts &texts = catalogue(Language::Danish).report;
    auto *line = window->findChild<QLineEdit *>(names::CncLine);
    const auto click = [window](const QString &option) {
        QTest::mouseClick(window->findChild<QRadioButton *>(option), Qt::LeftButton, {},
                          QPoint(7, 7));
    };

    // A line edited by hand copies and prints as it stands.
    QTest::mouseClick(line, Qt::LeftButton);
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, u" T1"_s);
    const QString edited = line->text();
    QVERIFY(edited.endsWith(u"SK) T1"_s));
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), edited);
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY2(printed.contains(texts.resultPrefix + edited), qPrintable(printed.join(u'|')));

    // A tap without a diameter has no line: the drill's does not stay under the tap's fields.
    click(names::DrillOption);
    QVERIFY(line->text().endsWith(u" BOR)"_s));
    click(names::TapOption);
    QCOMPARE(line->text(), QString());
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY2(printed.contains(texts.tapHeading) && printed.contains(texts.resultPrefix),
             qPrintable(printed.join(u'|')));
}

QTEST_MAIN(AuxWiringTest)
#include "tst_auxwiring.moc"
