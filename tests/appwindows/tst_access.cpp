// SPDX-License-Identifier: MIT
// Every window on a light, a dark and a broken palette, at a large font, and to a screen reader.

#include "appwindows/aboutwindows.h"
#include "appwindows/legendwindow.h"
#include "mainwindow/fixture.h"
#include "widgets/accessibleroles.h"
#include "widgets/linklabel.h"
#include "widgets/readablecolours.h"
#include "widgets/svgpicture.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QGroupBox>
#include <QScopeGuard>
#include <QStyle>

namespace {

// One of the windows, open with the sample values; shown() lists its visible widgets.
struct OpenWindow
{
    explicit OpenWindow(const QString &name)
    {
        const Language language = name.startsWith(u"UK") ? Language::English : Language::Danish;
        if (name.endsWith(u"HovedForm"))
            main.openSample(language, false);
        else if (name.endsWith(u"SignaturForm"))
            other = std::make_unique<appwindows::LegendWindow>(language);
        else if (name == u"OmForm")
            other = std::make_unique<appwindows::AboutProgramWindow>();
        else
            other = std::make_unique<appwindows::AboutMakerWindow>(language);
        if (other)
            other->show();
    }
    QList<QWidget *> shown() const
    {
        auto widgets = (other ? other.get() : main.window.get())->findChildren<QWidget *>();
        widgets.removeIf([](const QWidget *w) { return !w->isVisible() || w->isWindow(); });
        return widgets;
    }
    fixture::RunningWindow main;
    std::unique_ptr<QWidget> other;
};

const QString Windows[] = {names::DanishWindow, names::EnglishWindow, u"SignaturForm"_s,
                           u"UKSignaturForm"_s, u"OmForm"_s,          u"OmKovrinForm"_s,
                           u"UKOmKovrinForm"_s};

// Light, dark (white text, black fields) and white on black.
const char *const PaletteNames[] = {"light", "dark", "white on black"};
QList<QPalette> palettes()
{
    return {QApplication::style()->standardPalette(), QPalette(QColor(53, 53, 53)),
            QPalette(Qt::white, Qt::black, Qt::black, Qt::black, Qt::black, Qt::white, Qt::white,
                     Qt::black, Qt::black)};
}

// A label's, field's or button's text, or a frame's title; a field shows text even when empty.
QString shownText(const QWidget *w)
{
    return w->property("text").toString() + w->property("title").toString() +
           (qobject_cast<const QLineEdit *>(w) ? u" "_s : QString());
}
} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void openLink(const QUrl &url) { m_opened << url; }
    QList<QUrl> m_opened;

private slots:
    void texts_readOnEveryPalette_data();
    void texts_readOnEveryPalette();
    void largeFont_growsTheFormWithinTheScreen_data();
    void largeFont_growsTheFormWithinTheScreen();
    void screenReader_hearsWhatTheEyeSees();
    void edges_standOutOnEveryPalette_data();
    void edges_standOutOnEveryPalette();
};

void AccessTest::texts_readOnEveryPalette_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("whileOpen");       // the desktop turns to it while the window is open
    QPalette oneColour(QColor(128, 128, 128)); // as the program mends it
    oneColour.setColor(QPalette::WindowText, QColor(128, 128, 128));
    for (const QString &name : Windows) {
        QTest::addRow("%s, light", qPrintable(name)) << name << palettes()[0] << false;
        QTest::addRow("%s, dark", qPrintable(name)) << name << palettes()[1] << false;
        QTest::addRow("%s, dark while open", qPrintable(name)) << name << palettes()[1] << true;
        QTest::addRow("%s, one colour", qPrintable(name))
            << name << widgets::readablePalette(oneColour) << false;
    }
}

