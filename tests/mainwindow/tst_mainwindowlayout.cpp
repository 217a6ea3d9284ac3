// SPDX-License-Identifier: MIT
// The window as built: names, size, menus, tab order, maker band and the requests it sends.

#include "fixture.h"
#include "texts/makercontacts.h"
#include "widgets/linklabel.h"
#include "widgets/svgpicture.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QSignalSpy>

using texts::catalogue;
using texts::TextCatalogue;
using widgets::LinkLabel;
using widgets::SvgPicture;

using fixture::RunningWindow;

namespace {

// A control's state as the window is built: an option set or not, a picture hidden or not.
enum class Built { Plain, Checked, Hidden };

// What a control shows of itself: a caption, an option's text, a frame's title, a field's text
// and tool tip, a picture's drawing.
QString shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    if (const auto *field = qobject_cast<const QLineEdit *>(widget))
        return field->text() + field->toolTip();
    if (const auto *picture = qobject_cast<const SvgPicture *>(widget))
        return picture->name();
    return QString();
}

} // namespace

// Each test runs for both windows (m_row).
class MainWindowLayout : public fixture::WindowTest
{
    Q_OBJECT

public:
    MainWindowLayout() : WindowTest(fixture::Rows::BothWindows) {}

private slots:
    void builtWindow_controlsBeforeLoad_data();
    void builtWindow_controlsBeforeLoad();
    void window_fixedSizeWithoutMaximize();
    void menus_treeCaptionsAndShortcuts();
    void tabOrder_followsTheRows_data();
    void tabOrder_followsTheRows();
    void arrowKeys_moveBetweenOptionsOfAGroup();
    void makerBand_linksOpenTheOffices();
    void requests_reachTheirSignals();
    void pictures_sitInTheirPlaces();
    void rows_captionBesideItsField_data();
    void rows_captionBesideItsField();
    void bands_stackFromTopToBottom_data();
    void bands_stackFromTopToBottom();
    void resultBand_coloursAndAlignment();
};

// The widget's place in the window's client area.
static QRect inClient(const MainWindow &window, const QString &name)
{
    const auto *widget = window.findChild<QWidget *>(name);
    if (!widget)
        return QRect();
    return QRect(widget->mapTo(window.centralWidget(), QPoint()), widget->size());
}

void MainWindowLayout::builtWindow_controlsBeforeLoad_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("danish"); // what it shows in the Danish window
    QTest::addColumn<QString>("english");
    QTest::addColumn<Built>("state");
    const auto add = [](const QString &name, const char *type, const char *danish,
                        const char *english = nullptr, Built state = Built::Plain) {
        QTest::newRow(qPrintable(name)) << name << QByteArray(type) << QString::fromUtf8(danish)
                                        << QString::fromUtf8(english ? english : danish) << state;
    };
    using namespace names;
    using enum Field;
    const char *const entry = "widgets::EntryField";
    // clang-format off
    add(field(Diameter), entry, "Eksempel: 1,5 eller 1 1/2", "Example: 1.5 or 1 1/2");
    for (Field empty : {Flutes, FeedPerTooth, CuttingSpeed, PitchMm, ThreadsPerInch, SpindleSpeed})
        add(field(empty), entry, "");
    add(field(FeedRate), entry, "0");
    add(CncLine, entry, "");
    // The captions the load replaces start out Danish in both windows.
    add(caption(Diameter), "QLabel", "Diameter (D) :");
    add(caption(Flutes), "QLabel", "Antal skær (Z) :");
    add(caption(FeedPerTooth), "QLabel", "Tilspænding/tand (Sz) i mm :");
    add(caption(CuttingSpeed), "QLabel", "Skærehastighed (V) :");
    add(caption(PitchMm), "QLabel", "Stigning (P) i mm :");
    add(caption(ThreadsPerInch), "QLabel", "Gevind (P) pr. tomme :");
    add(caption(SpindleSpeed), "QLabel", "Omdrejninger (n) :");
    add(caption(FeedRate), "QLabel", "Tilspænding mm/min. (S) :");
    add(UnitsLabel, "QLabel", "Enheder");
    add(CncCaption, "QLabel", "CNC Resultat :", "CNC Result :");
    add(DecimalsLabel, "QLabel", "0 Decimal(er)", "0 Decimal(s)");
    add(MillOption, "QRadioButton", "Fræsere", "Mills", Built::Checked);
    add(DrillOption, "QRadioButton", "Bor m.v.", "Drills etc.");
    add(TapOption, "QRadioButton", "Gevindtappe", "Thread taps");
    add(PitchMmOption, "QRadioButton", "Stigning (P) i mm :", "Pitch (P) mm :");
    add(ThreadsPerInchOption, "QRadioButton", "Gevind (P) pr. tomme :", "Pitch (P) thread/inch :");
    add(ToolFrame, "QGroupBox", "Værktøjs data :", "Tools data :");
    add(ResultFrame, "QGroupBox", "Resultat :", "Result :");
    add(MillPicture, "widgets::SvgPicture", "endmill");
    add(DrillPicture, "widgets::SvgPicture", "drill", nullptr, Built::Hidden);
    add(TapPicture, "widgets::SvgPicture", "tap", nullptr, Built::Hidden);
    add(ScenePicture, "widgets::SvgPicture", "scene");
    // clang-format on
}

