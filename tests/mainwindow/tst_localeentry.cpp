// SPDX-License-Identifier: MIT
// From the user's locale variables to the number read: each row starts this program again
// with the row's variables, types a diameter into the real window there and reads back what
// the window shows and what the next start reads from the file it saved.

#include "fixture.h"
#include "platform/locale.h"
#include "settings/startup.h"

#include <QProcess>
#include <QRegularExpression>

#include <cstdio>

using platform::userNumberLocale;

class LocaleEntry : public QObject
{
    Q_OBJECT

private slots:
    void typedDiameter_readsAsItLooks_data();
    void typedDiameter_readsAsItLooks();
};

void LocaleEntry::typedDiameter_readsAsItLooks_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("comma");
    const QList<std::pair<const char *, QStringList>> settings{
        {"Danish", {"LANG=da_DK.UTF-8"}},
        {"US English", {"LANG=en_US.UTF-8"}},
        {"C", {"LANG=C.UTF-8"}},
        {"POSIX", {"LANG=da_DK.UTF-8", "LC_ALL=POSIX"}},
        {"Danish, US money", {"LANG=da_DK.UTF-8", "LC_MONETARY=en_US.UTF-8"}},
        {"US, Danish money", {"LANG=en_US.UTF-8", "LC_MONETARY=da_DK.UTF-8"}},
        {"Persian, U+066B", {"LANG=fa_IR.UTF-8"}}};
    for (const auto &[name, environment] : settings) {
        const bool comma = QString::fromUtf8(name).startsWith(u"Danish"_s);
        for (const char *typed : {"1.5", "1,5"})
            QTest::addRow("%s, %s", name, typed) << (environment + QStringList{typed}) << comma;
    }
}

void LocaleEntry::typedDiameter_readsAsItLooks()
{
    QFETCH(QStringList, environment);
    QFETCH(bool, comma);
    const QString typed = environment.takeLast();
    QProcess child;
    child.setEnvironment(
        QProcess::systemEnvironment().filter(QRegularExpression(u"^(?!LC_|LANG)"_s)) + environment);
    child.start(QCoreApplication::applicationFilePath(), {u"--type"_s, typed});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    const QStringList shown = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    QCOMPARE(shown.value(0), fixture::numberText("1,5", comma));
    QCOMPARE(shown.value(1), u"S10610 M03 F3183.1 (1.5 FR 3 SK)"_s);
    QCOMPARE(shown.value(2), fixture::numberText("10610,33", comma));
    QCOMPARE(shown.value(3), fixture::numberText("1,5", comma));
}

namespace {

// The child: the real window, in the locale its variables name.
int typeDiameter(const QString &typed)
{
    const QTemporaryDir folder;
    const auto start = [&folder] {
        return settings::startUp(folder.path(), {}, settings::ProgramLayout::Portable,
                                 userNumberLocale());
    };
    settings::Start first = start();
    fixture::sampleValues(first.settings, userNumberLocale().decimal == u',');
    session::Session engine(first.settings, userNumberLocale(), first.file);
    MainWindow window(Language::Danish, engine);
    window.load();
    window.show();
    if (!fixture::activate(&window))
        return 1;
    auto *diameter = window.findChild<EntryField *>(names::field(Field::Diameter));
    QTest::mouseClick(diameter, Qt::LeftButton, {}, QPoint(5, diameter->height() / 2));
    QTest::keyClicks(diameter, typed);
    QTest::keyClick(diameter, Qt::Key_Return);
    const QString shown =
        diameter->text() + u'\n' + window.findChild<EntryField *>(names::CncLine)->text() + u'\n' +
        window.findChild<EntryField *>(names::field(Field::SpindleSpeed))->text() + u'\n' +
        start().settings.mill[Field::Diameter];
    std::fputs(shown.toUtf8().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--type") == 0)
        return typeDiameter(QString::fromUtf8(argv[2]));
    LocaleEntry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_localeentry.moc"
