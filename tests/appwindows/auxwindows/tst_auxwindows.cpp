// SPDX-License-Identifier: MIT
#include "appwindows/aboutwindows.h"
#include "appwindows/auxwindows.h"
#include "appwindows/legendwindow.h"
#include "modalwatchdog.h"
#include "texts/makercontacts.h"
#include "texts/textcatalogue.h"
#include "widgets/linklabel.h"
#include "widgets/svgpicture.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtMath>

#include <memory>

using namespace Qt::StringLiterals;

using appwindows::AboutMakerWindow;
using appwindows::AuxWindows;
using appwindows::LegendWindow;
using calc::Language;
using texts::catalogue;
using texts::LegendTexts;
using widgets::LinkLabel;
using widgets::SvgPicture;

// Stands in for the desktop's browser and mail program.
class LinkCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

namespace {

QStringList labelTexts(const QWidget *window, const char *const *names, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i) {
        const auto *label = window->findChild<QLabel *>(QString::fromLatin1(names[i]));
        out << (label ? label->text() : QStringLiteral("<missing %1>").arg(names[i]));
    }
    return out;
}

bool isFixedSize(const QWidget *w)
{
    return w->minimumSize() == w->size() && w->maximumSize() == w->size();
}

// The OK button sits in the window's lower right corner.
bool inLowerRightCorner(const QWidget *window, const QRect &place)
{
    return window->rect().contains(place) && place.left() > window->width() / 2 &&
           place.top() > window->height() / 2;
}

// The picture is drawn at its artwork's own size.
bool atItsOwnSize(const QWidget *window, const char *name)
{
    const auto *picture = window->findChild<SvgPicture *>(QString::fromLatin1(name));
    return picture && picture->isLoaded() && picture->size() == picture->naturalSize();
}

bool hasNoMinMaxButtons(const QWidget *w)
{
    const Qt::WindowFlags f = w->windowFlags();
    return !(f & Qt::WindowMinimizeButtonHint) && !(f & Qt::WindowMaximizeButtonHint) &&
           (f & Qt::WindowCloseButtonHint);
}

QString failures(const ModalWatchdog &w)
{
    return w.unexpected().join(u'\n');
}

} // namespace

class TestAuxWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void legend_showsLanguagesTextsInOrder_data();
    void legend_showsLanguagesTextsInOrder();
    void legend_fixedSizeBesideMainWindow();
    void legend_openedTwice_staysOneModelessWindow();
    void legend_closeClosesOnlyThatLanguage();

    void aboutProgram_showsTheBuildsVersion();
    void aboutProgram_isModalAndCloses_data();
    void aboutProgram_isModalAndCloses();

    void aboutMaker_fitsEachLanguagesTexts_data() { legend_showsLanguagesTextsInOrder_data(); }
    void aboutMaker_fitsEachLanguagesTexts();
    void aboutMaker_modalFromInfoMenu_modelessFromEditMenu();
    void aboutMaker_modeless_outlivesItsMainWindow();
    void aboutMaker_linkClick_handsLinkToDesktop_data();
    void aboutMaker_linkClick_handsLinkToDesktop();

    void closeAll_closesEveryWindow();

    void artwork_loadsWithItsSize_data();
    void artwork_loadsWithItsSize();

private:
    std::unique_ptr<AuxWindows> m_aux;
    std::unique_ptr<QWidget> m_main;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

void TestAuxWindows::init()
{
    m_aux = std::make_unique<AuxWindows>();
    m_main = std::make_unique<QWidget>();
    m_main->setObjectName(QStringLiteral("HovedForm"));
    m_main->resize(400, 300);
    m_main->show();
    m_watchdog = std::make_unique<ModalWatchdog>();
}

void TestAuxWindows::cleanup()
{
    QVERIFY2(m_watchdog->unexpected().isEmpty(), qPrintable(failures(*m_watchdog)));
    m_watchdog.reset();
    m_aux.reset();
    m_main.reset();
}