void MainWindowLayout::builtWindow_controlsBeforeLoad()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, type);
    QFETCH(QString, danish);
    QFETCH(QString, english);
    QFETCH(Built, state);
    const fixture::BuiltWindow window(m_row.language);
    QCOMPARE(window.objectName(),
             m_row.language == Language::Danish ? names::DanishWindow : names::EnglishWindow);
    const auto *widget = window.findChild<QWidget *>(name);
    QVERIFY(widget);
    QVERIFY(widget->inherits(type.constData()));
    QCOMPARE(shownText(widget), m_row.language == Language::Danish ? danish : english);
    if (const auto *option = qobject_cast<const QRadioButton *>(widget))
        QCOMPARE(option->isChecked(), state == Built::Checked);
    if (qobject_cast<const SvgPicture *>(widget))
        QCOMPARE(widget->isHidden(), state == Built::Hidden);
}

void MainWindowLayout::window_fixedSizeWithoutMaximize()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, true));

    QCOMPARE(s.window->minimumSize(), s.window->maximumSize());
    const Qt::WindowFlags flags = s.window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // Every control lies inside the client area, which ends below the contact band.
    const QWidget *client = s.window->centralWidget();
    for (const QWidget *child : client->findChildren<QWidget *>()) {
        const QRect place(child->mapTo(client, QPoint()), child->size());
        QVERIFY2(client->rect().contains(place), qPrintable(child->objectName()));
    }
    QVERIFY(client->height() - inClient(*s.window, names::AmericaFrame).bottom() < 16);
    QVERIFY(!s.window->windowTitle().isEmpty());
    // The result field has no limit of its own.
    QCOMPARE(s.field(names::CncLine)->maxLength(), 32767);
}

