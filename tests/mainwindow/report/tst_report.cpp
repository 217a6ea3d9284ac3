#include "mainwindow/report.h"
#include "mainwindow/report/modalwatchdog.h"
#include "platform/printing/pdftext.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using platform::PrintLine;
using report::ReportInput;

namespace {

ReportTexts DanishTexts()
{
    ReportTexts t;
    t.title = QStringLiteral("KOVRIN Zarir adu Rezi");
    t.rule = QString(42, QLatin1Char('_'));
    t.millHeading = QStringLiteral("Resultat af Fræser beregning");
    t.drillHeading = QStringLiteral("Resultat af Bor m.v. beregning");
    t.tapHeading = QStringLiteral("Resultat af Gevindtap beregning");
    t.resultPrefix = QStringLiteral("CNC Resultat : ");
    t.decimalsPrefix = QStringLiteral("Antal decimaler valgt : ");
    t.unitsPrefix = QStringLiteral("Enheder : ");
    t.datePrefix = QStringLiteral("Udskrevet den ");
    t.missingResult = QStringLiteral("Manglende resultat i Resultat-felt.");
    t.messageTitle = QStringLiteral("Meddelelse");
    return t;
}

ReportTexts EnglishTexts()
{
    ReportTexts t;
    t.title = QStringLiteral("KOVRIN Zarir adu Rezi");
    t.rule = QString(42, QLatin1Char('_'));
    t.millHeading = QStringLiteral("Result mills");
    t.drillHeading = QStringLiteral("Result drills ets.");
    t.tapHeading = QStringLiteral("Result thread taps");
    t.resultPrefix = QStringLiteral("CNC Result : ");
    t.decimalsPrefix = QStringLiteral("# decimals selected : ");
    t.unitsPrefix = QStringLiteral("Units : ");
    t.datePrefix = QStringLiteral("Date printed ");
    t.missingResult = QStringLiteral("Missing result in Result Field.");
    t.messageTitle = QStringLiteral("Error");
    return t;
}

// What a Danish window shows in milling mode with metric units and two decimals.
ReportInput DanishMill()
{
    ReportInput in;
    in.mode = ToolMode::Mill;
    in.diameterCaption = QStringLiteral("Diameter (D) i mm :");
    in.flutesCaption = QStringLiteral("Antal skær (Z) :");
    in.feedPerToothCaption = QStringLiteral("Tilspænding/tand (Sz) i mm :");
    in.cuttingSpeedCaption = QStringLiteral("Skærehastighed (V) m/min. :");
    in.pitchMmCaption = QStringLiteral("Stigning (P) i mm :");
    in.threadsPerInchCaption = QStringLiteral("Stigning (P) pr. tomme :");
    in.spindleSpeedCaption = QStringLiteral("Omdrejninger (n) omdr./min. :");
    in.feedRateCaption = QStringLiteral("Tilspænding (S) mm/min. :");
    in.diameterField = QStringLiteral("12,5");
    in.flutesField = QStringLiteral("3");
    in.feedPerToothField = QStringLiteral("0,1");
    in.cuttingSpeedField = QStringLiteral("50");
    in.pitchMmField = QStringLiteral("1,75");
    in.threadsPerInchField = QStringLiteral("20");
    in.spindleSpeedField = QStringLiteral("1273,24");
    in.feedRateField = QStringLiteral("381,97");
    in.cncLineField = QStringLiteral("S1273 M03 F381.97 (12.5 FR 3 SK)");
    in.decimalsLabel = QStringLiteral("2 Decimal(er)");
    in.unitsLabel = QStringLiteral("Metrisk");
    in.date = QStringLiteral("05-03-2024");
    in.time = QStringLiteral("14:07");
    return in;
}

// The English window in inch units.
ReportInput EnglishInch(ToolMode mode)
{
    ReportInput in;
    in.mode = mode;
    in.diameterCaption = QStringLiteral("Diameter (D) in inch :");
    in.flutesCaption = QStringLiteral("# flutes (Z) :");
    in.feedPerToothCaption = QStringLiteral("Feed per tooth (Sz) in inches :");
    in.cuttingSpeedCaption = QStringLiteral("Surface feed (V) feet/min. :");
    in.pitchMmCaption = QStringLiteral("Pitch (P) mm :");
    in.threadsPerInchCaption = QStringLiteral("Pitch (P) thread/inch :");
    in.spindleSpeedCaption = QStringLiteral("RPM (n) :");
    in.feedRateCaption = QStringLiteral("Feedrate (S) inches/min. :");
    in.diameterField = QStringLiteral("0.25");
    in.flutesField = QStringLiteral("2");
    in.feedPerToothField = QStringLiteral("0.002");
    in.cuttingSpeedField = QStringLiteral("80");
    in.pitchMmField = QStringLiteral("1.25");
    in.threadsPerInchField = QStringLiteral("20");
    in.spindleSpeedField = QStringLiteral("1222.32");
    in.feedRateField = QStringLiteral("4.89");
    in.cncLineField = QStringLiteral("S1222 M03 F4.89 (0.25 DRILL)");
    in.decimalsLabel = QStringLiteral("2 Decimal(s)");
    in.unitsLabel = QStringLiteral("Inches");
    in.date = QStringLiteral("3/5/24");
    in.time = QStringLiteral("2:07 PM");
    return in;
}

QStringList Texts(const QList<PrintLine> &lines)
{
    QStringList out;
    for (const PrintLine &l : lines)
        out << l.text;
    return out;
}

// A stand-in for a main window: the controls the report reads, by their names, inside a
// frame as in the real window, and a dialog of its own holding another diameterCaption.
std::unique_ptr<QWidget> MakeWindow(const ReportInput &in)
{
    auto window = std::make_unique<QWidget>();
    auto *owned = new QDialog(window.get());
    (new QLabel(QStringLiteral("Program Version 9.9.9"), owned))
        ->setObjectName(QStringLiteral("Label1"));

    auto *frame = new QFrame(window.get());
    const auto option = [&](const char *name, bool on) {
        auto *b = new QRadioButton(frame);
        b->setObjectName(QString::fromUtf8(name));
        b->setChecked(on);
    };
    option("FræsereValg", in.mode == ToolMode::Mill);
    option("BorValg", in.mode == ToolMode::Drill);
    option("GevindtappeValg", in.mode == ToolMode::Tap);
    const auto label = [&](const char *name, const QString &text, bool shown = true) {
        auto *l = new QLabel(text, frame);
        l->setObjectName(QString::fromUtf8(name));
        l->setVisible(shown);
    };
    const auto field = [&](const char *name, const QString &text) {
        auto *f = new QLineEdit(text, frame);
        f->setObjectName(QString::fromUtf8(name));
    };
    label("Label1", in.diameterCaption);
    label("Label6", in.flutesCaption);
    label("Label5", in.feedPerToothCaption);
    label("Label3", in.cuttingSpeedCaption);
    label("Label9", in.pitchMmCaption, in.Label9Visible);
    label("Label14", in.threadsPerInchCaption, in.Label14Visible);
    label("Label2", in.spindleSpeedCaption);
    label("Label8", in.feedRateCaption);
    field("DiameterSkærText", in.diameterField);
    field("AntalSkærText", in.flutesField);
    field("TilspændingTandText", in.feedPerToothField);
    field("SkærehastighedText", in.cuttingSpeedField);
    field("StigningText", in.pitchMmField);
    field("StigningTextTomme", in.threadsPerInchField);
    field("OmdrejningerText", in.spindleSpeedField);
    field("TilspændingOmdrText", in.feedRateField);
    field("CNCResultatText", in.cncLineField);
    label("DecimalLabel", in.decimalsLabel);
    label("EnhederLabel", in.unitsLabel);
    return window;
}

QString Squeezed(const QString &s)
{
    return s.simplified();
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void danishMillReport_linePlacesAndSizes();
    void toolBlock_data();
    void toolBlock();
    void emptyResultLine_printsPrefixOnly();
    void dateLine_hasTwoBlanksBetweenDateAndTime();

    void readsTheWindowByControlNames_data();
    void readsTheWindowByControlNames();
    void hiddenPitchCaption_countsAsHiddenBeforeTheWindowIsShown();

    void printedPage_data();
    void printedPage();
    void missingResult_showsMessageAndPrintsNothing_data();
    void missingResult_showsMessageAndPrintsNothing();
    void cancelledPrintDialog_endsSilently();

private:
    QTemporaryDir m_dir;
};

void TestReport::danishMillReport_linePlacesAndSizes()
{
    const QList<PrintLine> lines = report::BuildReport(DanishMill(), DanishTexts());
    const QString rule(42, QLatin1Char('_'));
    const QList<PrintLine> expected{
        {QStringLiteral("KOVRIN Zarir adu Rezi"), 30, 12},
        {QString(), 30, 12},
        {rule, 20, 9},
        {QString(), 30, 9},
        {QStringLiteral("Resultat af Fræser beregning"), 30, 9},
        {QString(), 30, 9},
        {QStringLiteral("Diameter (D) i mm :12,5"), 30, 9},
        {QStringLiteral("Antal skær (Z) :3"), 30, 9},
        {QStringLiteral("Tilspænding/tand (Sz) i mm :0,1"), 30, 9},
        {QStringLiteral("Skærehastighed (V) m/min. :50"), 30, 9},
        {QString(), 30, 9},
        {QStringLiteral("Omdrejninger (n) omdr./min. :1273,24"), 30, 9},
        {QStringLiteral("Tilspænding (S) mm/min. :381,97"), 30, 9},
        {rule, 20, 9},
        {QString(), 30, 9},
        {QStringLiteral("CNC Resultat : S1273 M03 F381.97 (12.5 FR 3 SK)"), 30, 9},
        {QStringLiteral("Antal decimaler valgt : 2 Decimal(er)"), 30, 9},
        {QStringLiteral("Enheder : Metrisk"), 30, 9},
        {QString(), 30, 9},
        {QStringLiteral("Udskrevet den 05-03-2024  14:07"), 30, 9},
        {rule, 20, 9},
    };
    QCOMPARE(Texts(lines), Texts(expected));
    QCOMPARE(lines, expected);
}

void TestReport::toolBlock_data()
{
    QTest::addColumn<ReportInput>("input");
    QTest::addColumn<bool>("danish");
    QTest::addColumn<QStringList>("block"); // the lines between the first two rules

    ReportInput drill = EnglishInch(ToolMode::Drill);
    QTest::newRow("English drill prints Z and Sz")
        << drill << false
        << QStringList{QString(),
                       QStringLiteral("Result drills ets."),
                       QString(),
                       QStringLiteral("Diameter (D) in inch :0.25"),
                       QStringLiteral("# flutes (Z) :2"),
                       QStringLiteral("Feed per tooth (Sz) in inches :0.002"),
                       QStringLiteral("Surface feed (V) feet/min. :80"),
                       QString(),
                       QStringLiteral("RPM (n) :1222.32"),
                       QStringLiteral("Feedrate (S) inches/min. :4.89")};

    ReportInput tapTpi = EnglishInch(ToolMode::Tap);
    tapTpi.Label14Visible = true;
    QTest::newRow("tap in threads per inch: that pitch only, no Z or Sz")
        << tapTpi << false
        << QStringList{QString(),
                       QStringLiteral("Result thread taps"),
                       QString(),
                       QStringLiteral("Pitch (P) thread/inch :20"),
                       QStringLiteral("Diameter (D) in inch :0.25"),
                       QStringLiteral("Surface feed (V) feet/min. :80"),
                       QString(),
                       QStringLiteral("RPM (n) :1222.32"),
                       QStringLiteral("Feedrate (S) inches/min. :4.89")};

    ReportInput tapMm = DanishMill();
    tapMm.mode = ToolMode::Tap;
    tapMm.Label9Visible = true;
    QTest::newRow("tap in mm: the mm pitch only")
        << tapMm << true
        << QStringList{QString(),
                       QStringLiteral("Resultat af Gevindtap beregning"),
                       QString(),
                       QStringLiteral("Stigning (P) i mm :1,75"),
                       QStringLiteral("Diameter (D) i mm :12,5"),
                       QStringLiteral("Skærehastighed (V) m/min. :50"),
                       QString(),
                       QStringLiteral("Omdrejninger (n) omdr./min. :1273,24"),
                       QStringLiteral("Tilspænding (S) mm/min. :381,97")};

    ReportInput tapNoPitch = tapMm;
    tapNoPitch.Label9Visible = false;
    QTest::newRow("tap with neither pitch caption shown")
        << tapNoPitch << true
        << QStringList{QString(),
                       QStringLiteral("Resultat af Gevindtap beregning"),
                       QString(),
                       QStringLiteral("Diameter (D) i mm :12,5"),
                       QStringLiteral("Skærehastighed (V) m/min. :50"),
                       QString(),
                       QStringLiteral("Omdrejninger (n) omdr./min. :1273,24"),
                       QStringLiteral("Tilspænding (S) mm/min. :381,97")};

    ReportInput noMode = DanishMill();
    noMode.mode.reset();
    QTest::newRow("no tool mode selected: no block") << noMode << true << QStringList{QString()};
}

void TestReport::toolBlock()
{
    QFETCH(ReportInput, input);
    QFETCH(bool, danish);
    QFETCH(QStringList, block);
    const QStringList texts =
        Texts(report::BuildReport(input, danish ? DanishTexts() : EnglishTexts()));
    const QString rule(42, QLatin1Char('_'));
    const qsizetype first = texts.indexOf(rule);
    const qsizetype second = texts.indexOf(rule, first + 1);
    QCOMPARE(first, 2);
    QVERIFY(second > first);
    QCOMPARE(texts.mid(first + 1, second - first - 1), block);
    QCOMPARE(texts.size(), second + 8); // the result block after the second rule is the same
}

void TestReport::emptyResultLine_printsPrefixOnly()
{
    ReportInput in = DanishMill();
    in.cncLineField.clear();
    const QStringList texts = Texts(report::BuildReport(in, DanishTexts()));
    QVERIFY(texts.contains(QStringLiteral("CNC Resultat : ")));
}

void TestReport::dateLine_hasTwoBlanksBetweenDateAndTime()
{
    ReportInput in = EnglishInch(ToolMode::Mill);
    report::StampDateTime(in, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    const QStringList texts = Texts(report::BuildReport(in, EnglishTexts()));
    QCOMPARE(texts.at(texts.size() - 2),
             QStringLiteral("Date printed ") + platform::ShortDateText(QDate(2024, 3, 5)) +
                 QStringLiteral("  ") + platform::ShortTimeText(QTime(14, 7, 9)));
}

void TestReport::readsTheWindowByControlNames_data()
{
    QTest::addColumn<ReportInput>("shown");
    ReportInput mill = DanishMill();
    mill.date.clear();
    mill.time.clear();
    QTest::newRow("mill") << mill;
    ReportInput tap = EnglishInch(ToolMode::Tap);
    tap.Label14Visible = true;
    tap.date.clear();
    tap.time.clear();
    QTest::newRow("tap, threads per inch") << tap;
    ReportInput none = mill;
    none.mode.reset();
    none.spindleSpeedField.clear();
    QTest::newRow("no mode, empty n") << none;
}

void TestReport::readsTheWindowByControlNames()
{
    QFETCH(ReportInput, shown);
    const auto window = MakeWindow(shown);
    QCOMPARE(report::ReadReportInput(window.get()), shown);
}

void TestReport::hiddenPitchCaption_countsAsHiddenBeforeTheWindowIsShown()
{
    ReportInput in = DanishMill();
    in.mode = ToolMode::Tap;
    in.Label9Visible = true;
    const auto window = MakeWindow(in);
    // Neither the window nor its labels are on screen; the caption's own state decides.
    QVERIFY(!window->isVisible());
    const ReportInput read = report::ReadReportInput(window.get());
    QVERIFY(read.Label9Visible);
    QVERIFY(!read.Label14Visible);
}

void TestReport::printedPage_data()
{
    QTest::addColumn<ReportInput>("shown");
    QTest::addColumn<bool>("danish");

    QTest::newRow("Danish mill") << DanishMill() << true;
    ReportInput daDrill = DanishMill();
    daDrill.mode = ToolMode::Drill;
    QTest::newRow("Danish drill") << daDrill << true;
    ReportInput daTap = DanishMill();
    daTap.mode = ToolMode::Tap;
    daTap.Label9Visible = true;
    QTest::newRow("Danish tap, pitch in mm") << daTap << true;
    QTest::newRow("English mill") << EnglishInch(ToolMode::Mill) << false;
    QTest::newRow("English drill") << EnglishInch(ToolMode::Drill) << false;
    ReportInput enTap = EnglishInch(ToolMode::Tap);
    enTap.Label14Visible = true;
    QTest::newRow("English tap, threads per inch") << enTap << false;
    ReportInput noCnc = DanishMill();
    noCnc.cncLineField.clear();
    QTest::newRow("empty CNC line") << noCnc << true;
}

void TestReport::printedPage()
{
    QFETCH(ReportInput, shown);
    QFETCH(bool, danish);
    const ReportTexts texts = danish ? DanishTexts() : EnglishTexts();
    const auto window = MakeWindow(shown);
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    constexpr double margin = 10.0;

    ModalWatchdog watchdog;
    int printed = 0;
    report::PrintMainWindowReport(
        window.get(), texts,
        [&](QWidget *, const std::function<QList<PrintLine>()> &makeLines) {
            ++printed;
            QVERIFY(platform::PrintToPdf(path, makeLines(), margin));
        },
        [when] { return when; });
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
    QCOMPARE(printed, 1);

    // What should be on the page: the report of the window's contents at that moment.
    ReportInput stamped = shown;
    report::StampDateTime(stamped, when);
    QList<PrintLine> expected;
    for (const PrintLine &line : report::BuildReport(stamped, texts)) {
        if (!Squeezed(line.text).isEmpty())
            expected << line;
    }

    const PdfText pdf = ReadPdf(path);
    QVERIFY2(pdf.error.isEmpty(), qPrintable(pdf.error));
    QCOMPARE(pdf.pages, 1);
    QStringList got, want;
    for (const PdfLine &line : pdf.lines)
        got << line.text();
    for (const PrintLine &line : expected)
        want << Squeezed(line.text);
    QCOMPARE(got, want);

    for (qsizetype i = 0; i < expected.size(); ++i) {
        const double x = pdf.lines[i].x() - MmToPt(margin);
        const double wantX = MmToPt(expected[i].xMm);
        QVERIFY2(std::abs(x - wantX) < 1.5,
                 qPrintable(QStringLiteral("%1 at %2 pt").arg(want[i]).arg(x)));
    }
    QVERIFY(std::abs(pdf.lines.first().top() - MmToPt(margin + 40)) < 3.0);

    // Two blanks between date and time: twice the gap of the one blank after the prefix's
    // first word.
    const PdfLine &dateLine = pdf.lines.at(pdf.lines.size() - 2);
    const qsizetype prefixWords = Squeezed(texts.datePrefix).count(u' ') + 1;
    const qsizetype dateWords = platform::ShortDateText(when.date()).simplified().count(u' ') + 1;
    const auto gap = [&dateLine](qsizetype i) {
        return dateLine.words[i + 1].xMin - dateLine.words[i].xMax;
    };
    const double ratio = gap(prefixWords + dateWords - 1) / gap(0);
    QVERIFY2(ratio > 1.6 && ratio < 2.4, qPrintable(QString::number(ratio)));
}

void TestReport::missingResult_showsMessageAndPrintsNothing_data()
{
    QTest::addColumn<bool>("danish");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("S");
    QTest::newRow("Danish, n empty") << true << QString() << QStringLiteral("381,97");
    QTest::newRow("English, S empty") << false << QStringLiteral("1222.32") << QString();
    QTest::newRow("English, both empty") << false << QString() << QString();
}

void TestReport::missingResult_showsMessageAndPrintsNothing()
{
    QFETCH(bool, danish);
    QFETCH(QString, n);
    QFETCH(QString, S);
    ReportInput in = danish ? DanishMill() : EnglishInch(ToolMode::Mill);
    in.spindleSpeedField = n;
    in.feedRateField = S;
    const auto window = MakeWindow(in);
    const ReportTexts texts = danish ? DanishTexts() : EnglishTexts();

    ModalWatchdog watchdog;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    watchdog.expect([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        } else {
            ModalWatchdog::Dismiss(modal);
        }
    });
    // The command with its real print dialog: if it got that far, the watchdog would see it.
    report::PrintMainWindowReport(window.get(), texts);
    QCOMPARE(watchdog.pending(), 0);
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
    QCOMPARE(text, texts.missingResult);
    QCOMPARE(title, texts.messageTitle);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestReport::cancelledPrintDialog_endsSilently()
{
    const auto window = MakeWindow(DanishMill());
    ModalWatchdog watchdog;
    bool sawPrintDialog = false;
    watchdog.expect([&](QWidget *modal) {
        sawPrintDialog = qobject_cast<QPrintDialog *>(modal) != nullptr;
        ModalWatchdog::Dismiss(modal);
    });
    report::PrintMainWindowReport(window.get(), DanishTexts());
    QVERIFY(sawPrintDialog);
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
