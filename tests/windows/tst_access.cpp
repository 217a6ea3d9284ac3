// Every window read on a light, a dark and a broken palette, at a large desktop font, and
// through a screen reader's accessibility interfaces.

#include "mainwindow/fixture.h"
#include "widgets/linklabel.h"
#include "widgets/readablecolours.h"
#include "widgets/svgpicture.h"
#include "windows/aboutwindows.h"
#include "windows/legendwindow.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QGroupBox>
#include <QStyle>

using widgets::contrastRatio;
using widgets::SvgPicture;

namespace {

const QStringList WindowNames{names::DanishWindow, names::EnglishWindow, u"SignaturForm"_s,
                              u"UKSignaturForm"_s, u"OmForm"_s,          u"OmKovrinForm"_s,
                              u"UKOmKovrinForm"_s};

// One of the windows, open with the sample values; shown() lists its visible widgets.
struct OpenWindow
{
    explicit OpenWindow(const QString &name)
    {
        const Language language = name.startsWith(u"UK") ? Language::English : Language::Danish;
        if (name.endsWith(u"HovedForm"))
            main.openSample(language, false);
        else if (name.endsWith(u"SignaturForm"))
            other = std::make_unique<windows::LegendWindow>(language);
        else if (name == u"OmForm")
            other = std::make_unique<windows::AboutProgramWindow>();
        else
            other = std::make_unique<windows::AboutMakerWindow>(language);
        if (other)
            other->show();
    }
    QList<QWidget *> shown() const
    {
        QList<QWidget *> widgets =
            (other ? other.get() : main.window.get())->findChildren<QWidget *>();
        widgets.removeIf([](const QWidget *w) { return !w->isVisible() || w->isWindow(); });
        return widgets;
    }
    fixture::RunningWindow main;
    std::unique_ptr<QWidget> other;
};

// A label's, field's or button's text, or a frame's title; a field shows text even when empty.
QString shownText(const QWidget *w)
{
    return w->property("text").toString() + w->property("title").toString() +
           (qobject_cast<const QLineEdit *>(w) ? u" "_s : QString());
}

// The colour under a widget's text: a field's or a button's own, else what fills below it.
QColor backgroundOf(const QWidget *w)
{
    if (!qobject_cast<const QLineEdit *>(w) && !qobject_cast<const QPushButton *>(w))
        while (!w->autoFillBackground() && !w->isWindow())
            w = w->parentWidget();
    return w->palette().color(w->backgroundRole());
}

} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void openLink(const QUrl &url) { m_opened << url; }

private slots:
    void init() { QApplication::setPalette(QApplication::style()->standardPalette()); }
    void texts_readOnEveryPalette_data();
    void texts_readOnEveryPalette();
    void largeFont_growsTheFormWithoutOverlapOrCut_data();
    void largeFont_growsTheFormWithoutOverlapOrCut();
    void screenReader_hearsWhatTheEyeSees();
    void legendAndLinks_answerTheKeyboardAndActions();

private:
    QList<QUrl> m_opened;
};

void AccessTest::texts_readOnEveryPalette_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QPalette>("palette");
    QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(238, 238, 238));
    QPalette oneColour(QColor(128, 128, 128));
    oneColour.setColor(QPalette::WindowText, QColor(128, 128, 128));
    for (const QString &name : WindowNames) {
        QTest::addRow("%s, light", qPrintable(name))
            << name << QApplication::style()->standardPalette();
        QTest::addRow("%s, dark", qPrintable(name)) << name << dark;
        // As the program mends a theme with text the colour of its background.
        QTest::addRow("%s, one colour", qPrintable(name))
            << name << widgets::readablePalette(oneColour);
    }
}

void AccessTest::texts_readOnEveryPalette()
{
    QFETCH(QString, window);
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    const OpenWindow open(window);
    for (const QWidget *w : open.shown()) {
        const auto *picture = qobject_cast<const SvgPicture *>(w); // a wordmark has an ink
        if (shownText(w).isEmpty() && !(picture && picture->ink().isValid()))
            continue;
        const qreal contrast =
            picture ? contrastRatio(picture->ink(), picture->ground())
                    : contrastRatio(w->palette().color(w->foregroundRole()), backgroundOf(w));
        QVERIFY2(contrast >= 4.5, qPrintable(u"%1: %2"_s.arg(w->objectName()).arg(contrast)));
    }
}

void AccessTest::largeFont_growsTheFormWithoutOverlapOrCut_data()
{
    QTest::addColumn<QString>("window");
    for (const QString &name : WindowNames)
        QTest::newRow(qPrintable(name)) << name;
}

