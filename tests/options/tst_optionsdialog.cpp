#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QFontInfo>
#include <QtTest>

#include "base/cCommonDialog.h"
#include <Qsci/qscilexerhtml.h>

#include "TestEnv.h"
#include "base/Settings.h"
#include "document/CodeMax1.h"
#include "document/ColourScheme.h"
#include "options/frmOptions.h"

namespace {
QMap<QString, QString> storeContents()
{
    QSettings s(SettingsStore::FilePath(), QSettings::IniFormat);
    QMap<QString, QString> m;
    for (const QString& k : s.allKeys())
        m.insert(k, s.value(k).toString());
    return m;
}

template <class T>
T* child(QWidget* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}

// Which of OK and Apply are enabled.
QString buttons(frmOptions& d)
{
    return QString(child<QPushButton>(&d, "cmdOK")->isEnabled() ? "OK" : "") +
           (child<QPushButton>(&d, "cmdApply")->isEnabled() ? " Apply" : "");
}

QColor rgb(int ref) { return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF); }

// Makes a change and takes it back, which still lets Apply write every page.
void touch(frmOptions& d) { child<QCheckBox>(&d, "chkSplash")->toggle(), child<QCheckBox>(&d, "chkSplash")->toggle(); }
} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    const QStringList tidyKeys{"Tidy0Indent", "Tidy1Omit", "Tidy2Upper", "Tidy3Clean", "Tidy4Quiet", "Tidy5Bare",
                               "Tidy6Xhtml"};

    // Opens Tools > Options in the running main window and lets fn work the dialog.
    void runOptions(frmMain* m, std::function<void(frmOptions*)> fn)
    {
        prompter->queueDialog([fn](QDialog* d) {
            fn(qobject_cast<frmOptions*>(d));
            return d->result();
        });
        m->Action("mnuToolsOptions")->trigger();
    }

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
        OptFullIns = true;
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        QCOMPARE(prompter->pendingAnswers(), 0);
    }

    // Each kind's colours: the documents' defaults differ from the dialog's, and Apply makes the dialog's current.
    void schemeDefaults_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("background");
        QTest::addColumn<int>("documentText");
        QTest::addColumn<int>("dialogText");
        QTest::addColumn<int>("lexerStyle");
        QTest::newRow("plain") << 0 << 16777215 << 0 << 0 << int(QsciLexerHTML::Default);
        QTest::newRow("tag") << 1 << 16777215 << 16711680 << 10485760 << int(QsciLexerHTML::Tag);
        QTest::newRow("attribute") << 2 << 16777215 << 10485760 << 16711680 << int(QsciLexerHTML::Attribute);
        QTest::newRow("value") << 3 << 16777215 << 33280 << 8421440 << int(QsciLexerHTML::HTMLDoubleQuotedString);
        QTest::newRow("comment") << 4 << 65535 << 255 << 255 << int(QsciLexerHTML::HTMLComment);
        QTest::newRow("entity") << 5 << 16777215 << 8421504 << 8421504 << int(QsciLexerHTML::Entity);
    }
    void schemeDefaults()
    {
        QFETCH(int, kind);
        QFETCH(int, background);
        QFETCH(int, documentText);
        QFETCH(int, dialogText);
        QFETCH(int, lexerStyle);
        CodeMax1* doc = StartMain()->ActiveDocument()->Editor();
        doc->SetLanguage("HTML");
        QCOMPARE(doc->lexer()->color(lexerStyle), rgb(documentText));
        QCOMPARE(doc->lexer()->paper(lexerStyle), rgb(background));
        frmOptions d;
        const KindColours sample = ColourScheme::ReadBack(d.Sample(), kind);
        QCOMPARE(QList<int>({sample.text, sample.background, sample.effect}), QList<int>({dialogText, background, 0}));
        touch(d);
        d.cmdApply_Click();   // the keys written are checked in applyWritesEveryPage
        QCOMPARE(doc->lexer()->color(lexerStyle), rgb(dialogText));
    }

    // The dialog opens unchanged; changes followed by Cancel write nothing.
    void opensUnchangedAndCancelWritesNothing()
    {
        SaveSetting("Syntax", "TagFG", "123");
        const auto before = storeContents();
        frmOptions d;
        QCOMPARE(buttons(d), QString());
        child<QCheckBox>(&d, "chkTidy1")->toggle();
        child<QLineEdit>(&d, "txtName3")->setText("Gimp");
        child<QComboBox>(&d, "cmbSize")->setCurrentIndex(4);
        QCOMPARE(buttons(d), QString("OK Apply"));
        child<QPushButton>(&d, "cmdCancel")->click();
        QCOMPARE(storeContents(), before);
        QVERIFY(!QFileInfo::exists(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                   "/applications"));
    }

    // On a fresh profile the font list shows the family "Courier" resolves to, each family once;
    // a Tidy switch stored as "1" shows as the run reads it (off); the sample lets the keyboard go.
    void syntaxFontTidySwitchAndSampleKeys()
    {
        SaveSetting("Config", "Tidy0Indent", "1");
        frmOptions d;
        auto* fonts = child<QComboBox>(&d, "cmbFont");
        QVERIFY(fonts->currentIndex() >= 0);
        QFont courier("Courier");
        courier.setStyleHint(QFont::TypeWriter);
        QCOMPARE(fonts->currentText(), cCommonDialog::FamilyName(QFont(QFontInfo(courier).family())));
        QStringList names;
        for (int i = 0; i < fonts->count(); ++i)
            names << fonts->itemText(i);
        QVERIFY(!names.join('|').contains('['));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        QVERIFY(!child<QCheckBox>(&d, "chkTidy0")->isChecked());

        d.show();
        auto* sample = child<CodeMax1>(&d, "CodeMax1");
        const QString text = sample->Text();
        sample->setFocus();
        QTest::keyClick(sample, Qt::Key_X);
        QTest::keyClick(sample, Qt::Key_Tab);
        QCOMPARE(sample->Text(), text);
        QVERIFY(!sample->hasFocus());
        sample->setFocus();
        QTest::keyClick(sample, Qt::Key_Backtab);
        QVERIFY(!sample->hasFocus());
        sample->setFocus();
        QTest::keyClick(sample, Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
    }

    // Neither choosing a kind nor a cancelled colour dialog enables OK or Apply.
    void choosingKindNeverEnablesButtons()
    {
        SaveSetting("Syntax", "CommEffect", "3");
        frmOptions d;
        auto* kinds = child<QComboBox>(&d, "cmbTag");
        for (int k : {4, 3, 5, 1}) {
            kinds->setCurrentIndex(k);
            QCOMPARE(buttons(d), QString());
        }
        prompter->queueColor(std::nullopt);   // a cancelled colour dialog changes nothing either
        QTest::mouseClick(child<ColourBox>(&d, "picCol1"), Qt::LeftButton);
        QCOMPARE(child<ColourBox>(&d, "picCol1")->Colour(), 16777215);
        QCOMPARE(ColourScheme::ReadBack(d.Sample(), 1).background, 16777215);
        QCOMPARE(buttons(d), QString());
        kinds->setCurrentIndex(4);   // the comment's stored effect and colours are shown
        QVERIFY(child<QCheckBox>(&d, "Bold")->isChecked() && child<QCheckBox>(&d, "Italic")->isChecked());
        QCOMPARE(child<ColourBox>(&d, "picCol0")->Colour(), 255);
        QCOMPARE(child<ColourBox>(&d, "picCol1")->Colour(), 65535);
        touch(d);
        d.cmdApply_Click();   // after Apply only OK is enabled, and choosing a kind keeps it that way
        kinds->setCurrentIndex(0);
        QCOMPARE(buttons(d), QString("OK"));
    }

    void colourAndEffectReachSettingsAndDocument()
    {
        frmMain* m = StartMain();
        CodeMax1* doc = m->ActiveDocument()->Editor();
        doc->SetLanguage("HTML");
        prompter->queueColor(QColor(0x12, 0x34, 0x56));   // the tag colour; the comment's effect is bold italic
        runOptions(m, [](frmOptions* d) {
            auto* kinds = child<QComboBox>(d, "cmbTag");
            kinds->setCurrentIndex(4);
            child<QCheckBox>(d, "Bold")->setChecked(true);
            child<QCheckBox>(d, "Italic")->setChecked(true);
            kinds->setCurrentIndex(1);
            d->picCol_Click(0);
            QCOMPARE(child<ColourBox>(d, "picCol0")->Colour(), 0x563412);
            QCOMPARE(d->Sample()->lexer()->color(QsciLexerHTML::Tag), QColor(0x12, 0x34, 0x56));
            child<QPushButton>(d, "cmdOK")->click();
        });
        QCOMPARE(GetSetting("Syntax", "CommEffect"), QStringLiteral("3"));
        QCOMPARE(GetSetting("Syntax", "TagFG"), QString::number(0x563412));
        QCOMPARE(QList<QColor>({doc->lexer()->color(QsciLexerHTML::Tag), doc->lexer()->color(QsciLexerHTML::UnknownTag)}),
                 QList<QColor>(2, QColor(0x12, 0x34, 0x56)));
        QVERIFY(doc->lexer()->font(QsciLexerHTML::HTMLComment).bold() && doc->lexer()->font(QsciLexerHTML::HTMLComment).italic());
    }

    // Apply writes every page: a stored size and the Tidy keys are shown and written back, the rest as defaults.
    void applyWritesEveryPage()
    {
        SaveSetting("Syntax", "DefSize", "12");
        for (int i = 0; i < 7; ++i)   // the Tidy defaults inverted
            SaveSetting("Config", tidyKeys[i], i % 2 || i == 6 ? "-1" : "0");
        frmOptions d;
        QCOMPARE(child<QComboBox>(&d, "cmbSize")->currentText(), QString("12 pt"));
        QCOMPARE(d.Sample()->Font().pointSize(), 12);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(child<QCheckBox>(&d, QStringLiteral("chkTidy%1").arg(i))->isChecked(), i % 2 || i == 6);
        touch(d);
        d.cmdApply_Click();
        QMap<QString, QString> expected{
            {"Syntax/PlainBG", "16777215"}, {"Syntax/PlainFG", "0"},        {"Syntax/PlainEffect", "0"},
            {"Syntax/TagBG", "16777215"},   {"Syntax/TagFG", "10485760"},   {"Syntax/TagEffect", "0"},
            {"Syntax/AttBG", "16777215"},   {"Syntax/AttFG", "16711680"},   {"Syntax/AttEffect", "0"},
            {"Syntax/ValBG", "16777215"},   {"Syntax/ValFG", "8421440"},    {"Syntax/ValEffect", "0"},
            {"Syntax/CommBG", "65535"},     {"Syntax/CommFG", "255"},       {"Syntax/CommEffect", "0"},
            {"Syntax/EntBG", "16777215"},   {"Syntax/EntFG", "8421504"},    {"Syntax/EntEffect", "0"},
            {"Syntax/DefSize", "12 "},      {"Config/Splash", "0"},         {"Config/LoadDir", "-1"},      {"Config/Session", "0"},
            {"Config/Dock", "3"},           {"Config/FullIns", "-1"},       {"Config/NewDoc", "0"},
            {"Config/Instance", "-1"},      {"Config/Tidy0Indent", "0"},    {"Config/Tidy1Omit", "-1"},
            {"Config/Tidy2Upper", "0"},     {"Config/Tidy3Clean", "-1"},    {"Config/Tidy4Quiet", "0"},
            {"Config/Tidy5Bare", "-1"},     {"Config/Tidy6Xhtml", "-1"},    {"Syntax/DefFont", "Courier"},
        };
        for (int n = 1; n <= 4; ++n) {
            expected.insert(QStringLiteral("Config/Tool%1").arg(n), QString());
            expected.insert(QStringLiteral("Config/ToolExe%1").arg(n), QString());
        }
        QCOMPARE(storeContents(), expected);
        QCOMPARE(buttons(d), QString("OK"));
        SaveSetting("Config", "Tidy3Clean", "0");   // OK writes every page again
        child<QPushButton>(&d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(GetSetting("Config", "Tidy3Clean"), QStringLiteral("-1"));
    }

    // General page: the flags change only on Apply; the sidebar moves to the right and stays hidden.
    void generalPageAndDock()
    {
        SaveSetting("Config", "LoadDir", "0");
        frmMain* m = StartMain();
        m->fctnViewSidebar(false);
        runOptions(m, [](frmOptions* d) {
            QVERIFY(!child<QCheckBox>(d, "chkDir")->isChecked() && child<QCheckBox>(d, "chkFullIns")->isChecked());
            child<QCheckBox>(d, "chkSplash")->setChecked(true);
            child<QCheckBox>(d, "chkFullIns")->setChecked(false);
            child<QRadioButton>(d, "Option11")->click();
            QVERIFY(OptFullIns);
            d->cmdApply_Click();
            QVERIFY(!OptFullIns);
            d->cmdCancel_Click();
        });
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::RightDockWidgetArea);
        QVERIFY(m->Picture1()->isHidden());
        QCOMPARE(GetSetting("Config", "Splash") + GetSetting("Config", "LoadDir") + GetSetting("Config", "Dock"),
                 QStringLiteral("-104"));
    }

    void userToolsRebuildMenu_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("storedName");
        QTest::newRow("exe only") << 2 << "" << "/opt/tools/NOTEPAD.EXE" << "Notepad";
        QTest::newRow("name only") << 1 << "Lint" << "" << "Lint";
        QTest::newRow("words, no dot") << 4 << "" << "/opt/my OWN tool" << "My Own Tool";
        QTest::newRow("both cleared") << 3 << "" << "" << "";
    }
    void userToolsRebuildMenu()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, exe);
        QFETCH(QString, storedName);
        const bool shown = !storedName.isEmpty();
        // Row 3 starts filled, so clearing it is a change; it is the only tool.
        SaveSetting("Config", "Tool3", "Old");
        SaveSetting("Config", "ToolExe3", "/bin/old");
        frmMain* m = StartMain();
        const auto tools = [m] {   // the four entries as "visible text data", and the separator
            QStringList out;
            for (int n = 1; n <= 4; ++n) {
                QAction* a = m->Action(QStringLiteral("mnuToolsE%1").arg(n));
                out << QString::number(a->isVisible()) + " " + a->text() + " " + a->data().toString();
            }
            return out.join('|') + "|" + QString::number(m->Action("mnuToolsBar4")->isVisible());
        };
        QCOMPARE(tools(), QStringLiteral("0 &1 |0 &2 |1 Old /bin/old|0 &4 |1"));
        runOptions(m, [&](frmOptions* d) {
            child<QLineEdit>(d, "txtName3")->clear();
            child<QLineEdit>(d, "txtLocation3")->clear();
            child<QLineEdit>(d, QStringLiteral("txtName%1").arg(row))->setText(name);
            child<QLineEdit>(d, QStringLiteral("txtLocation%1").arg(row))->setText(exe);
            d->cmdApply_Click();
            d->cmdCancel_Click();
        });
        QCOMPARE(GetSetting("Config", QStringLiteral("Tool%1").arg(row), "?") + "|" +
                     GetSetting("Config", QStringLiteral("ToolExe%1").arg(row), "?"), storedName + "|" + exe);
        QStringList expected;
        for (int n = 1; n <= 4; ++n)
            expected << (n == row ? QString::number(shown) + " " + (shown ? storedName : "&" + QString::number(n)) + " " + exe
                                  : QStringLiteral("0 &%1 ").arg(n));
        QCOMPARE(tools(), expected.join('|') + "|" + QString::number(shown));
    }

    // Browse fills the location and, unless one was typed, the derived name; a cancelled one changes nothing.
    void browseForTool()
    {
        frmOptions d;
        child<QLineEdit>(&d, "txtName3")->setText("Mine");
        for (int row : {2, 3, 3}) {   // the second browse of row 3 is cancelled
            prompter->queueFile(row == 3 && prompter->asked.size() == 2 ? FileDialogResult{}
                                                                        : FileDialogResult{true, {"/opt/TIDY-UP.sh"}});
            child<QPushButton>(&d, QStringLiteral("cmdBrowse%1").arg(row))->click();
        }
        QCOMPARE(prompter->asked.first().title, QStringLiteral("Select tool"));
        QCOMPARE(child<QLineEdit>(&d, "txtLocation2")->text() + "|" + child<QLineEdit>(&d, "txtName2")->text() + "|" +
                     child<QLineEdit>(&d, "txtLocation3")->text() + "|" + child<QLineEdit>(&d, "txtName3")->text(),
                 QStringLiteral("/opt/TIDY-UP.sh|Tidy-up|/opt/TIDY-UP.sh|Mine"));
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
