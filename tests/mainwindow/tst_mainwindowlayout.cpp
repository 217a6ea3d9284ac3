// The window as built: names, size, menus, tab order, maker band and the requests it sends.

#include "fixture.h"
#include "widgets/linklabel.h"
#include "widgets/makerinfo.h"
#include "widgets/svgpicture.h"
#include "widgets/twips.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QSignalSpy>

using fixture::Session;

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
    void controls_sitInTheirPlaces_data();
    void controls_sitInTheirPlaces();
    void resultBand_coloursAndAlignment();
    void contactBlock_fillsTheWindowBelowTheMakerLine_data();
    void contactBlock_fillsTheWindowBelowTheMakerLine();

private:
    fixture::Watchdog m_watchdog;
};

void MainWindowLayout::cleanup()
{
    QVERIFY2(m_watchdog.take().isEmpty(), "unexpected message box");
}

static void AddLanguageRows()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Danish") << int(Language::Danish);
    QTest::newRow("English") << int(Language::English);
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
    QCOMPARE(window.windowTitle(), u"KOVRIN Zarir adu Rezi"_s);

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
             Catalogue(Language(language)).diameterToolTip);
    QCOMPARE(window.findChild<QLineEdit *>(u"CNCResultatText"_s)->maxLength(), 32767);
}

void MainWindowLayout::window_fixedSizeWithoutMaximize_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("height");
    QTest::newRow("Danish") << int(Language::Danish) << 7590;
    QTest::newRow("English") << int(Language::English) << 7695;
}

void MainWindowLayout::window_fixedSizeWithoutMaximize()
{
    QFETCH(int, language);
    QFETCH(int, height);
    Session s;
    fixture::SampleValues(s.values, true);
    QVERIFY(s.open(Language(language), true));

    QCOMPARE(s.window->centralWidget()->size(), QSize(6855 / 15, height / 15));
    QCOMPARE(s.window->minimumSize(), s.window->maximumSize());
    const Qt::WindowFlags flags = s.window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // The result band: the captions' widths differ between the languages.
    QCOMPARE(s.label(u"Label11"_s)->width(),
             Language(language) == Language::Danish ? 1215 / 15 : 1095 / 15);
    QCOMPARE(s.field(u"CNCResultatText"_s)->geometry(), QRect(184, 304, 249, 19));
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
    const QStringList expected =
        danish ? QStringList{u"ctlFiler:Filer"_s,
                             u"  ctlPrint:Print Resultat"_s,
                             u"  ctlAfslut:Afslut"_s,
                             u"ctlEdit:Edit"_s,
                             u"  ctlKopier:Kopier"_s,
                             u"  ctlSætInd:Sæt ind"_s,
                             u"  ctlStreg:---"_s,
                             u"  ctlEditSignaturforklaring:Om Kovrin Integration"_s,
                             u"ctlDecimaler:Decimaler"_s,
                             u"  ctlDecimalValg0:0 Decimaler"_s,
                             u"  ctlDecimalValg1:1 Decimal"_s,
                             u"  ctlDecimalValg2:2 Decimaler"_s,
                             u"  ctlDecimalValg3:3 Decimaler"_s,
                             u"ctlEnheder:Enheder"_s,
                             u"  ctlMetrisk:Metrisk"_s,
                             u"  ctlTommer:Tommer"_s,
                             u"ctlSprog:Sprog"_s,
                             u"  ctlEngelsk:Engelsk"_s,
                             u"ctlInfo:Info"_s,
                             u"  ctlSignaturforklaring:Signaturforklaring"_s,
                             u"  ctlOmKovrin:Om Kovrin Integration"_s,
                             u"  ctlOm:Om Zarir adu Rezi"_s}
               : QStringList{u"ctlFiler:Files"_s,
                             u"  ctlPrint:Print Result"_s,
                             u"  ctlAfslut:Quit"_s,
                             u"ctlEdit:Edit"_s,
                             u"  ctlKopier:Copy"_s,
                             u"  ctlSætInd:Paste"_s,
                             u"  ctlStreg:---"_s,
                             u"  ctlEditSignaturforklaring:About Kovrin Integration"_s,
                             u"ctlDecimaler:Decimals"_s,
                             u"  ctlDecimalValg0:0 Decimals"_s,
                             u"  ctlDecimalValg1:1 Decimal"_s,
                             u"  ctlDecimalValg2:2 Decimals"_s,
                             u"  ctlDecimalValg3:3 Decimals"_s,
                             u"ctlEnheder:Units"_s,
                             u"  ctlMetrisk:Metric"_s,
                             u"  ctlTommer:Inches"_s,
                             u"ctlLanguage:Language"_s,
                             u"  ctlDanish:Danish"_s,
                             u"ctlInfo:Info"_s,
                             u"  ctlSignaturforklaring:Legend"_s,
                             u"  ctlOmKovrin:About Kovrin Integration"_s,
                             u"  ctlOm:About Zarir adu Rezi"_s};
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
    Session s;
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
    Session s;
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
             Catalogue(Language(language)).maker.line);
}

void MainWindowLayout::requests_reachTheirSignals()
{
    Session s;
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
    QCOMPARE(mill->geometry(), QRect(16, 4, 144, 26));
    QCOMPARE(drill->geometry(), QRect(16, 4, 146, 27));
    QCOMPARE(tap->geometry(), QRect(16, 4, 142, 26));
    QCOMPARE(scene->geometry(), QRect(8, 40, 442, 234));
    QCOMPARE(mill->resource(), u":/resources/endmill.svg"_s);
    QCOMPARE(scene->resource(), u":/resources/scene.svg"_s);
    QVERIFY(!mill->isHidden() && drill->isHidden() && tap->isHidden());
}

