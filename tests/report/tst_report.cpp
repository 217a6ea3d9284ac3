#include "modalwatchdog.h"
#include "platform/printing/pdftext.h"
#include "report/report.h"
#include "texts/textcatalogue.h"

#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using calc::Field;
using calc::ToolMode;
using state::Language;
using texts::catalogue;
using texts::ReportTexts;
using texts::TextCatalogue;

using platform::PrintLine;
using report::PrintOutcome;
using report::ReportInput;

namespace {

const ReportTexts &danishReport()
{
    return catalogue(Language::Danish).report;
}

const ReportTexts &englishReport()
{
    return catalogue(Language::English).report;
}

// The outcome of a session in this mode; fields are given D Z Sz V Pmm Tpi n S.
session::Outcome outcomeShowing(ToolMode mode, const QStringList &fields, const QString &line,
                                session::Units units, bool unitsFromMenu, bool mmPitch = false)
{
    session::Outcome shown;
    shown.mode = mode;
    for (Field field : calc::AllFields) {
        shown.fields[std::size_t(field)] = fields.at(qsizetype(field));
        shown.fieldShown[std::size_t(field)] = calc::isShown(field, mode, mmPitch);
    }
    shown.cncLine = line;
    shown.units = units;
    shown.unitsFromMenu = unitsFromMenu;
    shown.decimalCount = 2;
    return shown;
}

// What a Danish window shows in milling mode with metric units and two decimals.
ReportInput danishMill(ToolMode mode = ToolMode::Mill)
{
    ReportInput in = report::reportInput(
        outcomeShowing(mode,
                       QStringList{u"12,5"_s, u"3"_s, u"0,1"_s, u"50"_s, u"1,75"_s, u"20"_s,
                                   u"1273,24"_s, u"381,97"_s},
                       u"S1273 M03 F381.97 (12.5 FR 3 SK)"_s, session::Units::Metric, true, true),
        catalogue(Language::Danish));
    in.date = u"05-03-2024"_s;
    in.time = u"14:07"_s;
    return in;
}

// The English window in inch units, as the load sets them.
ReportInput englishInch(ToolMode mode)
{
    ReportInput in = report::reportInput(
        outcomeShowing(mode,
                       QStringList{u"0.25"_s, u"2"_s, u"0.002"_s, u"80"_s, u"1.25"_s, u"20"_s,
                                   u"1222.32"_s, u"4.89"_s},
                       u"S1222 M03 F4.89 (0.25 DRILL)"_s, session::Units::Inch, false),
        catalogue(Language::English));
    in.date = u"3/5/24"_s;
    in.time = u"2:07 PM"_s;
    return in;
}

QStringList lineTexts(const QList<PrintLine> &lines)
{
    QStringList out;
    for (const PrintLine &l : lines)
        out << l.text;
    return out;
}

// A field's line on the report: its caption and its text.
QString Row(const ReportInput &in, Field field)
{
    return in.captions[std::size_t(field)] + in.fields[std::size_t(field)];
}

QString squeezed(const QString &s)
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
    void reportInput_takesTheCaptionsTheWindowShows_data();
    void reportInput_takesTheCaptionsTheWindowShows();

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
    const ReportInput in = danishMill();
    const ReportTexts &t = danishReport();
    const QList<PrintLine> lines = report::buildReport(in, t);
    const QString blank;
    QCOMPARE(lineTexts(lines), (QStringList{t.title,
                                            blank,
                                            t.rule,
                                            blank,
                                            t.millHeading,
                                            blank,
                                            Row(in, Field::Diameter),
                                            Row(in, Field::Flutes),
                                            Row(in, Field::FeedPerTooth),
                                            Row(in, Field::CuttingSpeed),
                                            blank,
                                            Row(in, Field::SpindleSpeed),
                                            Row(in, Field::FeedRate),
                                            t.rule,
                                            blank,
                                            t.resultPrefix + in.cncLine,
                                            t.decimalsPrefix + in.decimalsLabel,
                                            t.unitsPrefix + in.unitsLabel,
                                            blank,
                                            t.datePrefix + in.date + u"  "_s + in.time,
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

    const QString blank;
    const ReportInput drill = englishInch(ToolMode::Drill);
    QTest::newRow("English drill prints Z and Sz") << drill << false
                                                   << QStringList{blank,
                                                                  englishReport().drillHeading,
                                                                  blank,
                                                                  Row(drill, Field::Diameter),
                                                                  Row(drill, Field::Flutes),
                                                                  Row(drill, Field::FeedPerTooth),
                                                                  Row(drill, Field::CuttingSpeed),
                                                                  blank,
                                                                  Row(drill, Field::SpindleSpeed),
                                                                  Row(drill, Field::FeedRate)};
    const ReportInput tapTpi = englishInch(ToolMode::Tap);
    QTest::newRow("tap in threads per inch: that pitch only, no Z or Sz")
        << tapTpi << false
        << QStringList{blank,
                       englishReport().tapHeading,
                       blank,
                       Row(tapTpi, Field::ThreadsPerInch),
                       Row(tapTpi, Field::Diameter),
                       Row(tapTpi, Field::CuttingSpeed),
                       blank,
                       Row(tapTpi, Field::SpindleSpeed),
                       Row(tapTpi, Field::FeedRate)};
    const ReportInput tapMm = danishMill(ToolMode::Tap);
    const QStringList tapMmBlock{blank,
                                 danishReport().tapHeading,
                                 blank,
                                 Row(tapMm, Field::PitchMm),
                                 Row(tapMm, Field::Diameter),
                                 Row(tapMm, Field::CuttingSpeed),
                                 blank,
                                 Row(tapMm, Field::SpindleSpeed),
                                 Row(tapMm, Field::FeedRate)};
    QTest::newRow("tap in mm: the mm pitch only") << tapMm << true << tapMmBlock;
    ReportInput tapNoPitch = tapMm;
    tapNoPitch.shown[std::size_t(Field::PitchMm)] = false;
    QStringList noPitchBlock = tapMmBlock;
    noPitchBlock.removeAt(3);
    QTest::newRow("tap with neither pitch caption shown") << tapNoPitch << true << noPitchBlock;
}

void TestReport::toolBlock()
{
    QFETCH(ReportInput, input);
    QFETCH(bool, danish);
    QFETCH(QStringList, block);
    const ReportTexts &texts = danish ? danishReport() : englishReport();
    const QStringList lines = lineTexts(report::buildReport(input, texts));
    const qsizetype first = lines.indexOf(texts.rule);
    const qsizetype second = lines.indexOf(texts.rule, first + 1);
    QCOMPARE(first, 2);
    QVERIFY(second > first);
    QCOMPARE(lines.mid(first + 1, second - first - 1), block);
    QCOMPARE(lines.size(), second + 8); // the result block after the second rule is the same
}

void TestReport::emptyResultLine_printsPrefixOnly()
{
    ReportInput in = danishMill();
    in.cncLine.clear();
    const QStringList texts = lineTexts(report::buildReport(in, danishReport()));
    QVERIFY(texts.contains(danishReport().resultPrefix));
}

void TestReport::dateLine_hasTwoBlanksBetweenDateAndTime()
{
    ReportInput in = englishInch(ToolMode::Mill);
    report::stampDateTime(in, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    const QStringList texts = lineTexts(report::buildReport(in, englishReport()));
    QCOMPARE(texts.at(texts.size() - 2), englishReport().datePrefix +
                                             platform::shortDateText(QDate(2024, 3, 5)) + u"  "_s +
                                             platform::shortTimeText(QTime(14, 7, 9)));
}

void TestReport::reportInput_takesTheCaptionsTheWindowShows_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Danish, metric, menu") << int(Language::Danish) << true << true;
    QTest::newRow("Danish, inch, load") << int(Language::Danish) << false << false;
    QTest::newRow("English, inch, menu") << int(Language::English) << false << true;
    QTest::newRow("English, metric, load") << int(Language::English) << true << false;
}

void TestReport::reportInput_takesTheCaptionsTheWindowShows()
{
    QFETCH(int, language);
    QFETCH(bool, metric);
    QFETCH(bool, fromMenu);
    const TextCatalogue &texts = catalogue(Language(language));
    const auto units = metric ? session::Units::Metric : session::Units::Inch;
    const session::Outcome shown = outcomeShowing(
        ToolMode::Tap, QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s},
        u"S7 M03 F8 (1 TAP 6 STIG)"_s, units, fromMenu);
    const ReportInput in = report::reportInput(shown, texts);
    const texts::UnitCaptions &captions = metric ? (fromMenu ? texts.metricMenu : texts.metricLoad)
                                                 : (fromMenu ? texts.inchMenu : texts.inchLoad);
    QCOMPARE(in.captions, captions.fields);
    QCOMPARE(in.unitsLabel, captions.unitsLabel);
    QCOMPARE(in.fields, shown.fields);
    QCOMPARE(in.shown, shown.fieldShown);
    QCOMPARE(in.cncLine, shown.cncLine);
    QCOMPARE(in.decimalsLabel, u"2"_s + texts.decimalsSuffix);
    QCOMPARE(in.mode, ToolMode::Tap);
}

void TestReport::printedPage_data()
{
    QTest::addColumn<ReportInput>("shown");
    QTest::addColumn<bool>("danish");

    QTest::newRow("Danish mill") << danishMill() << true;
    QTest::newRow("Danish drill") << danishMill(ToolMode::Drill) << true;
    QTest::newRow("Danish tap, pitch in mm") << danishMill(ToolMode::Tap) << true;
    QTest::newRow("English mill") << englishInch(ToolMode::Mill) << false;
    QTest::newRow("English drill") << englishInch(ToolMode::Drill) << false;
    QTest::newRow("English tap, threads per inch") << englishInch(ToolMode::Tap) << false;
    ReportInput noCnc = danishMill();
    noCnc.cncLine.clear();
    QTest::newRow("empty CNC line") << noCnc << true;
}

void TestReport::printedPage()
{
    QFETCH(ReportInput, shown);
    QFETCH(bool, danish);
    const ReportTexts &texts = danish ? danishReport() : englishReport();
    QWidget window;
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    constexpr double margin = 10.0;

    ModalWatchdog watchdog;
    int printed = 0;
    const PrintOutcome outcome = report::printReport(
        &window, shown, texts,
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
        if (!squeezed(line.text).isEmpty())
            expected << line;
    }

    const PdfText pdf = readPdf(path);
    QVERIFY2(pdf.error.isEmpty(), qPrintable(pdf.error));
    QCOMPARE(pdf.pages, 1);
    QStringList got, want;
    for (const PdfLine &line : pdf.lines)
        got << line.text();
    for (const PrintLine &line : expected)
        want << squeezed(line.text);
    QCOMPARE(got, want);

    for (qsizetype i = 0; i < expected.size(); ++i) {
        const double x = pdf.lines[i].x() - mmToPt(margin);
        const double wantX = mmToPt(expected[i].xMm);
        QVERIFY2(std::abs(x - wantX) < 1.5,
                 qPrintable(QStringLiteral("%1 at %2 pt").arg(want[i]).arg(x)));
    }
    QVERIFY(std::abs(pdf.lines.first().top() - mmToPt(margin + platform::PrintTopMm)) < 3.0);

    // Two blanks between date and time: twice the gap of the one blank after the prefix's
    // first word.
    const PdfLine &dateLine = pdf.lines.at(pdf.lines.size() - 2);
    const qsizetype prefixWords = squeezed(texts.datePrefix).count(u' ') + 1;
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
    ReportInput in = danish ? danishMill() : englishInch(ToolMode::Mill);
    in.fields[std::size_t(Field::SpindleSpeed)] = n;
    in.fields[std::size_t(Field::FeedRate)] = S;
    QWidget window;
    const ReportTexts &texts = danish ? danishReport() : englishReport();

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
            ModalWatchdog::dismiss(modal);
        }
    });
    // The command with its real print dialog: if it got that far, the watchdog would see it.
    const PrintOutcome outcome = report::printReport(&window, in, texts);
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
    QWidget window;
    ModalWatchdog watchdog;
    bool sawPrintDialog = false;
    watchdog.expect([&](QWidget *modal) {
        sawPrintDialog = qobject_cast<QPrintDialog *>(modal) != nullptr;
        ModalWatchdog::dismiss(modal);
    });
    const PrintOutcome outcome = report::printReport(&window, danishMill(), danishReport());
    QCOMPARE(outcome, PrintOutcome::NotPrinted); // not taken for a printed page
    QVERIFY(sawPrintDialog);
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
