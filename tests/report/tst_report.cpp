// SPDX-License-Identifier: MIT
#include "modalwatchdog.h"
#include "platform/printing/pdftext.h"
#include "report/report.h"
#include "texts/textcatalogue.h"

#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using calc::Field;
using calc::Language;
using calc::ToolMode;
using texts::catalogue;
using texts::ReportTexts;
using texts::TextCatalogue;

using platform::PrintLine;
using report::PrintOutcome;
using report::ReportInput;

namespace {

const ReportTexts &reportTexts(bool danish)
{
    return catalogue(danish ? Language::Danish : Language::English).report;
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

// What a window shows: Danish in metric units from the menu with the pitch in mm, or English
// in inch units as the load sets them; two decimals either way.
ReportInput windowShowing(bool danish, ToolMode mode = ToolMode::Mill)
{
    ReportInput in = report::reportInput(
        danish ? outcomeShowing(mode,
                                QStringList{u"12,5"_s, u"3"_s, u"0,1"_s, u"50"_s, u"1,75"_s,
                                            u"20"_s, u"1273,24"_s, u"381,97"_s},
                                u"S1273 M03 F381.97 (12.5 FR 3 SK)"_s, session::Units::Metric, true,
                                true)
               : outcomeShowing(mode,
                                QStringList{u"0.25"_s, u"2"_s, u"0.002"_s, u"80"_s, u"1.25"_s,
                                            u"20"_s, u"1222.32"_s, u"4.89"_s},
                                u"S1222 M03 F4.89 (0.25 DRILL)"_s, session::Units::Inch, false),
        catalogue(danish ? Language::Danish : Language::English));
    in.date = danish ? u"05-03-2024"_s : u"3/5/24"_s;
    in.time = danish ? u"14:07"_s : u"2:07 PM"_s;
    return in;
}

QStringList lineTexts(const QList<PrintLine> &lines)
{
    QStringList out;
    for (const PrintLine &l : lines)
        out << l.text;
    return out;
}

// The lines between the first two rules: the heading, the tool's fields (caption and text),
// then n and S.
QStringList toolBlock(const ReportInput &in, const QString &heading,
                      std::initializer_list<Field> tool)
{
    const auto row = [&in](Field field) {
        return in.captions[std::size_t(field)] + in.fields[std::size_t(field)];
    };
    QStringList block{QString(), heading, QString()};
    for (Field field : tool)
        block << row(field);
    return block << QString() << row(Field::SpindleSpeed) << row(Field::FeedRate);
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void buildReport_linesPlacesAndSizes_data();
    void buildReport_linesPlacesAndSizes();
    void reportInput_takesTheCaptionsTheWindowShows_data();
    void reportInput_takesTheCaptionsTheWindowShows();

    // The report of each window and mode that buildReport's rows show, printed to a PDF.
    void printedPage_data() { buildReport_linesPlacesAndSizes_data(); }
    void printedPage();
    void missingResult_showsMessageAndPrintsNothing_data();
    void missingResult_showsMessageAndPrintsNothing();
    void cancelledPrintDialog_endsSilently();

private:
    QTemporaryDir m_dir;
};

void TestReport::buildReport_linesPlacesAndSizes_data()
{
    QTest::addColumn<ReportInput>("input");
    QTest::addColumn<bool>("danish");
    QTest::addColumn<QStringList>("block"); // the lines between the first two rules

    using enum Field;
    const auto row = [](const char *name, const ReportInput &in, bool danish,
                        QString ReportTexts::*heading, std::initializer_list<Field> tool) {
        QTest::newRow(name) << in << danish << toolBlock(in, reportTexts(danish).*heading, tool);
    };
    const std::initializer_list<Field> millTool{Diameter, Flutes, FeedPerTooth, CuttingSpeed};
    const ReportInput mill = windowShowing(true);
    row("Danish mill", mill, true, &ReportTexts::millHeading, millTool);
    ReportInput noCnc = mill;
    noCnc.cncLine.clear(); // the prefix alone
    row("empty CNC line", noCnc, true, &ReportTexts::millHeading, millTool);
    row("English drill prints Z and Sz", windowShowing(false, ToolMode::Drill), false,
        &ReportTexts::drillHeading, millTool);
    row("tap in threads per inch: that pitch only, no Z or Sz", windowShowing(false, ToolMode::Tap),
        false, &ReportTexts::tapHeading, {ThreadsPerInch, Diameter, CuttingSpeed});
    const ReportInput tapMm = windowShowing(true, ToolMode::Tap);
    row("tap in mm: the mm pitch only", tapMm, true, &ReportTexts::tapHeading,
        {PitchMm, Diameter, CuttingSpeed});
    ReportInput tapNoPitch = tapMm;
    tapNoPitch.shown[std::size_t(PitchMm)] = false;
    row("tap with neither pitch caption shown", tapNoPitch, true, &ReportTexts::tapHeading,
        {Diameter, CuttingSpeed});
}

void TestReport::buildReport_linesPlacesAndSizes()
{
    QFETCH(ReportInput, input);
    QFETCH(bool, danish);
    QFETCH(QStringList, block);
    const ReportTexts &t = reportTexts(danish);
    const QList<PrintLine> lines = report::buildReport(input, t);
    const QString blank;
    const QStringList want = QStringList{t.title, blank, t.rule} + block +
                             QStringList{t.rule,
                                         blank,
                                         t.resultPrefix + input.cncLine,
                                         t.decimalsPrefix + input.decimalsLabel,
                                         t.unitsPrefix + input.unitsLabel,
                                         blank,
                                         t.datePrefix + input.date + u"  "_s + input.time,
                                         t.rule};
    QCOMPARE(lineTexts(lines), want);

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

void TestReport::reportInput_takesTheCaptionsTheWindowShows_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Danish, metric, menu") << Language::Danish << true << true;
    QTest::newRow("Danish, inch, load") << Language::Danish << false << false;
    QTest::newRow("English, inch, menu") << Language::English << false << true;
    QTest::newRow("English, metric, load") << Language::English << true << false;
}

void TestReport::reportInput_takesTheCaptionsTheWindowShows()
{
    QFETCH(Language, language);
    QFETCH(bool, metric);
    QFETCH(bool, fromMenu);
    const TextCatalogue &texts = catalogue(language);
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

void TestReport::printedPage()
{
    QFETCH(ReportInput, input);
    QFETCH(bool, danish);
    const ReportTexts &texts = reportTexts(danish);
    QWidget window;
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    constexpr double margin = 10.0;

    ModalWatchdog watchdog;
    int printed = 0;
    const PrintOutcome outcome = report::printReport(
        &window, input, texts,
        [&](QWidget *, const std::function<QList<PrintLine>()> &makeLines) {
            ++printed;
            return platform::printToPdf(path, makeLines(), margin);
        },
        [when] { return when; });
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
    QCOMPARE(printed, 1);
    QCOMPARE(outcome, PrintOutcome::Printed);

    // What should be on the page: the report of the window's contents at that moment.
    // The date line takes the user's formats, with two blanks between date and time.
    ReportInput stamped = input;
    report::stampDateTime(stamped, when);
    const QList<PrintLine> built = report::buildReport(stamped, texts);
    QCOMPARE(built.at(built.size() - 2).text, texts.datePrefix +
                                                  platform::shortDateText(when.date()) + u"  "_s +
                                                  platform::shortTimeText(when.time()));
    QList<PrintLine> expected;
    for (const PrintLine &line : built) {
        if (!line.text.simplified().isEmpty())
            expected << line;
    }

    SKIP_WITHOUT_PDF_READER();
    const PdfText pdf = readPdf(path);
    QVERIFY2(pdf.error.isEmpty(), qPrintable(pdf.error));
    QCOMPARE(pdf.pages, 1);
    QStringList got, want;
    for (const PdfLine &line : pdf.lines)
        got << line.text();
    for (const PrintLine &line : expected)
        want << line.text.simplified();
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
    const qsizetype prefixWords = texts.datePrefix.simplified().count(u' ') + 1;
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
    ReportInput in = windowShowing(danish);
    in.fields[std::size_t(Field::SpindleSpeed)] = n;
    in.fields[std::size_t(Field::FeedRate)] = S;
    QWidget window;
    const ReportTexts &texts = reportTexts(danish);

    // The command with its real print dialog: if it got that far, the watchdog would see it.
    ModalWatchdog watchdog; // closes the message box by its OK button
    QCOMPARE(report::printReport(&window, in, texts), PrintOutcome::MissingResult);
    const QList<SeenBox> seen = watchdog.take();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().icon, QMessageBox::Warning);
    QCOMPARE(seen.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestReport::cancelledPrintDialog_endsSilently()
{
    QWidget window;
    ModalWatchdog watchdog;
    bool sawPrintDialog = false;
    watchdog.expect([&](QWidget *modal) {
        // Where the system has no printer (Wine has none), the program says so instead.
        sawPrintDialog = platform::hasPrintTarget() ? qobject_cast<QPrintDialog *>(modal) != nullptr
                                                    : modal->objectName() == u"noPrinter"_s;
        ModalWatchdog::dismiss(modal);
    });
    const PrintOutcome outcome =
        report::printReport(&window, windowShowing(true), reportTexts(true));
    QCOMPARE(outcome, PrintOutcome::NotPrinted); // not taken for a printed page
    QVERIFY(sawPrintDialog);
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