void MainWindowLayout::menus_treeCaptionsAndShortcuts()
{
    const Language language = m_row.language;
    const bool danish = language == Language::Danish;
    const fixture::BuiltWindow window(language);
    // Each window starts in its own units until the load.
    QCOMPARE(window.findChild<QAction *>(names::MetricItem)->isChecked(), danish);
    QCOMPARE(window.findChild<QAction *>(names::InchItem)->isChecked(), !danish);

    // Each menu as "name:caption", then its items, in order.
    QStringList tree;
    for (QAction *top : window.menuBar()->actions()) {
        tree << top->objectName() + u':' + top->text();
        for (QAction *item : top->menu()->actions())
            tree << u"  "_s + item->objectName() + u':' +
                        (item->isSeparator() ? u"---"_s : item->text());
    }
    const TextCatalogue &t = catalogue(language);
    const auto menu = [](const QString &name, const QString &caption) {
        return name + u':' + caption;
    };
    const auto item = [&menu](const QString &name, const QString &caption) {
        return u"  "_s + menu(name, caption);
    };
    const QStringList expected{
        menu(names::FileMenu, t.fileMenu),
        item(names::PrintItem, t.printAction),
        item(names::QuitItem, t.quitAction),
        menu(names::EditMenu, t.editMenu),
        item(names::CopyItem, t.copyAction),
        item(names::PasteItem, t.pasteAction),
        item(names::EditSeparator, u"---"_s),
        item(names::EditAboutMakerItem, t.editAboutMakerAction),
        menu(names::DecimalsMenu, t.decimalsMenu),
        item(names::decimalsItem(0), t.decimalActions[0]),
        item(names::decimalsItem(1), t.decimalActions[1]),
        item(names::decimalsItem(2), t.decimalActions[2]),
        item(names::decimalsItem(3), t.decimalActions[3]),
        menu(names::UnitsMenu, t.unitsMenu),
        item(names::MetricItem, t.metricAction),
        item(names::InchItem, t.inchAction),
        menu(danish ? names::DanishLanguageMenu : names::EnglishLanguageMenu, t.languageMenu),
        item(danish ? names::EnglishItem : names::DanishItem, t.languageAction),
        menu(names::InfoMenu, t.infoMenu),
        item(names::LegendItem, t.legendAction),
        item(names::AboutMakerItem, t.aboutMakerAction),
        item(names::AboutProgramItem, t.aboutProgramAction)};
    for (const QString &line : expected)
        QVERIFY2(!line.endsWith(u':'), qPrintable(line)); // no caption left empty
    QCOMPARE(tree, expected);

    auto shortcut = [&window](const QString &name) {
        return window.findChild<QAction *>(name)->shortcut();
    };
    QCOMPARE(shortcut(names::PrintItem), QKeySequence(u"Ctrl+P"_s));
    QCOMPARE(shortcut(names::CopyItem), QKeySequence(u"Ctrl+C"_s));
    QCOMPARE(shortcut(names::PasteItem), QKeySequence(u"Ctrl+V"_s));
    QCOMPARE(shortcut(names::LegendItem), QKeySequence(u"F1"_s));
    QVERIFY(!window.findChild<QAction *>(names::LegendItem)->isEnabled());
    for (int index = 0; index < 4; ++index) {
        QAction *item = window.findChild<QAction *>(names::decimalsItem(index));
        QCOMPARE(item->property("index").toInt(), index);
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
    }
}

void MainWindowLayout::tabOrder_followsTheRows_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("order");
    using namespace names;
    using enum Field;
    // clang-format off
    QTest::newRow("Mill") << MillOption << QStringList{field(Diameter), field(Flutes), field(FeedPerTooth),
        field(CuttingSpeed), field(SpindleSpeed), field(FeedRate), CncLine, MillOption, field(Diameter)};
    QTest::newRow("Tap") << TapOption << QStringList{field(Diameter), field(PitchMm), field(CuttingSpeed),
        field(SpindleSpeed), field(FeedRate), PitchMmOption, CncLine, TapOption};
    // clang-format on
}

void MainWindowLayout::tabOrder_followsTheRows()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, order);
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, true));
    s.click(mode);

    // The line is followed by the maker's links as they read.
    const qsizetype afterLine = order.indexOf(names::CncLine) + 1;
    order = order.first(afterLine) +
            (m_row.language == Language::Danish ? names::DanishLinks : names::EnglishLinks) +
            order.sliced(afterLine);
    QTest::mouseClick(s.field(Field::Diameter), Qt::LeftButton);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        s.key(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // Of each group of options only the one that is set is a stop.
    QCOMPARE(visited, order);
}