void AccessTest::texts_readOnEveryPalette()
{
    QFETCH(QString, window);
    QFETCH(QPalette, palette);
    QFETCH(bool, whileOpen);
    QApplication::setPalette(whileOpen ? palettes()[0] : palette);
    const OpenWindow open(window);
    QApplication::setPalette(palette);
    QCoreApplication::processEvents(); // the windows take a new palette from the event queue
    for (const QWidget *w : open.shown()) {
        const auto *picture = qobject_cast<const widgets::SvgPicture *>(w); // a wordmark has an ink
        if (shownText(w).isEmpty() && !(picture && picture->ink().isValid()))
            continue;
        const qreal contrast =
            picture ? widgets::contrastRatio(picture->ink(), picture->ground())
                    : widgets::contrastRatio(w->palette().color(w->foregroundRole()),
                                             w->palette().color(w->backgroundRole()));
        QVERIFY2(contrast >= 4.5, qPrintable(u"%1: %2"_s.arg(w->objectName()).arg(contrast)));
        // Made readable, the dark red units stay a red, not a grey or white.
        const QColor units = w->palette().color(w->foregroundRole());
        QVERIFY(w->objectName() != names::UnitsLabel ||
                (units.hslHue() == 0 && units.hslSaturation() > 128));
    }
}

void AccessTest::largeFont_growsTheFormWithinTheScreen_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("whileOpen"); // the desktop font changes while the window is open
    for (const QString &name : Windows) {
        QTest::addRow("%s, opened at 14 pt", qPrintable(name)) << name << 14.0 << false;
        QTest::addRow("%s, 18 pt while open", qPrintable(name)) << name << 18.0 << true;
    }
}

