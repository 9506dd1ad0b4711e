#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "TestEnv.h"
#include "base/Settings.h"

namespace {
constexpr int kMismatch = -13;   // the reader threw "13: Type mismatch"
}

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetSettingsStore(); }

    // Stored texts as switches and numbers: True/False in any case, numbers with blanks around.
    void storedForms_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("asBool");
        QTest::addColumn<int>("asInt");
        const int no = kMismatch;
        for (auto [stored, b, i] : std::initializer_list<std::tuple<const char*, int, int>>{
                 {"True", 1, no}, {"False", 0, no}, {"true", 1, no}, {"FALSE", 0, no}, {"-1", 1, -1}, {"0", 0, 0},
                 {"1", 1, 1}, {"7", 1, 7}, {" 0 ", 0, 0}, {"12 ", 1, 12}, {"yes", no, no}, {"", no, no},
                 {"12abc", no, no}})
            QTest::addRow("'%s'", stored) << QString(stored) << b << i;
    }
    void storedForms()
    {
        QFETCH(QString, stored);
        QFETCH(int, asBool);
        QFETCH(int, asInt);
        SaveSetting("Config", "LoadDir", stored);
        const auto read = [](auto get) -> int {
            try {
                return int(get());
            } catch (const SettingsError& e) {
                return e.message() == "13: Type mismatch" ? kMismatch : -99;
            }
        };
        QCOMPARE(read([] { return Setting::Bool("Config", "LoadDir"); }), asBool);
        QCOMPARE(read([] { return Setting::Int("Config", "LoadDir"); }), asInt);
    }

    // Absent keys read as their defaults (the options dialog has its own for some); reading writes nothing.
    void defaultsForAbsentKeys()
    {
        QCOMPARE(Setting::Int("Config", "LoadDir"), 1);
        QCOMPARE(Setting::Int("Config", "LoadDir", DefaultsFor::OptionsDialog), -1);
        QCOMPARE(Setting::String("MRU", "3"), QString());
        QCOMPARE(GetSetting("Config", "Nothing", true), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Nothing", 1000), QStringLiteral("1000"));
        QVERIFY(!QFile::exists(SettingsStore::FilePath()));
    }

    // Values are kept as given, empty or with a comma, in QRN/QRN.conf under XDG_CONFIG_HOME.
    void valuesKeptAsGiven()
    {
        SaveSetting("Config", "Tool1", "");
        QCOMPARE(GetSetting("Config", "Tool1", "fallback"), QString());
        SaveSetting("MRU", "1", "/home/u/a,b.html");
        QCOMPARE(GetSetting("MRU", "1"), QStringLiteral("/home/u/a,b.html"));
        SaveSetting("Config", "Splash", "0");
        const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/QRN/QRN.conf";
        QCOMPARE(SettingsStore::FilePath(), expected);
        QCOMPARE(QSettings(expected, QSettings::IniFormat).value("Config/Splash").toString(), QStringLiteral("0"));
    }

    void floatsAreShortest()
    {
        for (auto [value, text] : QList<std::pair<double, QString>>{
                 {1000.0, "1000"}, {11265.5, "11265.5"}, {100000.0, "100000"}, {-15.0, "-15"}})
            QCOMPARE(SettingText::FromFloat(value), text);
    }

    // Another process writes the hand-over slot while this one holds the store open.
    void secondProcessWriteIsSeen()
    {
        QCOMPARE(GetSetting("Config", "Command", ""), QString());
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QRN_CHILD_WRITE", "\"/tmp/x y.html\"");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(GetSetting("Config", "Command", ""), QStringLiteral("\"/tmp/x y.html\""));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("QRN_CHILD_WRITE")) {   // child mode: write the hand-over slot and end
        QCoreApplication app(argc, argv);
        SaveSetting("Config", "Command", qEnvironmentVariable("QRN_CHILD_WRITE"));
        return 0;
    }
    QApplication app(argc, argv);
    TestSettings t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_settings.moc"