void MainWindowLayout::arrowKeys_moveBetweenOptionsOfAGroup()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, true));
    QVERIFY(s.option(names::MillOption)->hasFocus());

    s.key(Qt::Key_Right);
    QVERIFY(s.option(names::DrillOption)->isChecked());
    QCOMPARE(s.field(Field::Flutes)->text(), u"1"_s);
    s.key(Qt::Key_Right);
    QVERIFY(s.option(names::TapOption)->isChecked());
    QVERIFY(s.option(names::PitchMmOption)->isVisible());

    s.option(names::PitchMmOption)->setFocus(Qt::TabFocusReason);
    s.key(Qt::Key_Down);
    QVERIFY(s.option(names::ThreadsPerInchOption)->isChecked());
    QCOMPARE(s.values.pitchUnit, calc::PitchUnit::ThreadsPerInch);
    QVERIFY(s.field(Field::ThreadsPerInch)->isVisible());
}

void MainWindowLayout::makerBand_linksOpenTheOffices()
{
    const Language language = m_row.language;
    const QStringList &linkLabels =
        language == Language::Danish ? names::DanishLinks : names::EnglishLinks;
    const fixture::BuiltWindow window(language);

    const QString links[] = {
        QString::fromUtf8(texts::EuropeOffice.webUrl), texts::mailUrl(texts::EuropeOffice.mail),
        QString::fromUtf8(texts::AmericaOffice.webUrl), texts::mailUrl(texts::AmericaOffice.mail)};
    for (int i = 0; i < 4; ++i) {
        auto *label = window.findChild<LinkLabel *>(linkLabels[i]);
        QVERIFY2(label, qPrintable(linkLabels[i]));
        QCOMPARE(label->link(), QUrl(links[i]));
    }
    QCOMPARE(window.findChildren<LinkLabel *>().size(), 4);

    // The two offices' lines share one font size, so neither block looks smaller.
    QList<qreal> sizes;
    for (const QString &frame : {names::EuropeFrame, names::AmericaFrame})
        for (const QLabel *line : window.findChild<QGroupBox *>(frame)->findChildren<QLabel *>())
            sizes << line->font().pointSizeF();
    QCOMPARE(sizes.size(), 8);
    QCOMPARE(sizes.count(sizes.first()), 8);
}

void MainWindowLayout::requests_reachTheirSignals()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, true));
    MainWindow *w = s.window.get();
    QSignalSpy print(w, &MainWindow::printRequested);
    QSignalSpy legend(w, &MainWindow::legendRequested);
    QSignalSpy program(w, &MainWindow::aboutProgramRequested);
    QSignalSpy maker(w, &MainWindow::aboutMakerRequested);
    QSignalSpy closing(w, &MainWindow::closing);

    s.key(Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(print.size(), 1);
    // F1 works although its menu item is switched off.
    s.key(Qt::Key_F1);
    QCOMPARE(legend.size(), 1);
    s.action(names::AboutProgramItem)->trigger();
    QCOMPARE(program.size(), 1);
    s.action(names::AboutMakerItem)->trigger();
    s.action(names::EditAboutMakerItem)->trigger();
    QCOMPARE(maker.size(), 2);
    QCOMPARE(maker.at(0).at(0).toBool(), true);
    QCOMPARE(maker.at(1).at(0).toBool(), false);

    // Once the item is switched on, its own shortcut takes F1, and F1 still works once.
    s.action(names::LegendItem)->setEnabled(true);
    s.key(Qt::Key_F1);
    QCOMPARE(legend.size(), 2);

    w->close();
    QCOMPARE(closing.size(), 1);
}

