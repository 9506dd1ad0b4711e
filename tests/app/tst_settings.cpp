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
    ScriptedPrompter* prompter = nullptr;
    cCommonDialog d;
    QString name, title, filter;
    int index = 1, flags = 0;

    bool open(const FileDialogResult& answer)
    {
        bool readOnly = false;
        prompter->queueFile(answer);
        return d.VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "", nullptr, flags);
    }

private slots:
    void init()
    {
        ResetSettingsStore();
        prompter = ScriptedPrompter::install();
        d = cCommonDialog();
        name = title = filter = QString(), index = 1, flags = 0;
    }

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

    // A cancelled open clears what it hands back; the user saw the name and the filter, 0-based.
    // One file gives its path, title and the chosen filter 1-based and NUL-joined;
    // several give the folder with one trailing slash and the names separated by NUL.
    void openResults()
    {
        name = "x.html", title = "t", filter = "A|*.a|B|*.b", index = 2, flags = 4;
        QVERIFY(!open({}));
        QCOMPARE(QStringList({name, title, filter}), QStringList(3, QString()));
        QCOMPARE(QList<int>({index, flags, d.APIReturn(), d.ExtendedError()}), QList<int>({-1, 0, 0, 0}));
        const FileDialogRequest& r = prompter->asked.last().file;
        QVERIFY(r.multiSelect && r.mustExist);
        QCOMPARE(r.fileName + "|" + QString::number(r.filterIndex), QStringLiteral("x.html|1"));

        filter = "A|*.a|B|*.b";
        QVERIFY(open({true, {"/srv/www/one.html"}, 1}));
        QCOMPARE(name + "|" + title, QStringLiteral("/srv/www/one.html|one.html"));
        QCOMPARE(filter, QStringLiteral("B") + QChar::Null + QStringLiteral("*.b"));
        QCOMPARE(QList<int>({index, d.APIReturn()}), QList<int>({2, 1}));
        QVERIFY((flags & cCommonDialog::OFN_MULTISELECT) && (flags & cCommonDialog::OFN_FILEMUSTEXIST));
        QVERIFY(open({true, {"/a.html", "/b.html"}, 0}));
        QCOMPARE(name + "|" + title, QStringLiteral("/|a.html") + QChar::Null + QStringLiteral("b.html"));
        QVERIFY(open({true, {"/srv/x y/a.html", "/srv/x y/b.html"}, 0}));
        QCOMPARE(name, QStringLiteral("/srv/x y/"));
    }

    // A cancelled save clears the name but keeps the filter; the user was asked before overwriting.
    void saveCancelKeepsFilter()
    {
        name = "Document 4", filter = "A|*.a";
        prompter->queueFile({});
        QVERIFY(!d.VBGetSaveFileName(name, title, true, filter, index, "", "", "", nullptr, flags));
        QCOMPARE(name + "|" + filter, QStringLiteral("|A|*.a"));
        QCOMPARE(QList<int>({index, flags}), QList<int>({0, 0}));
        QVERIFY(prompter->asked.last().file.overwritePrompt && prompter->asked.last().file.save);
    }

    // The colour dialog starts at the given colour and hands back a reference, -1 when cancelled;
    // custom colours start from the desktop's and ignore indexes out of range.
    // A cancelled font dialog keeps the font, a confirmed one sets it.
    void colourAndFontDialogs()
    {
        int colour = 0x00FF00;
        prompter->queueColor(std::nullopt);
        QVERIFY(!d.VBChooseColor(colour));
        QCOMPARE(colour, -1);
        colour = 255;
        prompter->queueColor(QColor(0x12, 0x34, 0x56));
        QVERIFY(d.VBChooseColor(colour));
        QCOMPARE(colour, 0x12 + 256 * 0x34 + 65536 * 0x56);
        QCOMPARE(prompter->asked.last().text, QStringLiteral("#ff0000"));
        d.SetCustomColor(16, 5);
        QCOMPARE(QList<int>({d.CustomColor(16), d.CustomColor(-1)}), QList<int>({-1, -1}));
        QVERIFY(d.CustomColor(0) >= 0);

        cCommonDialog::Font font{"Courier", 12};
        int dc = -1;   // no printer
        prompter->queueFont(std::nullopt);
        QVERIFY(!d.VBChooseFont(font, dc, nullptr, colour, 0, 0, flags));
        QCOMPARE(font.name + " " + QString::number(font.size), QStringLiteral("Courier 12"));
        prompter->queueFont(QFont("DejaVu Sans Mono", 14, QFont::Bold, true));
        QVERIFY(d.VBChooseFont(font, dc, nullptr, colour, 0, 0, flags));
        QCOMPARE(QVariantList({font.name, font.size, font.bold, font.italic, font.underline}),
                 QVariantList({"DejaVu Sans Mono", 14.0, true, true, false}));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
