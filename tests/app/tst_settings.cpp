#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "TestEnv.h"
#include "base/Settings.h"

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetSettingsStore(); }

    void booleanForms_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("expected");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("lower true") << "true" << true;
        QTest::newRow("upper FALSE") << "FALSE" << false;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("7") << "7" << true;
        QTest::newRow("padded") << " 0 " << false;
    }
    void booleanForms()
    {
        QFETCH(QString, stored);
        QFETCH(bool, expected);
        SaveSetting("Config", "FullIns", stored);
        QCOMPARE(Setting::Bool("Config", "FullIns"), expected);
    }

    void nonNumbersAreErrors_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("word") << "yes";
        QTest::newRow("empty") << "";
        QTest::newRow("garbage") << "12abc";
    }
    void nonNumbersAreErrors()
    {
        QFETCH(QString, stored);
        SaveSetting("Config", "LoadDir", stored);
        try {
            Setting::Int("Config", "LoadDir");
            QFAIL("a non-number was read as a number");
        } catch (const SettingsError& e) {
            QCOMPARE(e.message(), QStringLiteral("13: Type mismatch"));
        }
        QVERIFY_THROWS_EXCEPTION(SettingsError, Setting::Bool("Config", "LoadDir"));
    }

    void defaultsForAbsentKeys()
    {
        QCOMPARE(Setting::Bool("Config", "Instance"), true);
        QCOMPARE(Setting::Bool("Config", "Whitespace"), false);
        QCOMPARE(Setting::Int("Config", "LoadDir"), 1);
        QCOMPARE(Setting::Int("Config", "LoadDir", DefaultsFor::OptionsDialog), -1);
        QCOMPARE(Setting::Int("Config", "Dock"), 3);
        QCOMPARE(Setting::Float("Config", "MainLeft"), 1000.0);
        QCOMPARE(Setting::String("MRU", "3"), QString());
        QCOMPARE(Setting::Int("Syntax", "TagFG"), 16711680);
        QCOMPARE(Setting::Int("Syntax", "TagFG", DefaultsFor::OptionsDialog), 10485760);
        QCOMPARE(Setting::Int("Syntax", "ValFG", DefaultsFor::OptionsDialog), 8421440);
        QCOMPARE(Setting::String("Syntax", "DefFont"), QStringLiteral("Courier"));
        // A boolean default becomes its text form.
        QCOMPARE(GetSetting("Config", "Nothing", true), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Nothing", 1000), QStringLiteral("1000"));
        // Nothing was written by reading.
        QVERIFY(!QFile::exists(SettingsStore::FilePath()));
    }

    void emptyValueIsKept()
    {
        SaveSetting("Config", "Tool1", "");
        QCOMPARE(GetSetting("Config", "Tool1", "fallback"), QString());
        SaveSetting("MRU", "1", "/home/u/a,b.html");
        QCOMPARE(GetSetting("MRU", "1"), QStringLiteral("/home/u/a,b.html"));
    }

    void sizeWithTrailingBlank()
    {
        SaveSetting("Syntax", "DefSize", "12 ");
        QCOMPARE(Setting::Int("Syntax", "DefSize"), 12);
    }

    void floatsAreShortest_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1000.0 << "1000";
        QTest::newRow("half") << 11265.5 << "11265.5";
        QTest::newRow("large") << 100000.0 << "100000";
        QTest::newRow("negative") << -15.0 << "-15";
    }
    void floatsAreShortest()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(SettingText::FromFloat(value), text);
    }

    void storeLivesInXdgConfig()
    {
        SaveSetting("Config", "Splash", "0");
        const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/QRN/QRN.conf";
        QCOMPARE(SettingsStore::FilePath(), expected);
        QSettings raw(expected, QSettings::IniFormat);
        QCOMPARE(raw.value("Config/Splash").toString(), QStringLiteral("0"));
    }

    void secondProcessWriteIsSeen()
    {
        QCOMPARE(GetSetting("Config", "Command", ""), QString());
        // Another process writes the hand-over slot while this one holds the store open.
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QRN_CHILD_WRITE", "Config/Command=\"/tmp/x y.html\"");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(GetSetting("Config", "Command", ""), QStringLiteral("\"/tmp/x y.html\""));
        SaveSetting("Config", "Command", "");
        QCOMPARE(GetSetting("Config", "Command", "x"), QString());
    }
};

int main(int argc, char** argv)
{
    // Child mode: write one value and end.
    const QByteArray write = qgetenv("QRN_CHILD_WRITE");
    if (!write.isEmpty()) {
        QCoreApplication app(argc, argv);
        const QString spec = QString::fromUtf8(write);
        const int slash = spec.indexOf('/');
        const int eq = spec.indexOf('=');
        SaveSetting(spec.left(slash), spec.mid(slash + 1, eq - slash - 1), spec.mid(eq + 1));
        return 0;
    }
    QApplication app(argc, argv);
    TestSettings t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_settings.moc"
