#include <QSettings>
#include <QtTest>

#include "TestEnv.h"
#include "base/Settings.h"
#include "base/cCommonDialog.h"

namespace {
constexpr int kMismatch = -13;   // the reader threw "13: Type mismatch"
}

// The settings store, and the common dialogs' calls.
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

    // Labels give up their own pattern lists, "*.*" takes files without an ending, ":" splits as "|" does.
    void filterConversion()
    {
        QCOMPARE(cCommonDialog::QtNameFilters("ASP files (*.asp)|*.asp|CSS files (*.css)|*.css|HTML/SHTML files "
                                              "(*.htm*, *.shtm*)|*.htm*;*.shtm*|Javascript files (*.js)|*.js|"
                                              "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"),
                 (QStringList{"ASP files (*.asp)", "CSS files (*.css)", "HTML/SHTML files (*.htm* *.shtm*)",
                              "Javascript files (*.js)", "Text Files (*.txt)", "All Files (*)"}));
        QCOMPARE(cCommonDialog::QtNameFilters("Web: *.htm|Text|*.txt"), QStringList({"Web (*.htm)", "Text (*.txt)"}));
    }

    // One file gives its path and title; several give the folder with one trailing slash and the names separated
    // by NUL. What the program asks for and does with them: tst_fileops (File > Open and Save As), tst_snippetmenus
    // (the colour and font choosers, the image's file); what it does on Cancel, there and in tst_optionsdialog.
    void openResults()
    {
        ScriptedPrompter* prompter = ScriptedPrompter::install();
        QString name, title, filter;
        int index = 1, flags = 0;
        auto open = [&](const FileDialogResult& answer) {
            bool readOnly = false;
            prompter->queueFile(answer);
            return cCommonDialog().VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "",
                                                     nullptr, flags);
        };
        QVERIFY(open({true, {"/srv/www/one.html"}, 1}));
        QCOMPARE(name + "|" + title, QStringLiteral("/srv/www/one.html|one.html"));
        QVERIFY(open({true, {"/a.html", "/b.html"}, 0}));
        QCOMPARE(name + "|" + title, QStringLiteral("/|a.html") + QChar::Null + QStringLiteral("b.html"));
        QVERIFY(open({true, {"/srv/x y/a.html", "/srv/x y/b.html"}, 0}));
        QCOMPARE(name, QStringLiteral("/srv/x y/"));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