void MainWindowLayout::controls_sitInTheirPlaces_data()
{
    // In twips, relative to the control's frame or to the window's client area. A caption's
    // width may lie anywhere between minWidth and maxWidth, a pitch option's height likewise.
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("minWidth");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<int>("minHeight");
    QTest::addColumn<int>("maxHeight");
    for (Language language : {Language::Danish, Language::English}) {
        const bool danish = language == Language::Danish;
        auto add = [language, danish](const char *name, int x, int y, int minWidth, int maxWidth,
                                      int minHeight, int maxHeight) {
            QTest::addRow("%s %s", danish ? "da" : "en", name)
                << int(language) << QString::fromUtf8(name) << x << y << minWidth << maxWidth
                << minHeight << maxHeight;
        };
        auto exact = [&add](const char *name, int x, int y, int width, int height) {
            add(name, x, y, width, width, height, height);
        };
        auto caption = [&add](const char *name, int y) { add(name, 120, y, 2175, 2295, 255, 255); };
        exact("FræsereValg", 2640, 120, 1335, 320);
        exact("BorValg", 3960, 120, 1335, 320);
        exact("GevindtappeValg", 5280, 120, 1335, 320);
        exact("Frame5", 2760, 840, 3735, 1695);
        caption("Label1", 240);
        caption("Label6", 600);
        caption("Label9", 600);
        caption("Label5", 960);
        caption("Label14", 960);
        caption("Label3", 1320);
        // The option stays within the caption row it covers.
        add("PmmOption", 95, 600, 2175, 2175, 195, 255);
        add("PtommeOption", 95, 960, 2175, 2175, 195, 255);
        exact("DiameterSkærText", 2400, 240, 1215, 285);
        exact("AntalSkærText", 2400, 600, 1215, 285);
        exact("StigningText", 2400, 600, 1215, 285);
        exact("TilspændingTandText", 2400, 960, 1215, 285);
        exact("StigningTextTomme", 2400, 960, 1215, 285);
        exact("SkærehastighedText", 2400, 1320, 1215, 285);
        exact("Frame2", 2760, 2760, 3735, 975);
        caption("Label2", 240);
        caption("Label8", 600);
        exact("OmdrejningerText", 2400, 240, 1215, 285);
        exact("TilspændingOmdrText", 2400, 600, 1215, 285);
        const int resultWidth = danish ? 1215 : 1095;
        exact("Label11", 2760, 4320, resultWidth, 255);
        exact("DecimalLabel", 4080, 4320, resultWidth, 255);
        exact("EnhederLabel", 5640, 4320, 855, 255);
        exact("CNCResultatText", 2760, 4560, 3735, 285);
        exact("Label12", 120, 5040, 6615, danish ? 255 : 375);
    }
}

void MainWindowLayout::controls_sitInTheirPlaces()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, minWidth);
    QFETCH(int, maxWidth);
    QFETCH(int, minHeight);
    QFETCH(int, maxHeight);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);
    const auto *widget = window.findChild<QWidget *>(name);
    QVERIFY(widget);

    QCOMPARE(widget->pos(), QPoint(twips::Px(x), twips::Px(y)));
    QVERIFY2(widget->width() >= twips::Px(minWidth) && widget->width() <= twips::Px(maxWidth),
             qPrintable(QString::number(widget->width())));
    QVERIFY2(widget->height() >= twips::Px(minHeight) && widget->height() <= twips::Px(maxHeight),
             qPrintable(QString::number(widget->height())));
}

void MainWindowLayout::resultBand_coloursAndAlignment()
{
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language::Danish, engine);
    const auto *units = window.findChild<QLabel *>(u"EnhederLabel"_s);
    QCOMPARE(units->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(units->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    const auto *decimals = window.findChild<QLabel *>(u"DecimalLabel"_s);
    QCOMPARE(decimals->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const auto *line = window.findChild<QLineEdit *>(u"CNCResultatText"_s);
    QCOMPARE(line->palette().color(QPalette::Base), QColor(224, 224, 224));
    const auto *maker = window.findChild<QLabel *>(u"Label12"_s);
    QVERIFY(maker->font().bold());
    QCOMPARE(maker->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

void MainWindowLayout::contactBlock_fillsTheWindowBelowTheMakerLine_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("height");
    QTest::newRow("Danish") << int(Language::Danish) << 5280 << 7590;
    QTest::newRow("English") << int(Language::English) << 5400 << 7695;
}

void MainWindowLayout::contactBlock_fillsTheWindowBelowTheMakerLine()
{
    QFETCH(int, language);
    QFETCH(int, top);
    QFETCH(int, height);
    WorkingValues values;
    session::Session engine(values, calc::commaLocale());
    MainWindow window(Language(language), engine);
    const auto *europe = window.findChild<QGroupBox *>(u"Frame3"_s);
    const auto *america = window.findChild<QGroupBox *>(u"Frame4"_s);
    QVERIFY(europe && america);

    QCOMPARE(europe->geometry(), twips::Rect(120, top, 6615, 855));
    QCOMPARE(america->x(), twips::Px(120));
    QCOMPARE(america->size(), QSize(twips::Px(6615), twips::Px(1215)));
    QVERIFY(america->y() > europe->geometry().bottom());
    QVERIFY(america->geometry().bottom() < twips::Px(height));
}

QTEST_MAIN(MainWindowLayout)
#include "tst_mainwindowlayout.moc"
