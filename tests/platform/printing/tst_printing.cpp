// SPDX-License-Identifier: MIT
#include "modalwatchdog.h"
#include "platform/printer.h"
#include "platform/printing/pdftext.h"

#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>

using platform::PrintLine;

// Declares pdf as the lines printed and read back, failing unless that is one page of
// count text lines.
#define PRINT(pdf, count, ...)                                                                     \
    SKIP_WITHOUT_PDF_READER();                                                                     \
    const PdfText pdf = print(__VA_ARGS__);                                                        \
    QVERIFY2(pdf.error.isEmpty(), qPrintable(pdf.error));                                          \
    QCOMPARE(pdf.pages, 1);                                                                        \
    QCOMPARE(pdf.lines.size(), count)

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void linesLandAtTheirMillimetres_data();
    void linesLandAtTheirMillimetres();
    void blankLinesAdvanceByTheirOwnFontsHeight();
    void fontSizesFollowTheLines();
    void lettersBeyondAsciiPrintAsTyped();
    void unwritableFile_reportsFailure();
    void cancelledDialog_printsNothing();

private:
    PdfText print(const QList<PrintLine> &lines, double marginMm = 10.0);
    QTemporaryDir m_dir;
    int m_count = 0;
};

PdfText TestPrinting::print(const QList<PrintLine> &lines, double marginMm)
{
    const QString path = m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_count));
    if (!platform::printToPdf(path, lines, marginMm))
        return PdfText{QStringLiteral("printToPdf failed"), 0, {}};
    return readPdf(path);
}

void TestPrinting::linesLandAtTheirMillimetres_data()
{
    QTest::addColumn<double>("margin");
    QTest::newRow("no margin") << 0.0;
    QTest::newRow("10 mm margin") << 10.0;
    QTest::newRow("25 mm margin") << 25.0;
}

void TestPrinting::linesLandAtTheirMillimetres()
{
    QFETCH(double, margin);
    PRINT(pdf, 3,
          {{QStringLiteral("Title"), 30, 12},
           {QString(), 30, 12},
           {QStringLiteral("____________"), 20, 9},
           {QStringLiteral("Value"), 30, 9}},
          margin);

    // Left edges from the printable area: 30 mm for text, 20 mm for the rule.
    const double leftMm[] = {30, 20, 30};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(std::abs(pdf.lines[i].x() - mmToPt(margin + leftMm[i])) < 1.5,
                 qPrintable(QString::number(pdf.lines[i].x())));

    // The first line starts 40 mm below the top of the printable area.
    QVERIFY2(std::abs(pdf.lines[0].top() - mmToPt(margin + 40)) < 3.0,
             qPrintable(QString::number(pdf.lines[0].top())));
}

void TestPrinting::blankLinesAdvanceByTheirOwnFontsHeight()
{
    // A: 9 pt line, then directly B; then a 9 pt blank and C; then a 12 pt blank and D.
    PRINT(pdf, 4,
          {{QStringLiteral("A"), 30, 9},
           {QStringLiteral("B"), 30, 9},
           {QString(), 30, 9},
           {QStringLiteral("C"), 30, 9},
           {QString(), 30, 12},
           {QStringLiteral("D"), 30, 9}});
    const double step = pdf.lines[1].top() - pdf.lines[0].top();
    QVERIFY2(step > 9.0 && step < 14.0, qPrintable(QString::number(step)));
    QVERIFY(std::abs((pdf.lines[2].top() - pdf.lines[1].top()) - 2 * step) < 0.5);
    const double bigBlank = pdf.lines[3].top() - pdf.lines[2].top() - step;
    QVERIFY2(std::abs(bigBlank - step * 12.0 / 9.0) < 1.0, qPrintable(QString::number(bigBlank)));
}

void TestPrinting::fontSizesFollowTheLines()
{
    PRINT(pdf, 2, {{QStringLiteral("Big"), 30, 12}, {QStringLiteral("Small"), 30, 9}});
    const double ratio = pdf.lines[0].height() / pdf.lines[1].height();
    QVERIFY2(std::abs(ratio - 12.0 / 9.0) < 0.1, qPrintable(QString::number(ratio)));
}

void TestPrinting::lettersBeyondAsciiPrintAsTyped()
{
    const QString text = QStringLiteral("Tilspænding/tand (Sz) i mm :0,1 Ø");
    PRINT(pdf, 1, {{text, 30, 9}});
    QCOMPARE(pdf.lines[0].text(), text);
}

void TestPrinting::unwritableFile_reportsFailure()
{
    const QString path = m_dir.filePath(QStringLiteral("no/such/folder/page.pdf"));
    QVERIFY(!platform::printToPdf(path, {{QStringLiteral("x"), 30, 9}}));
    QVERIFY(!QFile::exists(path));
}

void TestPrinting::cancelledDialog_printsNothing()
{
    ModalWatchdog watchdog;
    bool dialogSeen = false;
    watchdog.expect([&](QWidget *modal) {
        dialogSeen = qobject_cast<QPrintDialog *>(modal) != nullptr;
        ModalWatchdog::dismiss(modal);
    });
    bool built = false;
    const bool printed = platform::printWithDialog(nullptr, QStringLiteral("test"), [&built] {
        built = true;
        return QList<PrintLine>{{QStringLiteral("x"), 30, 9}};
    });
    // Windows' own print dialog is no Qt window, and without a printer (Wine has none) it does
    // not open at all: nothing is printed all the same.
    QVERIFY(dialogSeen || !platform::hasPrintTarget());
    QVERIFY(!printed);
    QVERIFY(!built);
    QVERIFY2(watchdog.unexpected().isEmpty(), qPrintable(watchdog.unexpected().join(u'\n')));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