void MainWindowLayout::pictures_sitInTheirPlaces()
{
    const fixture::BuiltWindow window(m_row.language);
    const auto *mill = window.findChild<SvgPicture *>(names::MillPicture);
    const auto *drill = window.findChild<SvgPicture *>(names::DrillPicture);
    const auto *tap = window.findChild<SvgPicture *>(names::TapPicture);
    const auto *scene = window.findChild<SvgPicture *>(names::ScenePicture);
    // Each drawn one to one; the tool pictures take turns at one place, left of the options.
    for (const SvgPicture *picture : {mill, drill, tap, scene}) {
        QVERIFY2(picture->isLoaded(), qPrintable(picture->objectName()));
        QCOMPARE(picture->size(), picture->naturalSize());
    }
    QCOMPARE(drill->pos(), mill->pos());
    QCOMPARE(tap->pos(), mill->pos());
    QVERIFY(mill->geometry().right() < inClient(window, names::MillOption).left());
    QVERIFY(scene->y() > inClient(window, names::MillOption).bottom());
}

void MainWindowLayout::rows_captionBesideItsField_data()
{
    // Each quantity's caption stands left of its field in one row; the fields of a frame
    // line up in one column of one width.
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("columnMate");     // another field of the same frame
    QTest::addColumn<QString>("coveringOption"); // the pitch option over the caption
    const auto row = [](Field field, Field mate, const QString &option = {}) {
        QTest::newRow(qPrintable(names::field(field)))
            << names::caption(field) << names::field(field) << names::field(mate) << option;
    };
    row(Field::Diameter, Field::CuttingSpeed);
    row(Field::Flutes, Field::Diameter);
    row(Field::PitchMm, Field::Diameter, names::PitchMmOption);
    row(Field::FeedPerTooth, Field::Diameter);
    row(Field::ThreadsPerInch, Field::Diameter, names::ThreadsPerInchOption);
    row(Field::CuttingSpeed, Field::Diameter);
    row(Field::SpindleSpeed, Field::FeedRate);
    row(Field::FeedRate, Field::SpindleSpeed);
}

void MainWindowLayout::rows_captionBesideItsField()
{
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, columnMate);
    QFETCH(QString, coveringOption);
    const fixture::BuiltWindow window(m_row.language);
    const QRect captionPlace = inClient(window, caption);
    const QRect fieldPlace = inClient(window, field);
    const QRect matePlace = inClient(window, columnMate);

    QCOMPARE(captionPlace.top(), fieldPlace.top());
    QVERIFY(captionPlace.right() < fieldPlace.left());
    QVERIFY(captionPlace.height() <= fieldPlace.height());
    QCOMPARE(fieldPlace.left(), matePlace.left());
    QCOMPARE(fieldPlace.width(), matePlace.width());
    // A long caption takes a smaller font rather than losing its end.
    const auto *label = window.findChild<QLabel *>(caption);
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());

    // A pitch option covers its caption's row, its circle left of where the caption starts.
    if (!coveringOption.isEmpty()) {
        const QRect option = inClient(window, coveringOption);
        QCOMPARE(option.top(), captionPlace.top());
        QVERIFY(option.height() <= captionPlace.height());
        QVERIFY(option.left() < captionPlace.left());
        QVERIFY(option.right() < fieldPlace.left());
    }
}

// Above and LeftOf allow the two to share their edge line: the places are whole twips.
enum class Relation { Above, LeftOf, Inside, SameColumn, ApartAbove, Shorter };

