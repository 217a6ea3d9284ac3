// The window as built: names, size, menus, tab order, maker band and the requests it sends.

#include "fixture.h"
#include "widgets/linklabel.h"
#include "widgets/makerinfo.h"
#include "widgets/svgpicture.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QSignalSpy>
using mainwindow::catalogue;
using mainwindow::MainWindow;
using mainwindow::sharedTexts;
using mainwindow::TextCatalogue;
using state::Language;
using state::WorkingValues;
using widgets::LinkLabel;
using widgets::SvgPicture;

using fixture::RunningWindow;

class MainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void controls_carryTheirNames_data();
    void controls_carryTheirNames();
    void window_fixedSizeWithoutMaximize_data();
    void window_fixedSizeWithoutMaximize();
    void menus_treeCaptionsAndShortcuts_data();
    void menus_treeCaptionsAndShortcuts();
    void tabOrder_followsTheRows_data();
    void tabOrder_followsTheRows();
    void arrowKeys_moveBetweenOptionsOfAGroup();
    void makerBand_linksOpenTheOffices_data();
    void makerBand_linksOpenTheOffices();
    void requests_reachTheirSignals();
    void pictures_sitInTheirPlaces();
    void rows_captionBesideItsField_data();
    void rows_captionBesideItsField();
    void bands_stackFromTopToBottom_data();
    void bands_stackFromTopToBottom();
    void resultBand_coloursAndAlignment();
    void contactBlock_fillsTheWindowBelowTheMakerLine_data();
    void contactBlock_fillsTheWindowBelowTheMakerLine();

private:
    fixture::Watchdog m_watchdog;
};

void MainWindowLayout::cleanup()
{
    m_watchdog.verifyNothingUnexpected();
}

static void AddLanguageRows()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Danish") << int(Language::Danish);
    QTest::newRow("English") << int(Language::English);
}

// The widget's place in the window's client area.
static QRect InClient(const MainWindow &window, const char *name)
{
    const auto *widget = window.findChild<QWidget *>(QString::fromUtf8(name));
    if (!widget)
        return QRect();
    return QRect(widget->mapTo(window.centralWidget(), QPoint()), widget->size());
}

void MainWindowLayout::controls_carryTheirNames_data()
{
    AddLanguageRows();
}

void MainWindowLayout::controls_carryTheirNames()
{
    QFETCH(int, language);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);
    QCOMPARE(window.objectName(),
             Language(language) == Language::Danish ? u"HovedForm"_s : u"UKHovedForm"_s);
    QCOMPARE(window.windowTitle(), sharedTexts().programTitle);
    QVERIFY(!window.windowTitle().isEmpty());

    const char *fields[] = {"DiameterSkærText",   "AntalSkærText",       "TilspændingTandText",
                            "SkærehastighedText", "StigningText",        "StigningTextTomme",
                            "OmdrejningerText",   "TilspændingOmdrText", "CNCResultatText"};
    for (const char *name : fields)
        QVERIFY2(window.findChild<QLineEdit *>(QString::fromUtf8(name)), name);
    const char *labels[] = {"Label1", "Label2",  "Label3",  "Label5",       "Label6",      "Label8",
                            "Label9", "Label11", "Label14", "DecimalLabel", "EnhederLabel"};
    for (const char *name : labels)
        QVERIFY2(window.findChild<QLabel *>(QString::fromUtf8(name)), name);
    for (const char *name :
         {"FræsereValg", "BorValg", "GevindtappeValg", "PmmOption", "PtommeOption"})
        QVERIFY2(window.findChild<QRadioButton *>(QString::fromUtf8(name)), name);
    for (const char *name : {"Frame5", "Frame2"})
        QVERIFY2(window.findChild<QGroupBox *>(QString::fromUtf8(name)), name);
    for (const char *name : {"FræserBillede", "BorBillede", "GevindBillede", "Image3"})
        QVERIFY2(window.findChild<SvgPicture *>(QString::fromUtf8(name)), name);

    // Only the entry fields carry the tool tip; the result field has no limit of its own.
    QCOMPARE(window.findChild<QLineEdit *>(u"DiameterSkærText"_s)->toolTip(),
             catalogue(Language(language)).diameterToolTip);
    QCOMPARE(window.findChild<QLineEdit *>(u"CNCResultatText"_s)->maxLength(), 32767);
}