void AccessTest::largeFont_growsTheFormWithinTheScreen()
{
    QFETCH(QString, window);
    QFETCH(qreal, points);
    QFETCH(bool, whileOpen);
    QList<qreal> designSizes;
    if (const OpenWindow atDesign(window); true)
        for (const QWidget *w : atDesign.shown())
            designSizes << w->font().pointSizeF();
    const auto restore =
        qScopeGuard([design = QApplication::font()] { QApplication::setFont(design); });
    const QFont large(QApplication::font().family(), points);
    QApplication::setFont(whileOpen ? QApplication::font() : large);
    const OpenWindow open(window);
    QApplication::setFont(large);
    // The offscreen screen, 800 x 600, is smaller than any the program meets.
    const QWidget *top = open.other ? open.other.get() : open.main.window.get();
    QVERIFY(top->screen()->availableGeometry().size().boundedTo(top->frameSize()) ==
            top->frameSize());
    const QList<QWidget *> shown = open.shown();
    for (const QWidget *w : shown) {
        const QString text = shownText(w), name = w->objectName();
        if (text.isEmpty())
            continue;
        // No smaller than at the design size.
        QVERIFY2(w->font().pointSizeF() >= designSizes.value(shown.indexOf(w)), qPrintable(name));
        // Whole: in the room the widget gives it, less a field's frame and an option's circle.
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
    for (const QString &window : {names::DanishWindow, names::EnglishWindow}) {
        const OpenWindow open(window);
        open.main.click(names::TapOption);
        const QList<QWidget *> shown = open.shown();
        for (QWidget *w : shown) {
            QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(seen->role() != QAccessible::Border && seen->role() != QAccessible::Window,
                     qPrintable(w->objectName()));
            QVERIFY(!qobject_cast<widgets::SvgPicture *>(w) ||
                    !seen->text(QAccessible::Name).isEmpty());
            // A field is named as the caption or option that stands beside it in its row.
            QStringList beside;
            for (QWidget *other : shown)
                if ((qobject_cast<QLabel *>(other) || qobject_cast<QRadioButton *>(other)) &&
                    other->parentWidget() == w->parentWidget() && other->y() == w->y())
                    beside << shownText(other).remove(u':').trimmed();
            if (qobject_cast<EntryField *>(w) && w->objectName() != names::CncLine)
                QCOMPARE(beside, QStringList(seen->text(QAccessible::Name)));
        }
        // Enter in D: its results said once, as one message.
        const int before = widgets::announcements().count;
        open.main.type(Field::Diameter, u"2"_s);
        open.main.key(Qt::Key_Return);
        QCOMPARE(widgets::announcements().count - before, 1);
        QVERIFY(widgets::announcements().last.contains(open.main.line()));
        QVERIFY(widgets::announcements().last.contains(open.main.field(Field::FeedRate)->text()));
        open.main.key(Qt::Key_F10); // opens the first menu
        QCOMPARE(QApplication::activePopupWidget(), open.main.menu(names::FileMenu));
        QApplication::activePopupWidget()->close();
        // The units and decimals items are checkable, checked as their menus show them.
        for (const QString &name : {names::DecimalsMenu, names::UnitsMenu}) {
            QAccessibleInterface *items =
                QAccessible::queryAccessibleInterface(open.main.menu(name));
            for (int i = 0; i < items->childCount(); ++i)
                QCOMPARE(items->child(i)->state().checkable + items->child(i)->state().checked,
                         1 + open.main.menu(name)->actions().at(i)->isChecked());
        }
    }
    appwindows::LegendWindow legend(Language::English);
    legend.show();
    // A dialog whose lines a screen reader reads, the first with the focus.
    QCOMPARE(QAccessible::queryAccessibleInterface(&legend)->role(), QAccessible::Dialog);
    QCOMPARE(legend.focusWidget(), legend.findChildren<QLabel *>().first());
    QTest::keyClick(&legend, Qt::Key_Escape);
    QVERIFY(!legend.isVisible());
    for (const QString &scheme : {u"https"_s, u"mailto"_s})
        QDesktopServices::setUrlHandler(scheme, this, "openLink");
    appwindows::AboutMakerWindow about(Language::Danish);
    about.show();
    QRect before;
    for (widgets::LinkLabel *link : about.findChildren<widgets::LinkLabel *>()) {
        QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(seen->role(), QAccessible::Link);
        QCOMPARE(seen->text(QAccessible::Name), link->text());
        seen->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_opened.value(m_opened.size() - 1), link->link());
        // Tab reaches it next from OK or the link before, down or to the right, as it reads.
        QTest::keyClick(about.focusWidget(), Qt::Key_Tab);
        QCOMPARE(about.focusWidget(), link);
        const QRect at(link->mapTo(&about, QPoint()), link->size());
        QVERIFY(before.isNull() || at.top() > before.top() || at.left() >= before.right());
        before = at;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            m_opened.clear();
            QTest::keyClick(link, key);
            QCOMPARE(m_opened, QList<QUrl>{link->link()});
        }
    }
    for (const QString &scheme : {u"https"_s, u"mailto"_s})
        QDesktopServices::unsetUrlHandler(scheme);
}

void AccessTest::edges_standOutOnEveryPalette_data()
{
    QTest::addColumn<QPalette>("palette");
    for (int i = 0; i < 3; ++i)
        QTest::addRow("%s", PaletteNames[i]) << palettes()[i];
}

void AccessTest::edges_standOutOnEveryPalette()
{
    QFETCH(QPalette, palette);
    // An empty field and an empty option: nothing in the picture but their edges.
    for (const QString &style : {u"Fusion"_s, u"Windows"_s})
        for (QWidget *w : QList<QWidget *>{new QLineEdit, new QRadioButton}) {
            QApplication::setStyle(style);
            widgets::useVisibleMarks();
            QApplication::setPalette(palette);
            QWidget window;
            w->setParent(&window);
            w->move(10, 10);
            const QImage picture = window.grab().toImage();
            qreal most = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    most = std::max(most, widgets::contrastRatio(picture.pixelColor(x, y),
                                                                 palette.color(QPalette::Window)));
            QVERIFY2(most >= widgets::VisibleContrast,
                     qPrintable(style + w->metaObject()->className()));
        }
}

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
