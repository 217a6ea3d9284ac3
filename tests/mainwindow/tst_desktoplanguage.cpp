// SPDX-License-Identifier: MIT
// What a screen reader and Qt's own dialogs say, in the language of the open window.

#include "fixture.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrinter>

using fixture::RunningWindow;

class DesktopLanguage : public QObject
{
    Q_OBJECT

private slots:
    void accessibleNames_followCaptionsAndUnits_data();
    void accessibleNames_followCaptionsAndUnits();
    void printDialog_speaksTheWindowsLanguage();
};

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *item = QAccessible::queryAccessibleInterface(widget);
    return item ? item->text(QAccessible::Name) : QString();
}

} // namespace

void DesktopLanguage::accessibleNames_followCaptionsAndUnits_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("inch");   // the diameter field, inch units at load
    QTest::addColumn<QString>("metric"); // after the metric menu item
    // clang-format off
    QTest::newRow("English") << Language::English << u"Diameter (D) in inch"_s << u"Diameter (D) in mm"_s;
    QTest::newRow("Danish") << Language::Danish << u"Diameter (D) i tommer"_s << u"Diameter (D) i mm"_s;
    // clang-format on
}

void DesktopLanguage::accessibleNames_followCaptionsAndUnits()
{
    QFETCH(Language, language);
    QFETCH(QString, inch);
    QFETCH(QString, metric);
    RunningWindow s;
    fixture::sampleValues(s.values, false);
    s.values.units = calc::Units::Inch;
    QVERIFY(s.open(language, false));

    QCOMPARE(accessibleName(s.field(Field::Diameter)), inch);
    s.action(names::MetricItem)->trigger();
    QCOMPARE(accessibleName(s.field(Field::Diameter)), metric);
    // Every field, option and the CNC line has a name of its own.
    QSet<QString> names;
    for (QWidget *widget : s.window->findChildren<QWidget *>()) {
        if (!qobject_cast<QLineEdit *>(widget) && !qobject_cast<QRadioButton *>(widget))
            continue;
        const QString name = accessibleName(widget);
        QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
        names.insert(name);
    }
    QCOMPARE(names.size(), 14);
}

void DesktopLanguage::printDialog_speaksTheWindowsLanguage()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_da.qm"_s))
        QSKIP("Qt's Danish translations are not installed (scripts/test.sh installs them).");
    const auto printButton = [] {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        const auto *box = dialog.findChild<QDialogButtonBox *>();
        return box ? box->button(QDialogButtonBox::Ok)->text() : QString();
    };
    for (const auto &[language, print] :
         {std::pair{Language::Danish, u"&Udskriv"_s}, std::pair{Language::English, u"&Print"_s}}) {
        RunningWindow s;
        QVERIFY(s.openSample(language, language == Language::Danish));
        QCOMPARE(printButton(), print);
    }
}

QTEST_MAIN(DesktopLanguage)
#include "tst_desktoplanguage.moc"