void AccessTest::largeFont_growsTheFormWithoutOverlapOrCut()
{
    QFETCH(QString, window);
    QHash<QString, qreal> designSizes;
    const OpenWindow atDesign(window);
    for (const QWidget *w : atDesign.shown())
        designSizes[w->objectName()] = w->font().pointSizeF();
    const QFont design = QApplication::font();
    QApplication::setFont(QFont(design.family(), 14));
    const OpenWindow open(window);
    QApplication::setFont(design);

    const QList<QWidget *> shown = open.shown();
    for (const QWidget *w : shown) {
        const QString text = shownText(w), name = w->objectName();
        if (text.isEmpty())
            continue;
        QVERIFY2(w->font().pointSizeF() >= designSizes.value(name), qPrintable(name));
        // Whole: the text in the room the widget gives it, less a field's frame and margins
        // and an option's circle.
        const QStyle *style = w->style();
        QRect room = w->contentsRect();
        if (qobject_cast<const QLineEdit *>(w))
            room -= QMargins(2, 1, 2, 1) +
                    style->pixelMetric(QStyle::PM_DefaultFrameWidth) * QMargins(1, 1, 1, 1);
        if (qobject_cast<const QRadioButton *>(w))
            room.setLeft(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
        const auto *label = qobject_cast<const QLabel *>(w);
        const QRect needed = w->fontMetrics().boundingRect(
            room, label && label->wordWrap() ? Qt::TextWordWrap : 0, text.trimmed());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height() + 1,
                 qPrintable(u"%1 cut: %2"_s.arg(name, text)));
        // Apart from its neighbours; a frame's title is a neighbour of its rows.
        for (const QWidget *other : shown) {
            const QRect overlap = w->geometry().intersected(other->geometry());
            QVERIFY2(other == w || other->parentWidget() != w->parentWidget() ||
                         shownText(other).isEmpty() || overlap.width() <= 2 ||
                         overlap.height() <= 2,
                     qPrintable(name + u" overlaps "_s + other->objectName()));
        }
        if (const auto *frame = qobject_cast<const QGroupBox *>(w->parentWidget()))
            QVERIFY2(w->y() >= QFontMetrics(frame->font()).height(), qPrintable(name));
    }
}

void AccessTest::screenReader_hearsWhatTheEyeSees()
{
    for (const Language language : {Language::Danish, Language::English}) {
        OpenWindow open(language == Language::Danish ? names::DanishWindow : names::EnglishWindow);
        open.main.click(names::TapOption);
        const QList<QWidget *> shown = open.shown();
        for (QWidget *w : shown) {
            QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(seen->role() != QAccessible::Border && seen->role() != QAccessible::Window,
                     qPrintable(w->objectName()));
            QVERIFY(!qobject_cast<SvgPicture *>(w) || !seen->text(QAccessible::Name).isEmpty());
            // A field is named as the caption or option that stands beside it in its row.
            if (!qobject_cast<EntryField *>(w) || w->objectName() == names::CncLine)
                continue;
            QStringList beside;
            for (QWidget *other : shown)
                if ((qobject_cast<QLabel *>(other) || qobject_cast<QRadioButton *>(other)) &&
                    other->parentWidget() == w->parentWidget() && other->y() == w->y())
                    beside << shownText(other).remove(u':').trimmed();
            QCOMPARE(beside, QStringList(seen->text(QAccessible::Name)));
        }
        // One item of each menu is checked, and each says it can be.
        for (const QString &menu : {names::DecimalsMenu, names::UnitsMenu}) {
            QAccessibleInterface *items =
                QAccessible::queryAccessibleInterface(open.main.menu(menu));
            int checked = 0;
            for (int i = 0; i < items->childCount(); ++i) {
                QVERIFY(items->child(i)->state().checkable);
                checked += items->child(i)->state().checked;
            }
            QCOMPARE(checked, 1);
        }
    }
}

void AccessTest::legendAndLinks_answerTheKeyboardAndActions()
{
    windows::LegendWindow legend(Language::English);
    legend.show();
    legend.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&legend));
    QTest::keyClick(&legend, Qt::Key_Escape);
    QVERIFY(!legend.isVisible());

    for (const QString &scheme : {u"https"_s, u"mailto"_s})
        QDesktopServices::setUrlHandler(scheme, this, "openLink");
    const windows::AboutMakerWindow about(Language::Danish);
    for (widgets::LinkLabel *link : about.findChildren<widgets::LinkLabel *>()) {
        QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(seen->role(), QAccessible::Link);
        QCOMPARE(seen->text(QAccessible::Name), link->text());
        seen->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_opened.value(m_opened.size() - 1), link->link());
    }
    QCOMPARE(m_opened.size(), 5);
    for (const QString &scheme : {u"https"_s, u"mailto"_s})
        QDesktopServices::unsetUrlHandler(scheme);
}

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
