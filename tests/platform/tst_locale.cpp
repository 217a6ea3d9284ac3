// SPDX-License-Identifier: MIT
#include "platform/locale.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cstdio>

// Each row starts this program again with the row's locale variables, as a user's session
// would set them, and reads the separators the child found.
class TestLocale : public QObject
{
    Q_OBJECT

private slots:
    void userNumberLocale_followsNumberLocaleOnly_data();
    void userNumberLocale_followsNumberLocaleOnly();
};

void TestLocale::userNumberLocale_followsNumberLocaleOnly_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("decimal");

    // The monetary separator never decides: it once made 1.5 read as 15.
    QTest::newRow("Danish") << QStringList{"LANG=da_DK.UTF-8"} << ",";
    // clang-format off
    QTest::newRow("US English") << QStringList{"LANG=en_US.UTF-8"} << ".";
    QTest::newRow("C") << QStringList{"LANG=C.UTF-8"} << ".";
    QTest::newRow("POSIX over all") << QStringList{"LANG=da_DK.UTF-8", "LC_ALL=POSIX"} << ".";
    QTest::newRow("Danish, US money") << QStringList{"LANG=da_DK.UTF-8", "LC_MONETARY=en_US.UTF-8"} << ",";
    QTest::newRow("US, Danish money") << QStringList{"LANG=en_US.UTF-8", "LC_MONETARY=da_DK.UTF-8"} << ".";
    QTest::newRow("Persian: U+066B is no point nor comma") << QStringList{"LANG=fa_IR.UTF-8"} << ".";
    // clang-format on
}

void TestLocale::userNumberLocale_followsNumberLocaleOnly()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, decimal);

    QProcess child;
    QStringList env = QProcess::systemEnvironment().filter(QRegularExpression("^(?!LC_|LANG)"));
    child.setEnvironment(env + environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-separators")});
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).left(1), decimal);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--print-separators") == 0) {
        const calc::NumberLocale locale = platform::userNumberLocale();
        const QString text = QString(locale.decimal) + QString(locale.group);
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }
    TestLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_locale.moc"