void MainWindowLayout::window_fixedSizeWithoutMaximize_data()
{
    AddLanguageRows();
}

void MainWindowLayout::window_fixedSizeWithoutMaximize()
{
    QFETCH(int, language);
    RunningWindow s;
    fixture::SampleValues(s.values, true);
    QVERIFY(s.open(Language(language), true));

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
    QVERIFY(client->height() - InClient(*s.window, "Frame4").bottom() < 16);
}

void MainWindowLayout::menus_treeCaptionsAndShortcuts_data()
{
    AddLanguageRows();
}

void MainWindowLayout::menus_treeCaptionsAndShortcuts()
{
    QFETCH(int, language);
    const bool danish = Language(language) == Language::Danish;
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);

    // Each menu as "name:caption", then its items, in order.
    QStringList tree;
    for (QAction *top : window.menuBar()->actions()) {
        tree << top->objectName() + u':' + top->text();
        for (QAction *item : top->menu()->actions())
            tree << u"  "_s + item->objectName() + u':' +
                        (item->isSeparator() ? u"---"_s : item->text());
    }
    const TextCatalogue &t = catalogue(Language(language));
    const auto menu = [](const char *name, const QString &caption) {
        return QString::fromUtf8(name) + u':' + caption;
    };
    const auto item = [&menu](const char *name, const QString &caption) {
        return u"  "_s + menu(name, caption);
    };
    const QStringList expected{menu("ctlFiler", t.fileMenu),
                               item("ctlPrint", t.printAction),
                               item("ctlAfslut", t.quitAction),
                               menu("ctlEdit", t.editMenu),
                               item("ctlKopier", t.copyAction),
                               item("ctlSætInd", t.pasteAction),
                               item("ctlStreg", u"---"_s),
                               item("ctlEditSignaturforklaring", t.editAboutMakerAction),
                               menu("ctlDecimaler", t.decimalsMenu),
                               item("ctlDecimalValg0", t.decimalActions[0]),
                               item("ctlDecimalValg1", t.decimalActions[1]),
                               item("ctlDecimalValg2", t.decimalActions[2]),
                               item("ctlDecimalValg3", t.decimalActions[3]),
                               menu("ctlEnheder", t.unitsMenu),
                               item("ctlMetrisk", t.metricAction),
                               item("ctlTommer", t.inchAction),
                               menu(danish ? "ctlSprog" : "ctlLanguage", t.languageMenu),
                               item(danish ? "ctlEngelsk" : "ctlDanish", t.languageAction),
                               menu("ctlInfo", t.infoMenu),
                               item("ctlSignaturforklaring", t.legendAction),
                               item("ctlOmKovrin", t.aboutMakerAction),
                               item("ctlOm", t.aboutProgramAction)};
    for (const QString &line : expected)
        QVERIFY2(!line.endsWith(u':'), qPrintable(line)); // no caption left empty
    QCOMPARE(tree, expected);

    auto shortcut = [&window](const char *name) {
        return window.findChild<QAction *>(QString::fromUtf8(name))->shortcut();
    };
    QCOMPARE(shortcut("ctlPrint"), QKeySequence(u"Ctrl+P"_s));
    QCOMPARE(shortcut("ctlKopier"), QKeySequence(u"Ctrl+C"_s));
    QCOMPARE(shortcut("ctlSætInd"), QKeySequence(u"Ctrl+V"_s));
    QCOMPARE(shortcut("ctlSignaturforklaring"), QKeySequence(u"F1"_s));
    QVERIFY(!window.findChild<QAction *>(u"ctlSignaturforklaring"_s)->isEnabled());
    for (int index = 0; index < 4; ++index) {
        QAction *item = window.findChild<QAction *>(u"ctlDecimalValg"_s + QString::number(index));
        QCOMPARE(item->property("index").toInt(), index);
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
    }
}

