// The window as built: names, size, menus, tab order, maker band and the requests it sends.

#include "fixture.h"
#include "texts/makercontacts.h"
#include "widgets/linklabel.h"
#include "widgets/svgpicture.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QSignalSpy>

using texts::catalogue;
using texts::sharedTexts;
using texts::TextCatalogue;
using widgets::LinkLabel;
using widgets::SvgPicture;

using fixture::RunningWindow;

class MainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { fixture::addLanguageRows(); }
    void cleanup();

    void controls_carryTheirNames();
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
    void contactBlock_fillsTheWindowBelowTheMakerLine();

private:
    fixture::Watchdog m_watchdog;
};

void MainWindowLayout::cleanup()
{
    m_watchdog.verifyNothingUnexpected();
}

// The widget's place in the window's client area.
static QRect inClient(const MainWindow &window, const QString &name)
{
    const auto *widget = window.findChild<QWidget *>(name);
    if (!widget)
        return QRect();
    return QRect(widget->mapTo(window.centralWidget(), QPoint()), widget->size());
}

void MainWindowLayout::controls_carryTheirNames()
{
    const Language language = fixture::globalLanguage();
    const fixture::BuiltWindow window(language);
    QCOMPARE(window.objectName(),
             language == Language::Danish ? names::DanishWindow : names::EnglishWindow);
    QCOMPARE(window.windowTitle(), sharedTexts().programTitle);
    QVERIFY(!window.windowTitle().isEmpty());

    for (const QString &name : names::Fields)
        QVERIFY2(window.findChild<QLineEdit *>(name), qPrintable(name));
    QVERIFY(window.findChild<QLineEdit *>(names::CncLine));
    for (const QString &name : names::Captions)
        QVERIFY2(window.findChild<QLabel *>(name), qPrintable(name));
    for (const QString &name : {names::CncCaption, names::DecimalsLabel, names::UnitsLabel})
        QVERIFY2(window.findChild<QLabel *>(name), qPrintable(name));
    for (const QString &name : {names::MillOption, names::DrillOption, names::TapOption,
                                names::PitchMmOption, names::ThreadsPerInchOption})
        QVERIFY2(window.findChild<QRadioButton *>(name), qPrintable(name));
    for (const QString &name : {names::ToolFrame, names::ResultFrame})
        QVERIFY2(window.findChild<QGroupBox *>(name), qPrintable(name));
    for (const QString &name :
         {names::MillPicture, names::DrillPicture, names::TapPicture, names::ScenePicture})
        QVERIFY2(window.findChild<SvgPicture *>(name), qPrintable(name));

    // Only the entry fields carry the tool tip; the result field has no limit of its own.
    QCOMPARE(window.findChild<QLineEdit *>(names::field(Field::Diameter))->toolTip(),
             catalogue(language).diameterToolTip);
    QCOMPARE(window.findChild<QLineEdit *>(names::CncLine)->maxLength(), 32767);
}

void MainWindowLayout::window_fixedSizeWithoutMaximize()
{
    RunningWindow s;
    QVERIFY(s.openSample(fixture::globalLanguage(), true));

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
}