void MainWindowLayout::bands_stackFromTopToBottom_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<Relation>("relation");
    QTest::addColumn<QString>("second");
    static const char *const words[] = {"above",       "left of",     "inside", "in the column of",
                                        "apart above", "shorter than"};
    const auto pair = [&](const QString &first, Relation relation, const QString &second) {
        QTest::addRow("%s %s %s", qPrintable(first), words[int(relation)], qPrintable(second))
            << first << relation << second;
    };
    using enum Relation;
    pair(names::MillOption, LeftOf, names::DrillOption);
    pair(names::DrillOption, LeftOf, names::TapOption);
    pair(names::MillOption, Above, names::ToolBand);
    pair(names::ToolFrame, Inside, names::ToolBand);
    pair(names::ResultFrame, Inside, names::ToolBand);
    pair(names::ToolFrame, Above, names::ResultFrame);
    pair(names::ToolFrame, SameColumn, names::ResultFrame);
    pair(names::caption(Field::Diameter), Above, names::caption(Field::Flutes));
    pair(names::caption(Field::Flutes), Above, names::caption(Field::FeedPerTooth));
    pair(names::caption(Field::FeedPerTooth), Above, names::caption(Field::CuttingSpeed));
    pair(names::caption(Field::SpindleSpeed), Above, names::caption(Field::FeedRate));
    pair(names::ToolBand, Above, names::ResultBand);
    pair(names::CncCaption, Inside, names::ResultBand);
    pair(names::CncCaption, LeftOf, names::DecimalsLabel);
    pair(names::DecimalsLabel, LeftOf, names::UnitsLabel);
    pair(names::UnitsLabel, Above, names::CncLine);
    pair(names::CncLine, Inside, names::ResultBand);
    pair(names::CncLine, SameColumn, names::ResultFrame);
    pair(names::ResultBand, Above, names::MakerLine);
    pair(names::MakerLine, Above, names::EuropeFrame);
    // The contact block: both offices as wide as the maker line; America has a line more.
    pair(names::EuropeFrame, SameColumn, names::MakerLine);
    pair(names::AmericaFrame, SameColumn, names::MakerLine);
    pair(names::EuropeFrame, ApartAbove, names::AmericaFrame);
    pair(names::EuropeFrame, Shorter, names::AmericaFrame);
}

void MainWindowLayout::bands_stackFromTopToBottom()
{
    QFETCH(QString, first);
    QFETCH(Relation, relation);
    QFETCH(QString, second);
    const fixture::BuiltWindow window(m_row.language);
    const QRect a = inClient(window, first);
    const QRect b = inClient(window, second);
    QVERIFY(!a.isNull() && !b.isNull());
    switch (relation) {
    case Relation::Above:
        QVERIFY2(a.bottom() <= b.top(),
                 qPrintable(u"%1 ends at %2, the other starts at %3"_s.arg(first)
                                .arg(a.bottom())
                                .arg(b.top())));
        break;
    case Relation::LeftOf:
        QCOMPARE(a.top(), b.top());
        QCOMPARE(a.height(), b.height());
        QVERIFY(a.right() <= b.left());
        break;
    case Relation::Inside:
        QVERIFY(b.contains(a));
        break;
    case Relation::SameColumn:
        QCOMPARE(a.left(), b.left());
        QCOMPARE(a.width(), b.width());
        break;
    case Relation::ApartAbove:
        QVERIFY(a.bottom() < b.top());
        break;
    case Relation::Shorter:
        QVERIFY(a.height() < b.height());
        break;
    }
}

void MainWindowLayout::resultBand_coloursAndAlignment()
{
    const fixture::BuiltWindow window(m_row.language);
    const auto *units = window.findChild<QLabel *>(names::UnitsLabel);
    const auto *caption = window.findChild<QLabel *>(names::CncCaption);
    QCOMPARE(units->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The units stand out from the captions in a dark red.
    const QColor red = units->palette().color(QPalette::WindowText);
    QVERIFY(red != caption->palette().color(QPalette::WindowText));
    QVERIFY(red.red() > red.green() && red.red() > red.blue());
    const auto *decimals = window.findChild<QLabel *>(names::DecimalsLabel);
    QCOMPARE(decimals->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The CNC line is greyed, unlike the fields one types in.
    const auto *line = window.findChild<QLineEdit *>(names::CncLine);
    const auto *entry = window.findChild<QLineEdit *>(names::field(Field::Diameter));
    const QColor grey = line->palette().color(QPalette::Base);
    QVERIFY(grey != entry->palette().color(QPalette::Base));
    QCOMPARE(grey.saturation(), 0);
    const auto *maker = window.findChild<QLabel *>(names::MakerLine);
    QVERIFY(maker->font().bold());
    QCOMPARE(maker->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

QTEST_MAIN(MainWindowLayout)
#include "tst_mainwindowlayout.moc"