void MainWindowLayout::tabOrder_followsTheRows_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Mill") << u"FræsereValg"_s
                          << QStringList{u"DiameterSkærText"_s,    u"AntalSkærText"_s,
                                         u"TilspændingTandText"_s, u"SkærehastighedText"_s,
                                         u"OmdrejningerText"_s,    u"TilspændingOmdrText"_s,
                                         u"CNCResultatText"_s,     u"FræsereValg"_s,
                                         u"DiameterSkærText"_s};
    QTest::newRow("Tap") << u"GevindtappeValg"_s
                         << QStringList{u"DiameterSkærText"_s,    u"StigningText"_s,
                                        u"SkærehastighedText"_s,  u"OmdrejningerText"_s,
                                        u"TilspændingOmdrText"_s, u"PmmOption"_s,
                                        u"CNCResultatText"_s,     u"GevindtappeValg"_s};
}

void MainWindowLayout::tabOrder_followsTheRows()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, order);
    RunningWindow s;
    fixture::SampleValues(s.values, true);
    QVERIFY(s.open(Language::Danish, true));
    s.click(mode);

    QTest::mouseClick(s.field(u"DiameterSkærText"_s), Qt::LeftButton);
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
    fixture::SampleValues(s.values, true);
    QVERIFY(s.open(Language::English, true));
    QVERIFY(s.option(u"FræsereValg"_s)->hasFocus());

    s.key(Qt::Key_Right);
    QVERIFY(s.option(u"BorValg"_s)->isChecked());
    QCOMPARE(s.field(u"AntalSkærText"_s)->text(), u"1"_s);
    s.key(Qt::Key_Right);
    QVERIFY(s.option(u"GevindtappeValg"_s)->isChecked());
    QVERIFY(s.option(u"PmmOption"_s)->isVisible());

    s.option(u"PmmOption"_s)->setFocus(Qt::TabFocusReason);
    s.key(Qt::Key_Down);
    QVERIFY(s.option(u"PtommeOption"_s)->isChecked());
    QVERIFY(s.values.threadsPerInchSelected);
    QVERIFY(s.field(u"StigningTextTomme"_s)->isVisible());
}

void MainWindowLayout::makerBand_linksOpenTheOffices_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("Danish") << int(Language::Danish)
                            << QStringList{u"Label10"_s, u"Label13"_s, u"Label21"_s, u"Label22"_s};
    QTest::newRow("English") << int(Language::English)
                             << QStringList{u"Label13"_s, u"Label16"_s, u"Label21"_s, u"Label22"_s};
}

void MainWindowLayout::makerBand_linksOpenTheOffices()
{
    QFETCH(int, language);
    QFETCH(QStringList, names);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);

    const QString links[] = {
        QString::fromUtf8(maker::Europe.webUrl), maker::mailUrl(maker::Europe.mail),
        QString::fromUtf8(maker::America.webUrl), maker::mailUrl(maker::America.mail)};
    const QString shown[] = {
        QString::fromUtf8(maker::Europe.web), QString::fromUtf8(maker::Europe.mail),
        QString::fromUtf8(maker::America.web), QString::fromUtf8(maker::America.mail)};
    for (int i = 0; i < 4; ++i) {
        auto *label = window.findChild<LinkLabel *>(names[i]);
        QVERIFY2(label, qPrintable(names[i]));
        QCOMPARE(label->link(), QUrl(links[i]));
        QCOMPARE(label->text(), shown[i]);
    }
    QCOMPARE(window.findChildren<LinkLabel *>().size(), 4);
    QCOMPARE(window.findChild<QLabel *>(u"Label12"_s)->text(),
             catalogue(Language(language)).maker.line);

    // The two offices' lines share one font size, so neither block looks smaller.
    QList<qreal> sizes;
    for (const char *frame : {"Frame3", "Frame4"})
        for (const QLabel *line :
             window.findChild<QGroupBox *>(QString::fromUtf8(frame))->findChildren<QLabel *>())
            sizes << line->font().pointSizeF();
    QCOMPARE(sizes.size(), 8);
    QCOMPARE(sizes.count(sizes.first()), 8);
}