void MainWindowLayout::menus_treeCaptionsAndShortcuts()
{
    const Language language = fixture::globalLanguage();
    const bool danish = language == Language::Danish;
    const fixture::BuiltWindow window(language);

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
    QVERIFY(s.openSample(fixture::globalLanguage(), true));
    s.click(mode);

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
    QVERIFY(s.openSample(fixture::globalLanguage(), true));
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
    const Language language = fixture::globalLanguage();
    const QStringList &linkLabels =
        language == Language::Danish ? names::DanishLinks : names::EnglishLinks;
    const fixture::BuiltWindow window(language);

    const QString links[] = {
        QString::fromUtf8(texts::EuropeOffice.webUrl), texts::mailUrl(texts::EuropeOffice.mail),
        QString::fromUtf8(texts::AmericaOffice.webUrl), texts::mailUrl(texts::AmericaOffice.mail)};
    const QString shown[] = {
        QString::fromUtf8(texts::EuropeOffice.web), QString::fromUtf8(texts::EuropeOffice.mail),
        QString::fromUtf8(texts::AmericaOffice.web), QString::fromUtf8(texts::AmericaOffice.mail)};
    for (int i = 0; i < 4; ++i) {
        auto *label = window.findChild<LinkLabel *>(linkLabels[i]);
        QVERIFY2(label, qPrintable(linkLabels[i]));
        QCOMPARE(label->link(), QUrl(links[i]));
        QCOMPARE(label->text(), shown[i]);
    }
    QCOMPARE(window.findChildren<LinkLabel *>().size(), 4);
    QCOMPARE(window.findChild<QLabel *>(names::MakerLine)->text(), catalogue(language).maker.line);

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
    QVERIFY(s.openSample(fixture::globalLanguage(), true));
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
    const fixture::BuiltWindow window(fixture::globalLanguage());
    const auto *mill = window.findChild<SvgPicture *>(names::MillPicture);
    const auto *drill = window.findChild<SvgPicture *>(names::DrillPicture);
    const auto *tap = window.findChild<SvgPicture *>(names::TapPicture);
    const auto *scene = window.findChild<SvgPicture *>(names::ScenePicture);
    QCOMPARE(mill->name(), u"endmill"_s);
    QCOMPARE(scene->name(), u"scene"_s);
    // Each drawn one to one; the tool pictures take turns at one place, left of the options.
    for (const SvgPicture *picture : {mill, drill, tap, scene}) {
        QVERIFY2(picture->isLoaded(), qPrintable(picture->objectName()));
        QCOMPARE(picture->size(), picture->naturalSize());
    }
    QCOMPARE(drill->pos(), mill->pos());
    QCOMPARE(tap->pos(), mill->pos());
    QVERIFY(mill->geometry().right() < inClient(window, names::MillOption).left());
    QVERIFY(scene->y() > inClient(window, names::MillOption).bottom());
    QVERIFY(!mill->isHidden() && drill->isHidden() && tap->isHidden());
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
    const fixture::BuiltWindow window(fixture::globalLanguage());
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
enum Relation { Above, LeftOf, Inside, SameColumn };

void MainWindowLayout::bands_stackFromTopToBottom_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("relation");
    QTest::addColumn<QString>("second");
    static const char *const words[] = {"above", "left of", "inside", "in the column of"};
    const auto pair = [&](const QString &first, Relation relation, const QString &second) {
        QTest::addRow("%s %s %s", qPrintable(first), words[relation], qPrintable(second))
            << first << int(relation) << second;
    };
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
    pair(names::EuropeFrame, Above, names::AmericaFrame);
}

void MainWindowLayout::bands_stackFromTopToBottom()
{
    QFETCH(QString, first);
    QFETCH(int, relation);
    QFETCH(QString, second);
    const fixture::BuiltWindow window(fixture::globalLanguage());
    const QRect a = inClient(window, first);
    const QRect b = inClient(window, second);
    QVERIFY(!a.isNull() && !b.isNull());
    switch (Relation(relation)) {
    case Above:
        QVERIFY2(a.bottom() <= b.top(),
                 qPrintable(u"%1 ends at %2, the other starts at %3"_s.arg(first)
                                .arg(a.bottom())
                                .arg(b.top())));
        break;
    case LeftOf:
        QCOMPARE(a.top(), b.top());
        QCOMPARE(a.height(), b.height());
        QVERIFY(a.right() <= b.left());
        break;
    case Inside:
        QVERIFY(b.contains(a));
        break;
    case SameColumn:
        QCOMPARE(a.left(), b.left());
        QCOMPARE(a.width(), b.width());
        break;
    }
}

void MainWindowLayout::resultBand_coloursAndAlignment()
{
    const fixture::BuiltWindow window(fixture::globalLanguage());
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

void MainWindowLayout::contactBlock_fillsTheWindowBelowTheMakerLine()
{
    const fixture::BuiltWindow window(fixture::globalLanguage());
    const QRect maker = inClient(window, names::MakerLine);
    const QRect europe = inClient(window, names::EuropeFrame);
    const QRect america = inClient(window, names::AmericaFrame);
    QVERIFY(!europe.isNull() && !america.isNull());

    // Both as wide as the maker line, one under the other; America has a line more.
    for (const QRect &frame : {europe, america}) {
        QCOMPARE(frame.left(), maker.left());
        QCOMPARE(frame.width(), maker.width());
    }
    QVERIFY(europe.top() >= maker.bottom());
    QVERIFY(america.top() > europe.bottom());
    QVERIFY(america.height() > europe.height());
    QVERIFY(america.bottom() < window.centralWidget()->height());
}

QTEST_MAIN(MainWindowLayout)
#include "tst_mainwindowlayout.moc"
