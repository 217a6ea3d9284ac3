// SPDX-License-Identifier: MIT
// The pieces both window folders share: font fitting and centring.

#include "widgets/centring.h"
#include "widgets/fontfitting.h"

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

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