void TestAuxWindows::legend_showsLanguagesTextsInOrder_data()
{
    // Each language's windows, with their objectNames.
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("legendName");
    QTest::addColumn<QString>("aboutMakerName");
    QTest::newRow("Danish") << Language::Danish << u"SignaturForm"_s << u"OmKovrinForm"_s;
    QTest::newRow("English") << Language::English << u"UKSignaturForm"_s << u"UKOmKovrinForm"_s;
}

void TestAuxWindows::legend_showsLanguagesTextsInOrder()
{
    QFETCH(Language, language);
    QFETCH(QString, legendName);
    m_aux->showLegend(language);
    LegendWindow *w = m_aux->legend(language);
    QVERIFY(w);
    QCOMPARE(w->objectName(), legendName);
    const LegendTexts &legend = catalogue(language).legend;

    static const char *const order[7] = {"Label7", "Label6", "Label4", "Label1",
                                         "Label2", "Label3", "Label5"};
    QCOMPARE(labelTexts(w, order, 7), QStringList(legend.lines.begin(), legend.lines.end()));

    // Top to bottom at one left edge and an equal step, none over the next.
    QList<QLabel *> labels;
    for (const char *n : order)
        labels << w->findChild<QLabel *>(QString::fromLatin1(n));
    const int step = labels[1]->y() - labels[0]->y();
    QVERIFY(step >= labels[0]->height());
    for (int i = 1; i < 7; ++i) {
        QCOMPARE(labels[i]->x(), labels[0]->x());
        QCOMPARE(labels[i]->y() - labels[i - 1]->y(), step);
    }
}

void TestAuxWindows::legend_fixedSizeBesideMainWindow()
{
    m_aux->showLegend(Language::Danish);
    LegendWindow *w = m_aux->legend(Language::Danish);
    QVERIFY(isFixedSize(w));
    QVERIFY(hasNoMinMaxButtons(w));
    QVERIFY(!w->parentWidget());
    QVERIFY(!w->windowHandle()->transientParent());

    // Beside the main window, which opens in the middle of the screen; and on the screen.
    const QRect avail = w->screen()->availableGeometry();
    const QRect placed(w->pos(), w->size());
    QVERIFY(avail.contains(placed));
    QVERIFY(placed.center().x() > avail.center().x());

    // Dark blue symbols, each fitting its label.
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        const QColor colour = label->palette().color(QPalette::WindowText);
        QVERIFY(colour.blue() > colour.red() && colour.blue() > colour.green());
        QVERIFY(colour.value() < 192);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
}

void TestAuxWindows::legend_openedTwice_staysOneModelessWindow()
{
    m_aux->showLegend(Language::English);
    LegendWindow *first = m_aux->legend(Language::English);
    QVERIFY(!QApplication::activeModalWidget());
    m_aux->showLegend(Language::English);
    QCOMPARE(m_aux->legend(Language::English), first);

    int legends = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        legends += w->objectName() == QLatin1String("UKSignaturForm");
    QCOMPARE(legends, 1);
    QVERIFY(first->isVisible());

    // Closed by its close box and asked for again: the same window comes back.
    first->close();
    m_aux->showLegend(Language::English);
    QCOMPARE(m_aux->legend(Language::English), first);
    QVERIFY(first->isVisible());
}

void TestAuxWindows::legend_closeClosesOnlyThatLanguage()
{
    m_aux->showLegend(Language::Danish);
    m_aux->showLegend(Language::English);
    m_aux->closeLegend(Language::Danish);
    QVERIFY(!m_aux->legend(Language::Danish)->isVisible());
    QVERIFY(m_aux->legend(Language::English)->isVisible());
    m_aux->closeLegend(Language::Danish); // closing a closed one is harmless
    AuxWindows fresh;
    fresh.closeLegend(Language::English); // so is closing one never opened
    QVERIFY(!fresh.legend(Language::English));
}

