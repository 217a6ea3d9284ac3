#include "platform/locale.h"

#include <QCoreApplication>
#include <QTest>

#include <clocale>

// Runs with LC_ALL set per case; the process's own locale must not follow.
class TestLocale : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qputenv("LC_ALL", m_savedLcAll); }

    void getLocaleText_monetarySeparator_data();
    void getLocaleText_monetarySeparator();
    void getLocaleText_unreadable_givesNulText_data();
    void getLocaleText_unreadable_givesNulText();
    void systemNumberLocale_followsTheUsersLocale();

private:
    QByteArray m_savedLcAll = qgetenv("LC_ALL");
};

namespace {

bool LocaleInstalled(const char *name)
{
    const locale_t locale = newlocale(LC_MONETARY_MASK, name, locale_t(nullptr));
    if (locale == locale_t(nullptr))
        return false;
    freelocale(locale);
    return true;
}

} // namespace

void TestLocale::getLocaleText_monetarySeparator_data()
{
    QTest::addColumn<QByteArray>("localeName");
    QTest::addColumn<QString>("separator");

    QTest::newRow("Danish") << QByteArray("da_DK.UTF-8") << QStringLiteral(",");
    QTest::newRow("US English") << QByteArray("en_US.UTF-8") << QStringLiteral(".");
    QTest::newRow("C locale, no separator") << QByteArray("C") << QString();
}

void TestLocale::getLocaleText_monetarySeparator()
{
    QFETCH(QByteArray, localeName);
    QFETCH(QString, separator);
    if (!LocaleInstalled(localeName.constData()))
        QSKIP("Locale not installed (scripts/test.sh generates it).");

    const QByteArray processLocale = std::setlocale(LC_MONETARY, nullptr);
    qputenv("LC_ALL", localeName);
    QCOMPARE(platform::GetLocaleText(platform::LOCALE_SMONDECIMALSEP), separator);
    QCOMPARE(QByteArray(std::setlocale(LC_MONETARY, nullptr)), processLocale);
}

void TestLocale::getLocaleText_unreadable_givesNulText_data()
{
    QTest::addColumn<QByteArray>("localeName");
    QTest::addColumn<int>("lcType");

    QTest::newRow("unknown locale name") << QByteArray("xx_NOWHERE.UTF-8") << 22;
    QTest::newRow("setting other than 22") << QByteArray("C") << 14;
    QTest::newRow("negative setting") << QByteArray("C") << -1;
}

void TestLocale::getLocaleText_unreadable_givesNulText()
{
    QFETCH(QByteArray, localeName);
    QFETCH(int, lcType);

    qputenv("LC_ALL", localeName);
    const QString text = platform::GetLocaleText(lcType);
    QCOMPARE(text.size(), 1);
    QCOMPARE(text.at(0), QChar(0));
}

void TestLocale::systemNumberLocale_followsTheUsersLocale()
{
    // main() named Danish as the user's locale before the application started; Qt carries
    // its own locale data, so this holds whether or not the system has the locale.
    const calc::NumberLocale locale = platform::systemNumberLocale();
    QCOMPARE(locale.decimal, QLatin1Char(','));
    QCOMPARE(locale.group, QLatin1Char('.'));
}

int main(int argc, char **argv)
{
    qputenv("LC_ALL", "da_DK.UTF-8");
    QCoreApplication app(argc, argv);
    TestLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_locale.moc"
