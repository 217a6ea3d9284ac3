#include "mainwindow/report.h"
#include "modalwatchdog.h"
#include "mainwindow/textcatalogue.h"
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
using calc::ToolMode;
using state::Language;
using mainwindow::TextCatalogue;
using mainwindow::UnitCaptions;
using mainwindow::ReportTexts;
using mainwindow::catalogue;

using platform::PrintLine;
using report::PrintOutcome;
using report::ReportInput;

namespace {

const ReportTexts &DanishReport()
{
    return catalogue(Language::Danish).report;
}

const ReportTexts &EnglishReport()
{
    return catalogue(Language::English).report;
}

// The captions of the window in the given units, as the units menu sets them.
void SetCaptions(ReportInput &in, const UnitCaptions &captions)
{
    in.diameterCaption = captions.diameterCaption;
    in.flutesCaption = captions.flutesCaption;
    in.feedPerToothCaption = captions.feedPerToothCaption;
    in.cuttingSpeedCaption = captions.cuttingSpeedCaption;
    in.pitchMmCaption = captions.pitchMmCaption;
    in.threadsPerInchCaption = captions.threadsPerInchCaption;
    in.spindleSpeedCaption = captions.spindleSpeedCaption;
    in.feedRateCaption = captions.feedRateCaption;
    in.unitsLabel = captions.unitsLabel;
}

// What a Danish window shows in milling mode with metric units and two decimals.
ReportInput DanishMill()
{
    const TextCatalogue &texts = catalogue(Language::Danish);
    ReportInput in;
    in.mode = ToolMode::Mill;
    SetCaptions(in, texts.metricMenu);
    in.diameterField = QStringLiteral("12,5");
    in.flutesField = QStringLiteral("3");
    in.feedPerToothField = QStringLiteral("0,1");
    in.cuttingSpeedField = QStringLiteral("50");
    in.pitchMmField = QStringLiteral("1,75");
    in.threadsPerInchField = QStringLiteral("20");
    in.spindleSpeedField = QStringLiteral("1273,24");
    in.feedRateField = QStringLiteral("381,97");
    in.cncLineField = QStringLiteral("S1273 M03 F381.97 (12.5 FR 3 SK)");
    in.decimalsLabel = QLatin1Char('2') + texts.decimalsSuffix;
    in.date = QStringLiteral("05-03-2024");
    in.time = QStringLiteral("14:07");
    return in;
}

// The English window in inch units.
ReportInput EnglishInch(ToolMode mode)
{
    const TextCatalogue &texts = catalogue(Language::English);
    ReportInput in;
    in.mode = mode;
    SetCaptions(in, texts.inchLoad);
    in.diameterField = QStringLiteral("0.25");
    in.flutesField = QStringLiteral("2");
    in.feedPerToothField = QStringLiteral("0.002");
    in.cuttingSpeedField = QStringLiteral("80");
    in.pitchMmField = QStringLiteral("1.25");
    in.threadsPerInchField = QStringLiteral("20");
    in.spindleSpeedField = QStringLiteral("1222.32");
    in.feedRateField = QStringLiteral("4.89");
    in.cncLineField = QStringLiteral("S1222 M03 F4.89 (0.25 DRILL)");
    in.decimalsLabel = QLatin1Char('2') + texts.decimalsSuffix;
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
    (new QLabel(QStringLiteral("a label of another window"), owned))
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
    label("Label9", in.pitchMmCaption, in.pitchMmCaptionShown);
    label("Label14", in.threadsPerInchCaption, in.threadsPerInchCaptionShown);
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
    const ReportInput in = DanishMill();
    const ReportTexts &t = DanishReport();
    const QList<PrintLine> lines = report::buildReport(in, t);
    const QString blank;
    QCOMPARE(Texts(lines), (QStringList{t.title,
                                        blank,
                                        t.rule,
                                        blank,
                                        t.millHeading,
                                        blank,
                                        in.diameterCaption + in.diameterField,
                                        in.flutesCaption + in.flutesField,
                                        in.feedPerToothCaption + in.feedPerToothField,
                                        in.cuttingSpeedCaption + in.cuttingSpeedField,
                                        blank,
                                        in.spindleSpeedCaption + in.spindleSpeedField,
                                        in.feedRateCaption + in.feedRateField,
                                        t.rule,
                                        blank,
                                        t.resultPrefix + in.cncLineField,
                                        t.decimalsPrefix + in.decimalsLabel,
                                        t.unitsPrefix + in.unitsLabel,
                                        blank,
                                        t.datePrefix + in.date + QStringLiteral("  ") + in.time,
                                        t.rule}));

    // The title, and the gap under it, in a larger font than the rest; the rules stand out
    // to the left of the text, which keeps one left edge.
    const PrintLine &title = lines.first();
    QVERIFY(title.pointSize > lines.last().pointSize);
    QCOMPARE(lines[1].pointSize, title.pointSize);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const bool isRule = lines[i].text == t.rule;
        QCOMPARE(lines[i].pointSize, lines.last().pointSize);
        QVERIFY(isRule ? lines[i].xMm < title.xMm : lines[i].xMm == title.xMm);
    }
}