void MainWindowLayout::requests_reachTheirSignals()
{
    RunningWindow s;
    fixture::SampleValues(s.values, true);
    QVERIFY(s.open(Language::English, true));
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
    s.action(u"ctlOm"_s)->trigger();
    QCOMPARE(program.size(), 1);
    s.action(u"ctlOmKovrin"_s)->trigger();
    s.action(u"ctlEditSignaturforklaring"_s)->trigger();
    QCOMPARE(maker.size(), 2);
    QCOMPARE(maker.at(0).at(0).toBool(), true);
    QCOMPARE(maker.at(1).at(0).toBool(), false);

    // Once the item is switched on, its own shortcut takes F1, and F1 still works once.
    s.action(u"ctlSignaturforklaring"_s)->setEnabled(true);
    s.key(Qt::Key_F1);
    QCOMPARE(legend.size(), 2);

    w->close();
    QCOMPARE(closing.size(), 1);
}

void MainWindowLayout::pictures_sitInTheirPlaces()
{
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language::Danish, engine);
    const auto *mill = window.findChild<SvgPicture *>(u"FræserBillede"_s);
    const auto *drill = window.findChild<SvgPicture *>(u"BorBillede"_s);
    const auto *tap = window.findChild<SvgPicture *>(u"GevindBillede"_s);
    const auto *scene = window.findChild<SvgPicture *>(u"Image3"_s);
    QCOMPARE(mill->name(), u"endmill"_s);
    QCOMPARE(scene->name(), u"scene"_s);
    // Each drawn one to one; the tool pictures take turns at one place, left of the options.
    for (const SvgPicture *picture : {mill, drill, tap, scene}) {
        QVERIFY2(picture->isLoaded(), qPrintable(picture->objectName()));
        QCOMPARE(picture->size(), picture->naturalSize());
    }
    QCOMPARE(drill->pos(), mill->pos());
    QCOMPARE(tap->pos(), mill->pos());
    QVERIFY(mill->geometry().right() < InClient(window, "FræsereValg").left());
    QVERIFY(scene->y() > InClient(window, "FræsereValg").bottom());
    QVERIFY(!mill->isHidden() && drill->isHidden() && tap->isHidden());
}

void MainWindowLayout::rows_captionBesideItsField_data()
{
    // Each quantity's caption stands left of its field in one row; the fields of a frame
    // line up in one column of one width.
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("columnMate");     // another field of the same frame
    QTest::addColumn<QString>("coveringOption"); // the pitch option over the caption
    for (Language language : {Language::Danish, Language::English}) {
        const char *tag = language == Language::Danish ? "da" : "en";
        const auto row = [&](const char *caption, const char *field, const char *mate,
                             const char *option = "") {
            QTest::addRow("%s %s", tag, field)
                << int(language) << QString::fromUtf8(caption) << QString::fromUtf8(field)
                << QString::fromUtf8(mate) << QString::fromUtf8(option);
        };
        row("Label1", "DiameterSkærText", "SkærehastighedText");
        row("Label6", "AntalSkærText", "DiameterSkærText");
        row("Label9", "StigningText", "DiameterSkærText", "PmmOption");
        row("Label5", "TilspændingTandText", "DiameterSkærText");
        row("Label14", "StigningTextTomme", "DiameterSkærText", "PtommeOption");
        row("Label3", "SkærehastighedText", "DiameterSkærText");
        row("Label2", "OmdrejningerText", "TilspændingOmdrText");
        row("Label8", "TilspændingOmdrText", "OmdrejningerText");
    }
}

