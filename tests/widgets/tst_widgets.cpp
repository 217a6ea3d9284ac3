// The pieces both window folders share: font fitting and centring.

#include "widgets/centring.h"
#include "widgets/fontfitting.h"
#include "widgets/formgrowth.h"
#include "widgets/readablecolours.h"

#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A window with a 12-point font, so that a label's inherited size is known.
std::unique_ptr<QWidget> twelvePointWindow()
{
    auto window = std::make_unique<QWidget>();
    QFont font = window->font();
    font.setPointSizeF(12);
    window->setFont(font);
    return window;
}

bool textFits(const QLabel *label)
{
    return label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void fitFonts_shrinksOnlyWhatDoesNotFit();
    void fitFont_growsBackForAShorterText();
    void fitFont_leavesRoomForTheOptionCircle();
    void centreOnScreen_centresTheSizeItsLayoutSets();
    void growthWithin_stopsAtTheScreen_data();
    void growthWithin_stopsAtTheScreen();
    void readableOn_keepsTheHue_data();
    void readableOn_keepsTheHue();
};

void WidgetsTest::fitFonts_shrinksOnlyWhatDoesNotFit()
{
    const auto window = twelvePointWindow();
    auto *roomy = new QLabel(u"ok"_s, window.get());
    roomy->setGeometry(0, 0, 300, 40);
    widgets::fitFonts({roomy});
    QCOMPARE(roomy->font().pointSizeF(), 12.0);

    auto *tight = new QLabel(u"n : Omdrejninger pr. minut"_s, window.get());
    tight->setGeometry(0, 40, 120, 17);
    widgets::fitFonts({roomy, tight});
    QVERIFY(tight->font().pointSizeF() < 12.0);
    QCOMPARE(roomy->font().pointSizeF(), tight->font().pointSizeF()); // one size for all
    QVERIFY(tight->font().pointSizeF() == 6.0 || textFits(tight));

    auto *hopeless = new QLabel(QString(200, u'W'), window.get());
    hopeless->setGeometry(0, 60, 20, 17);
    widgets::fitFonts({hopeless});
    QCOMPARE(hopeless->font().pointSizeF(), 6.0);
}

void WidgetsTest::fitFont_growsBackForAShorterText()
{
    // A caption that changes with the units must not stay small once its text is short.
    const auto window = twelvePointWindow();
    const QString text(20, u'x');
    auto *label = new QLabel(text, window.get());
    label->setGeometry(0, 0, QFontMetrics(window->font()).horizontalAdvance(text) * 2 / 3, 40);
    widgets::fitFont(label);
    QVERIFY(label->font().pointSizeF() < 12.0);
    QVERIFY(textFits(label));

    label->setText(u"x"_s);
    widgets::fitFont(label);
    QCOMPARE(label->font().pointSizeF(), 12.0);
}

void WidgetsTest::fitFont_leavesRoomForTheOptionCircle()
{
    const auto window = twelvePointWindow();
    const QString text = u"Gevind (P) pr. tomme :"_s;
    auto *label = new QLabel(text, window.get());
    auto *option = new QRadioButton(text, window.get());
    const int width = QFontMetrics(window->font()).horizontalAdvance(text) + 4;
    label->setGeometry(0, 0, width, 40);
    option->setGeometry(0, 40, width, 40);
    widgets::fitFont(label);
    widgets::fitFont(option);
    QCOMPARE(label->font().pointSizeF(), 12.0);
    QVERIFY(option->font().pointSizeF() < 12.0);
}

void WidgetsTest::centreOnScreen_centresTheSizeItsLayoutSets()
{
    // Not shown yet: the window's size is what its layout makes of a fixed-size child.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *child = new QWidget;
    child->setFixedSize(301, 200);
    layout->addWidget(child);

    widgets::centreOnScreen(&window);
    QVERIFY(window.width() >= 301 && window.height() >= 200);
    const QPoint offset =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(u"off centre by %1, %2"_s.arg(offset.x()).arg(offset.y())));
}

void WidgetsTest::growthWithin_stopsAtTheScreen_data()
{
    // The main window's form under a menu bar and a title bar, on a screen's free area.
    QTest::addColumn<qreal>("fontGrowth");
    QTest::addColumn<QSize>("room");
    QTest::addColumn<qreal>("growth");
    QTest::addRow("14 pt on 1280 x 1024") << 14 / 9.0 << QSize(1280, 994) << 14 / 9.0;
    QTest::addRow("18 pt on 1024 x 768") << 2.0 << QSize(1024, 738) << (738.0 - 60) / 513;
    // Not even the design size fits: the window says so.
    QTest::addRow("9 pt on 800 x 600 at twice the scale") << 1.0 << QSize(400, 285) << 225.0 / 513;
}

void WidgetsTest::growthWithin_stopsAtTheScreen()
{
    QFETCH(qreal, fontGrowth);
    QFETCH(QSize, room);
    QFETCH(qreal, growth);
    const QSize form(457, 513), extra(8, 60);
    const qreal within = widgets::growthWithin(fontGrowth, form, extra, room);
    QVERIFY(qAbs(within - growth) < 0.01);
    QVERIFY(form.height() * within + extra.height() <= room.height());
}

void WidgetsTest::readableOn_keepsTheHue_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("background");
    QTest::addRow("dark red on dark grey") << QColor(128, 0, 0) << QColor(53, 53, 53);
    QTest::addRow("dark red on black") << QColor(128, 0, 0) << QColor(Qt::black);
    QTest::addRow("navy on dark grey") << QColor(0, 0, 128) << QColor(53, 53, 53);
    QTest::addRow("blue on black") << QColor(0, 0, 255) << QColor(Qt::black);
}

void WidgetsTest::readableOn_keepsTheHue()
{
    QFETCH(QColor, colour);
    QFETCH(QColor, background);
    const QColor shown = widgets::readableOn(colour, background);
    QVERIFY(widgets::contrastRatio(shown, background) >= widgets::ReadableContrast);
    // Still a red or a blue: the same hue, and a colour rather than a grey or white.
    QVERIFY2(qAbs(shown.hslHue() - colour.hslHue()) <= 2 && shown.hslSaturationF() > 0.5,
             qPrintable(shown.name()));
}

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