void TestReport::toolBlock_data()
{
    QTest::addColumn<ReportInput>("input");
    QTest::addColumn<bool>("danish");
    QTest::addColumn<QStringList>("block"); // the lines between the first two rules

    const auto row = [](const QString &caption, const QString &field) { return caption + field; };
    ReportInput drill = EnglishInch(ToolMode::Drill);
    QTest::newRow("English drill prints Z and Sz")
        << drill << false
        << QStringList{QString(),
                       EnglishReport().drillHeading,
                       QString(),
                       row(drill.diameterCaption, drill.diameterField),
                       row(drill.flutesCaption, drill.flutesField),
                       row(drill.feedPerToothCaption, drill.feedPerToothField),
                       row(drill.cuttingSpeedCaption, drill.cuttingSpeedField),
                       QString(),
                       row(drill.spindleSpeedCaption, drill.spindleSpeedField),
                       row(drill.feedRateCaption, drill.feedRateField)};

    ReportInput tapTpi = EnglishInch(ToolMode::Tap);
    tapTpi.threadsPerInchCaptionShown = true;
    QTest::newRow("tap in threads per inch: that pitch only, no Z or Sz")
        << tapTpi << false
        << QStringList{QString(),
                       EnglishReport().tapHeading,
                       QString(),
                       row(tapTpi.threadsPerInchCaption, tapTpi.threadsPerInchField),
                       row(tapTpi.diameterCaption, tapTpi.diameterField),
                       row(tapTpi.cuttingSpeedCaption, tapTpi.cuttingSpeedField),
                       QString(),
                       row(tapTpi.spindleSpeedCaption, tapTpi.spindleSpeedField),
                       row(tapTpi.feedRateCaption, tapTpi.feedRateField)};

    ReportInput tapMm = DanishMill();
    tapMm.mode = ToolMode::Tap;
    tapMm.pitchMmCaptionShown = true;
    const QStringList tapMmBlock{QString(),
                                 DanishReport().tapHeading,
                                 QString(),
                                 row(tapMm.pitchMmCaption, tapMm.pitchMmField),
                                 row(tapMm.diameterCaption, tapMm.diameterField),
                                 row(tapMm.cuttingSpeedCaption, tapMm.cuttingSpeedField),
                                 QString(),
                                 row(tapMm.spindleSpeedCaption, tapMm.spindleSpeedField),
                                 row(tapMm.feedRateCaption, tapMm.feedRateField)};
    QTest::newRow("tap in mm: the mm pitch only") << tapMm << true << tapMmBlock;

    ReportInput tapNoPitch = tapMm;
    tapNoPitch.pitchMmCaptionShown = false;
    QStringList noPitchBlock = tapMmBlock;
    noPitchBlock.removeAt(3);
    QTest::newRow("tap with neither pitch caption shown") << tapNoPitch << true << noPitchBlock;

    ReportInput noMode = DanishMill();
    noMode.mode.reset();
    QTest::newRow("no tool mode selected: no block") << noMode << true << QStringList{QString()};
}

void TestReport::toolBlock()
{
    QFETCH(ReportInput, input);
    QFETCH(bool, danish);
    QFETCH(QStringList, block);
    const ReportTexts &texts = danish ? DanishReport() : EnglishReport();
    const QStringList lines = Texts(report::buildReport(input, texts));
    const qsizetype first = lines.indexOf(texts.rule);
    const qsizetype second = lines.indexOf(texts.rule, first + 1);
    QCOMPARE(first, 2);
    QVERIFY(second > first);
    QCOMPARE(lines.mid(first + 1, second - first - 1), block);
    QCOMPARE(lines.size(), second + 8); // the result block after the second rule is the same
}