void MainWindowLayout::rows_captionBesideItsField()
{
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, columnMate);
    QFETCH(QString, coveringOption);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);
    const QRect captionPlace = InClient(window, caption.toUtf8());
    const QRect fieldPlace = InClient(window, field.toUtf8());
    const QRect matePlace = InClient(window, columnMate.toUtf8());

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
        const QRect option = InClient(window, coveringOption.toUtf8());
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
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("relation");
    QTest::addColumn<QString>("second");
    static const char *const words[] = {"above", "left of", "inside", "in the column of"};
    for (Language language : {Language::Danish, Language::English}) {
        const char *tag = language == Language::Danish ? "da" : "en";
        const auto pair = [&](const char *first, Relation relation, const char *second) {
            QTest::addRow("%s %s %s %s", tag, first, words[relation], second)
                << int(language) << QString::fromUtf8(first) << int(relation)
                << QString::fromUtf8(second);
        };
        pair("FræsereValg", LeftOf, "BorValg");
        pair("BorValg", LeftOf, "GevindtappeValg");
        pair("FræsereValg", Above, "Label4");
        pair("Frame5", Inside, "Label4");
        pair("Frame2", Inside, "Label4");
        pair("Frame5", Above, "Frame2");
        pair("Frame5", SameColumn, "Frame2");
        pair("Label1", Above, "Label6");
        pair("Label6", Above, "Label5");
        pair("Label5", Above, "Label3");
        pair("Label2", Above, "Label8");
        pair("Label4", Above, "Label7");
        pair("Label11", Inside, "Label7");
        pair("Label11", LeftOf, "DecimalLabel");
        pair("DecimalLabel", LeftOf, "EnhederLabel");
        pair("EnhederLabel", Above, "CNCResultatText");
        pair("CNCResultatText", Inside, "Label7");
        pair("CNCResultatText", SameColumn, "Frame2");
        pair("Label7", Above, "Label12");
        pair("Label12", Above, "Frame3");
        pair("Frame3", Above, "Frame4");
    }
}

void MainWindowLayout::bands_stackFromTopToBottom()
{
    QFETCH(int, language);
    QFETCH(QString, first);
    QFETCH(int, relation);
    QFETCH(QString, second);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);
    const QRect a = InClient(window, first.toUtf8());
    const QRect b = InClient(window, second.toUtf8());
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
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language::Danish, engine);
    const auto *units = window.findChild<QLabel *>(u"EnhederLabel"_s);
    const auto *caption = window.findChild<QLabel *>(u"Label11"_s);
    QCOMPARE(units->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The units stand out from the captions in a dark red.
    const QColor red = units->palette().color(QPalette::WindowText);
    QVERIFY(red != caption->palette().color(QPalette::WindowText));
    QVERIFY(red.red() > red.green() && red.red() > red.blue());
    const auto *decimals = window.findChild<QLabel *>(u"DecimalLabel"_s);
    QCOMPARE(decimals->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The CNC line is greyed, unlike the fields one types in.
    const auto *line = window.findChild<QLineEdit *>(u"CNCResultatText"_s);
    const auto *entry = window.findChild<QLineEdit *>(u"DiameterSkærText"_s);
    const QColor grey = line->palette().color(QPalette::Base);
    QVERIFY(grey != entry->palette().color(QPalette::Base));
    QCOMPARE(grey.saturation(), 0);
    const auto *maker = window.findChild<QLabel *>(u"Label12"_s);
    QVERIFY(maker->font().bold());
    QCOMPARE(maker->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

void MainWindowLayout::contactBlock_fillsTheWindowBelowTheMakerLine_data()
{
    AddLanguageRows();
}

void MainWindowLayout::contactBlock_fillsTheWindowBelowTheMakerLine()
{
    QFETCH(int, language);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);
    const QRect maker = InClient(window, "Label12");
    const QRect europe = InClient(window, "Frame3");
    const QRect america = InClient(window, "Frame4");
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