void TestAuxWindows::aboutProgram_showsTheBuildsVersion()
{
    QString version;
    m_watchdog->expect([&](QWidget *modal) {
        version = modal->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        ModalWatchdog::dismiss(modal);
    });
    m_aux->showAboutProgram(m_main.get());
    QCOMPARE(m_watchdog->pending(), 0);
    QVERIFY2(version.endsWith(QStringLiteral(" " KVR_EXPECTED_VERSION)), qPrintable(version));
}

void TestAuxWindows::aboutProgram_isModalAndCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << QStringLiteral("click");
    QTest::newRow("Enter") << QStringLiteral("enter");
    QTest::newRow("Esc") << QStringLiteral("escape");
}

void TestAuxWindows::aboutProgram_isModalAndCloses()
{
    QFETCH(QString, how);
    QWidget *seen = nullptr;
    bool blocksMain = false;
    QPushButton *ok = nullptr;
    m_watchdog->expect([&](QWidget *modal) {
        seen = modal;
        blocksMain = QApplication::activeModalWidget() == modal && !m_main->isActiveWindow();
        ok = modal->findChild<QPushButton *>(QStringLiteral("OK"));
        if (!ok)
            return; // the watchdog closes it
        if (how == QLatin1String("click"))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(modal, how == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
    });
    m_aux->showAboutProgram(m_main.get());
    QCOMPARE(m_watchdog->pending(), 0);
    QCOMPARE(seen, m_aux->aboutProgram());
    QVERIFY(seen->objectName() == QLatin1String("OmForm"));
    QVERIFY(blocksMain);
    QVERIFY(isFixedSize(seen));
    QVERIFY(hasNoMinMaxButtons(seen));
    QVERIFY(atItsOwnSize(seen, "Image1"));
    QVERIFY(ok && ok->isDefault());
    QVERIFY(inLowerRightCorner(seen, ok->geometry()));
    QVERIFY(!seen->isVisible());
    QVERIFY2(m_watchdog->unexpected().isEmpty(), qPrintable(failures(*m_watchdog)));
    QCOMPARE(static_cast<QDialog *>(seen)->result(), int(QDialog::Accepted) * (how != "escape"));

    // Asked again: the same window.
    m_watchdog->expect([&](QWidget *modal) {
        QCOMPARE(modal, seen);
        ModalWatchdog::dismiss(modal);
    });
    m_aux->showAboutProgram(m_main.get());
    QCOMPARE(m_watchdog->pending(), 0);
}

void TestAuxWindows::aboutMaker_fitsEachLanguagesTexts()
{
    QFETCH(Language, language);
    QFETCH(QString, aboutMakerName);
    m_aux->showAboutMaker(language, false, m_main.get());
    AboutMakerWindow *w = m_aux->aboutMaker(language);
    QCOMPARE(w->objectName(), aboutMakerName);
    QVERIFY(isFixedSize(w));
    QVERIFY(hasNoMinMaxButtons(w));
    QVERIFY(atItsOwnSize(w, "Image1"));

    // Two offices, in one font size.
    QList<qreal> officeSizes;
    for (const QGroupBox *g : w->findChildren<QGroupBox *>())
        for (const QLabel *line : g->findChildren<QLabel *>())
            officeSizes << line->font().pointSizeF();
    QCOMPARE(w->findChildren<QGroupBox *>().size(), 2);
    QCOMPARE(officeSizes.size(), 8);
    QCOMPARE(officeSizes.count(officeSizes.first()), 8);

    auto *ok = w->findChild<QPushButton *>(QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(inLowerRightCorner(w, ok->geometry()));

    // The resold product's paragraph and link belong to the Danish window only.
    QCOMPARE(w->findChild<LinkLabel *>(QStringLiteral("Label3")) != nullptr,
             language == Language::Danish);

    // Every text fits the fixed window: inside it, and inside its label.
    for (const QLabel *l : w->findChildren<QLabel *>()) {
        const QRect inWindow(l->mapTo(w, QPoint()), l->size());
        QVERIFY2(w->rect().contains(inWindow), qPrintable(l->objectName()));
        if (!l->wordWrap())
            QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(),
                     qPrintable(l->objectName()));
    }
}

void TestAuxWindows::aboutMaker_modalFromInfoMenu_modelessFromEditMenu()
{
    m_aux->showAboutMaker(Language::Danish, false, m_main.get());
    AboutMakerWindow *w = m_aux->aboutMaker(Language::Danish);
    QVERIFY(w->isVisible());
    QVERIFY(!w->isModal());
    // While it is open the Info menu brings it to the front as it is. This must return at
    // once: the watchdog would report a modal window.
    m_aux->showAboutMaker(Language::Danish, true, m_main.get());
    QCOMPARE(m_aux->aboutMaker(Language::Danish), w);
    QVERIFY(w->isVisible());
    QVERIFY(!QApplication::activeModalWidget());

    // Closed with Esc, the Info menu opens it modal; Enter closes it.
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    m_watchdog->expect([&](QWidget *modal) {
        QCOMPARE(modal, w);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    m_aux->showAboutMaker(Language::Danish, true, m_main.get());
    QCOMPARE(m_watchdog->pending(), 0);
    QVERIFY(!w->isVisible());

    // And after that, the Edit menu opens it modeless.
    m_aux->showAboutMaker(Language::Danish, false, m_main.get());
    QVERIFY(w->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestAuxWindows::aboutMaker_modeless_outlivesItsMainWindow()
{
    // Seen modal once (owned by the main window) and then modeless: no owner is left over.
    m_watchdog->expect([](QWidget *modal) { ModalWatchdog::dismiss(modal); });
    m_aux->showAboutMaker(Language::English, true, m_main.get());
    m_aux->showAboutMaker(Language::English, false, m_main.get());
    AboutMakerWindow *w = m_aux->aboutMaker(Language::English);
    QVERIFY(!w->windowHandle()->transientParent());

    // The program runs its event loop; the user closes the main window, later the about one.
    bool mainClosed = false;
    bool aboutOpenAtEnd = true;
    int ends = 0;
    QTimer::singleShot(0, this, [&] {
        m_main->close();
        mainClosed = true;
        QTimer::singleShot(100, w, &QWidget::close);
    });
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [&] {
        ++ends;
        aboutOpenAtEnd = w->isVisible();
    });
    QTimer::singleShot(5000, qApp, &QCoreApplication::quit); // never hang
    QApplication::exec();
    disconnect(qApp, &QGuiApplication::lastWindowClosed, this, nullptr);

    QVERIFY(mainClosed);
    QCOMPARE(ends, 1);
    QVERIFY(!aboutOpenAtEnd); // the program ended with the about window, not before
}

void TestAuxWindows::aboutMaker_linkClick_handsLinkToDesktop_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QUrl>("link");
    const auto web = [](const texts::Office &o) { return QString::fromUtf8(o.web); };
    const auto webUrl = [](const texts::Office &o) { return QUrl(QString::fromUtf8(o.webUrl)); };
    const auto mail = [](const texts::Office &o) { return QString::fromUtf8(o.mail); };
    const auto mailUrl = [](const texts::Office &o) {
        return QUrl(QStringLiteral("mailto:") + QString::fromUtf8(o.mail));
    };
    using texts::AmericaOffice;
    using texts::EuropeOffice;
    // clang-format off
    QTest::newRow("da Europe web") << Language::Danish << "Label1" << web(EuropeOffice) << webUrl(EuropeOffice);
    QTest::newRow("da Europe mail") << Language::Danish << "Label2" << mail(EuropeOffice) << mailUrl(EuropeOffice);
    QTest::newRow("da USA web") << Language::Danish << "Label24" << web(AmericaOffice) << webUrl(AmericaOffice);
    QTest::newRow("da USA mail") << Language::Danish << "Label23" << mail(AmericaOffice) << mailUrl(AmericaOffice);
    QTest::newRow("da resold product")
        << Language::Danish << "Label3" << QString::fromUtf8(texts::ResoldProductWeb)
        << QUrl(QString::fromUtf8(texts::ResoldProductUrl));
    QTest::newRow("en Europe web") << Language::English << "Label1" << web(EuropeOffice) << webUrl(EuropeOffice);
    QTest::newRow("en Europe mail") << Language::English << "Label13" << mail(EuropeOffice) << mailUrl(EuropeOffice);
    QTest::newRow("en USA web") << Language::English << "Label24" << web(AmericaOffice) << webUrl(AmericaOffice);
    QTest::newRow("en USA mail") << Language::English << "Label23" << mail(AmericaOffice) << mailUrl(AmericaOffice);
    // clang-format on
}

void TestAuxWindows::aboutMaker_linkClick_handsLinkToDesktop()
{
    QFETCH(Language, language);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    QFETCH(QUrl, link);
    LinkCatcher desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &desktop, "open");
    const auto unset = qScopeGuard([] {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    });

    m_aux->showAboutMaker(language, false, m_main.get());
    auto *l = m_aux->aboutMaker(language)->findChild<LinkLabel *>(label);
    QVERIFY(l);
    QCOMPARE(l->text(), shown); // the bare address, without its scheme
    QTest::mouseClick(l, Qt::LeftButton);
    QCOMPARE(desktop.opened, QList<QUrl>{link});
    QVERIFY(m_aux->aboutMaker(language)->isVisible());
}

void TestAuxWindows::closeAll_closesEveryWindow()
{
    m_aux->showLegend(Language::Danish);
    m_aux->showLegend(Language::English);
    m_aux->showAboutMaker(Language::Danish, false, m_main.get());
    m_watchdog->expect([](QWidget *modal) { ModalWatchdog::dismiss(modal); });
    m_aux->showAboutProgram(m_main.get());
    QPointer<QWidget> legend = m_aux->legend(Language::Danish);
    QPointer<QWidget> maker = m_aux->aboutMaker(Language::Danish);
    QPointer<QWidget> version = m_aux->aboutProgram();

    m_aux->closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!legend && !maker && !version);
    QVERIFY(!m_aux->legend(Language::English) && !m_aux->aboutMaker(Language::Danish) &&
            !m_aux->aboutProgram());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible() || w == m_main.get(), qPrintable(w->objectName()));

    // The set works again afterwards.
    m_aux->showLegend(Language::Danish);
    QVERIFY(m_aux->legend(Language::Danish)->isVisible());
}

void TestAuxWindows::artwork_loadsWithItsSize_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file : {"endmill", "drill", "tap", "scene", "omform", "kovrin", "icon"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

void TestAuxWindows::artwork_loadsWithItsSize()
{
    // Each picture has a size of its own, at which the windows draw it one to one, and is
    // drawn at every screen scale from it.
    QFETCH(QString, file);
    const QImage image(QStringLiteral(":/pictures/%1@1x.png").arg(file));
    const QSize size = image.size();
    QVERIFY(!size.isEmpty());
    for (double scale : {1.25, 1.5, 2.0, 3.0}) {
        const QImage scaled(QStringLiteral(":/pictures/%1@%2x.png").arg(file).arg(scale));
        QCOMPARE(scaled.size(), QSize(qCeil(size.width() * scale), qCeil(size.height() * scale)));
    }

    // Something is drawn: not a blank picture.
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 0;
    QVERIFY2(opaque > image.width() * image.height() / 4, qPrintable(QString::number(opaque)));
}

QTEST_MAIN(TestAuxWindows)
#include "tst_auxwindows.moc"