void TestReport::emptyResultLine_printsPrefixOnly()
{
    ReportInput in = DanishMill();
    in.cncLineField.clear();
    const QStringList texts = Texts(report::buildReport(in, DanishReport()));
    QVERIFY(texts.contains(DanishReport().resultPrefix));
}

void TestReport::dateLine_hasTwoBlanksBetweenDateAndTime()
{
    ReportInput in = EnglishInch(ToolMode::Mill);
    report::stampDateTime(in, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    const QStringList texts = Texts(report::buildReport(in, EnglishReport()));
    QCOMPARE(texts.at(texts.size() - 2),
             EnglishReport().datePrefix + platform::shortDateText(QDate(2024, 3, 5)) +
                 QStringLiteral("  ") + platform::shortTimeText(QTime(14, 7, 9)));
}

void TestReport::readsTheWindowByControlNames_data()
{
    QTest::addColumn<ReportInput>("shown");
    ReportInput mill = DanishMill();
    mill.date.clear();
    mill.time.clear();
    QTest::newRow("mill") << mill;
    ReportInput tap = EnglishInch(ToolMode::Tap);
    tap.threadsPerInchCaptionShown = true;
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
    QCOMPARE(report::readReportInput(window.get()), shown);
}

void TestReport::hiddenPitchCaption_countsAsHiddenBeforeTheWindowIsShown()
{
    ReportInput in = DanishMill();
    in.mode = ToolMode::Tap;
    in.pitchMmCaptionShown = true;
    const auto window = MakeWindow(in);
    // Neither the window nor its labels are on screen; the caption's own state decides.
    QVERIFY(!window->isVisible());
    const ReportInput read = report::readReportInput(window.get());
    QVERIFY(read.pitchMmCaptionShown);
    QVERIFY(!read.threadsPerInchCaptionShown);
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
    daTap.pitchMmCaptionShown = true;
    QTest::newRow("Danish tap, pitch in mm") << daTap << true;
    QTest::newRow("English mill") << EnglishInch(ToolMode::Mill) << false;
    QTest::newRow("English drill") << EnglishInch(ToolMode::Drill) << false;
    ReportInput enTap = EnglishInch(ToolMode::Tap);
    enTap.threadsPerInchCaptionShown = true;
    QTest::newRow("English tap, threads per inch") << enTap << false;
    ReportInput noCnc = DanishMill();
    noCnc.cncLineField.clear();
    QTest::newRow("empty CNC line") << noCnc << true;
}

void TestReport::printedPage()
{
    QFETCH(ReportInput, shown);
    QFETCH(bool, danish);
    const ReportTexts &texts = danish ? DanishReport() : EnglishReport();
    const auto window = MakeWindow(shown);
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    constexpr double margin = 10.0;

    ModalWatchdog watchdog;
    int printed = 0;
    const PrintOutcome outcome = report::printMainWindowReport(
        window.get(), texts,
        [&](QWidget *, const std::function<QList<PrintLine>()> &makeLines) {
            ++printed;
            return platform::printToPdf(path, makeLines(), margin);
        },
        [when] { return when; });
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
    QCOMPARE(printed, 1);
    QCOMPARE(outcome, PrintOutcome::Printed);

    // What should be on the page: the report of the window's contents at that moment.
    ReportInput stamped = shown;
    report::stampDateTime(stamped, when);
    QList<PrintLine> expected;
    for (const PrintLine &line : report::buildReport(stamped, texts)) {
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
    QVERIFY(std::abs(pdf.lines.first().top() - MmToPt(margin + platform::PrintTopMm)) < 3.0);

    // Two blanks between date and time: twice the gap of the one blank after the prefix's
    // first word.
    const PdfLine &dateLine = pdf.lines.at(pdf.lines.size() - 2);
    const qsizetype prefixWords = Squeezed(texts.datePrefix).count(u' ') + 1;
    const qsizetype dateWords = platform::shortDateText(when.date()).simplified().count(u' ') + 1;
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
    const ReportTexts &texts = danish ? DanishReport() : EnglishReport();

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
    const PrintOutcome outcome = report::printMainWindowReport(window.get(), texts);
    QCOMPARE(outcome, PrintOutcome::MissingResult);
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
    const PrintOutcome outcome = report::printMainWindowReport(window.get(), DanishReport());
    QCOMPARE(outcome, PrintOutcome::NotPrinted); // not taken for a printed page
    QVERIFY(sawPrintDialog);
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
