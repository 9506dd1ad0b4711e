#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QFontInfo>
#include <QtTest>

#include "base/cCommonDialog.h"
#include <Qsci/qscilexerhtml.h>

#include "FakeWorkspace.h"
#include "TestEnv.h"
#include "base/Settings.h"
#include "document/CodeMax1.h"
#include "document/ColourScheme.h"
#include "options/frmAbout.h"
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

// Which of OK and Apply are enabled.
QString buttons(frmOptions& d)
{
    return QString(Child<QPushButton>(&d, "cmdOK")->isEnabled() ? "OK" : "") +
           (Child<QPushButton>(&d, "cmdApply")->isEnabled() ? " Apply" : "");
}

QColor rgb(int ref) { return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF); }

// Makes a change and takes it back, which still lets Apply write every page.
void touch(frmOptions& d) { Child<QCheckBox>(&d, "chkSplash")->toggle(), Child<QCheckBox>(&d, "chkSplash")->toggle(); }
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
        OptFullIns = true;   // the options as a start on this profile sets them, whichever test ran before
        OptNewDoc = false;
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        QCOMPARE(prompter->pendingAnswers(), 0);
    }

    // The dialog opens unchanged, and neither choosing a kind nor a cancelled colour dialog enables OK or Apply;
    // a change does, and Cancel then writes nothing.
    void buttonsFollowChanges()
    {
        SaveSetting("Syntax", "TagFG", "123");
        SaveSetting("Syntax", "CommEffect", "3");
        const auto before = storeContents();
        frmOptions d;
        auto* kinds = Child<QComboBox>(&d, "cmbTag");
        for (int k : {4, 3, 5, 1}) {
            kinds->setCurrentIndex(k);
            QCOMPARE(buttons(d), QString());
        }
        prompter->queueColor(std::nullopt);
        QTest::mouseClick(Child<ColourBox>(&d, "picCol1"), Qt::LeftButton);
        QCOMPARE(Child<ColourBox>(&d, "picCol1")->Colour(), 16777215);
        QCOMPARE(ColourScheme::ReadBack(d.Sample(), 1).background, 16777215);
        QCOMPARE(buttons(d), QString());
        kinds->setCurrentIndex(4);   // the comment's stored effect and colours are shown
        QVERIFY(Child<QCheckBox>(&d, "Bold")->isChecked() && Child<QCheckBox>(&d, "Italic")->isChecked());
        QCOMPARE(Child<ColourBox>(&d, "picCol0")->Colour(), 255);
        QCOMPARE(Child<ColourBox>(&d, "picCol1")->Colour(), 65535);
        Child<QCheckBox>(&d, "chkTidy1")->toggle();
        Child<QLineEdit>(&d, "txtName3")->setText("Gimp");
        Child<QComboBox>(&d, "cmbSize")->setCurrentIndex(4);
        QCOMPARE(buttons(d), QString("OK Apply"));
        Child<QPushButton>(&d, "cmdCancel")->click();
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
        auto* fonts = Child<QComboBox>(&d, "cmbFont");
        QVERIFY(fonts->currentIndex() >= 0);
        QFont courier("Courier");
        courier.setStyleHint(QFont::TypeWriter);
        QCOMPARE(fonts->currentText(), cCommonDialog::FamilyName(QFont(QFontInfo(courier).family())));
        QStringList names;
        for (int i = 0; i < fonts->count(); ++i)
            names << fonts->itemText(i);
        QVERIFY(!names.join('|').contains('['));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        QVERIFY(!Child<QCheckBox>(&d, "chkTidy0")->isChecked());

        d.show();
        auto* sample = Child<CodeMax1>(&d, "CodeMax1");
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

    // Apply writes every page: a stored size and the Tidy keys are shown and written back, the rest as defaults.
    // The documents' default colours differ from the dialog's, which its sample shows and Apply makes current.
    void applyWritesEveryPage()
    {
        using H = QsciLexerHTML;
        SaveSetting("Syntax", "DefSize", "12");
        for (int i = 0; i < 7; ++i)   // the Tidy defaults inverted
            SaveSetting("Config", tidyKeys[i], i % 2 || i == 6 ? "-1" : "0");
        FakeWorkspace ws;
        CodeMax1* doc = ws.AddDocument()->Editor();
        doc->SetLanguage("HTML");
        // Each kind in the dialog's order: its key, its style in HTML and the document's text colour before Apply.
        const std::tuple<QString, int, int> kinds[] = {{"Plain", H::Default, 0}, {"Tag", H::Tag, 16711680},
            {"Att", H::Attribute, 10485760}, {"Val", H::HTMLDoubleQuotedString, 33280}, {"Comm", H::HTMLComment, 255},
            {"Ent", H::Entity, 8421504}};
        for (const auto& [key, style, text] : kinds)
            QCOMPARE(QList<QColor>({doc->lexer()->color(style), doc->lexer()->paper(style)}),
                     QList<QColor>({rgb(text), rgb(key == "Comm" ? 65535 : 16777215)}));
        frmOptions d;
        QCOMPARE(Child<QComboBox>(&d, "cmbSize")->currentText(), QString("12 pt"));
        QCOMPARE(d.Sample()->Font().pointSize(), 12);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(Child<QCheckBox>(&d, QStringLiteral("chkTidy%1").arg(i))->isChecked(), i % 2 || i == 6);
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
            {"Config/CloseTags", "0"},
        };
        for (int n = 1; n <= 4; ++n) {
            expected.insert(QStringLiteral("Config/Tool%1").arg(n), QString());
            expected.insert(QStringLiteral("Config/ToolExe%1").arg(n), QString());
        }
        QCOMPARE(storeContents(), expected);
        for (int kind = 0; kind < 6; ++kind) {
            const auto& [key, style, text] = kinds[kind];
            const int fg = expected.value("Syntax/" + key + "FG").toInt(), bg = expected.value("Syntax/" + key + "BG").toInt();
            const KindColours sample = ColourScheme::ReadBack(d.Sample(), kind);
            QCOMPARE(QList<int>({sample.text, sample.background, sample.effect}), QList<int>({fg, bg, 0}));
            QCOMPARE(QList<QColor>({doc->lexer()->color(style), doc->lexer()->paper(style)}), QList<QColor>({rgb(fg), rgb(bg)}));
        }
        Child<QComboBox>(&d, "cmbTag")->setCurrentIndex(0);   // after Apply only OK, also when a kind is chosen
        QCOMPARE(buttons(d), QString("OK"));
        SaveSetting("Config", "Tidy3Clean", "0");   // OK writes every page again
        Child<QPushButton>(&d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(GetSetting("Config", "Tidy3Clean"), QStringLiteral("-1"));
    }

    // Through Tools > Options: the General page's flags change only on Apply, which a Cancel then keeps, and the
    // sidebar moves to the right and stays hidden; a colour and an effect chosen reach the settings and the document.
    void throughTheToolsMenu()
    {
        SaveSetting("Config", "LoadDir", "0");
        frmMain* m = StartMain();
        m->fctnViewSidebar(false);
        runOptions(m, [](frmOptions* d) {
            QVERIFY(!Child<QCheckBox>(d, "chkDir")->isChecked() && Child<QCheckBox>(d, "chkFullIns")->isChecked());
            QVERIFY(!Child<QCheckBox>(d, "chkCloseTags")->isChecked());
            Child<QCheckBox>(d, "chkCloseTags")->setChecked(true);
            Child<QCheckBox>(d, "chkSplash")->setChecked(true);
            Child<QCheckBox>(d, "chkFullIns")->setChecked(false);
            Child<QRadioButton>(d, "Option11")->click();
            QVERIFY(OptFullIns && !MainWindow()->ActiveDocument()->Editor()->CloseTags());
            d->cmdApply_Click();
            QVERIFY(MainWindow()->ActiveDocument()->Editor()->CloseTags());
            QVERIFY(!OptFullIns);
            d->cmdCancel_Click();
        });
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::RightDockWidgetArea);
        QVERIFY(m->Picture1()->isHidden());
        QCOMPARE(GetSetting("Config", "Splash") + GetSetting("Config", "LoadDir") + GetSetting("Config", "Dock"),
                 QStringLiteral("-104"));
        QVERIFY(m->fctnNewDoc()->Editor()->CloseTags());

        CodeMax1* doc = m->ActiveDocument()->Editor();
        doc->SetLanguage("HTML");
        prompter->queueColor(QColor(0x12, 0x34, 0x56));   // the tag colour; the comment's effect is bold italic
        runOptions(m, [](frmOptions* d) {
            auto* kinds = Child<QComboBox>(d, "cmbTag");
            kinds->setCurrentIndex(4);
            Child<QCheckBox>(d, "Bold")->setChecked(true);
            Child<QCheckBox>(d, "Italic")->setChecked(true);
            kinds->setCurrentIndex(1);
            d->picCol_Click(0);
            QCOMPARE(Child<ColourBox>(d, "picCol0")->Colour(), 0x563412);
            QCOMPARE(d->Sample()->lexer()->color(QsciLexerHTML::Tag), QColor(0x12, 0x34, 0x56));
            Child<QPushButton>(d, "cmdOK")->click();
        });
        QCOMPARE(GetSetting("Syntax", "CommEffect"), QStringLiteral("3"));
        QCOMPARE(GetSetting("Syntax", "TagFG"), QString::number(0x563412));
        QCOMPARE(QList<QColor>({doc->lexer()->color(QsciLexerHTML::Tag), doc->lexer()->color(QsciLexerHTML::UnknownTag)}),
                 QList<QColor>(2, QColor(0x12, 0x34, 0x56)));
        QVERIFY(doc->lexer()->font(QsciLexerHTML::HTMLComment).bold() && doc->lexer()->font(QsciLexerHTML::HTMLComment).italic());
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
            Child<QLineEdit>(d, "txtName3")->clear();
            Child<QLineEdit>(d, "txtLocation3")->clear();
            Child<QLineEdit>(d, QStringLiteral("txtName%1").arg(row))->setText(name);
            Child<QLineEdit>(d, QStringLiteral("txtLocation%1").arg(row))->setText(exe);
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
        Child<QLineEdit>(&d, "txtName3")->setText("Mine");
        for (int row : {2, 3, 3}) {   // the second browse of row 3 is cancelled
            prompter->queueFile(row == 3 && prompter->asked.size() == 2 ? FileDialogResult{}
                                                                        : FileDialogResult{true, {"/opt/TIDY-UP.sh"}});
            Child<QPushButton>(&d, QStringLiteral("cmdBrowse%1").arg(row))->click();
        }
        QCOMPARE(prompter->asked.first().title, QStringLiteral("Select tool"));
        QCOMPARE(Child<QLineEdit>(&d, "txtLocation2")->text() + "|" + Child<QLineEdit>(&d, "txtName2")->text() + "|" +
                     Child<QLineEdit>(&d, "txtLocation3")->text() + "|" + Child<QLineEdit>(&d, "txtName3")->text(),
                 QStringLiteral("/opt/TIDY-UP.sh|Tidy-up|/opt/TIDY-UP.sh|Mine"));
    }

    // The version line comes from the program's version and System Info only warns;
    // a link turns red under the mouse and blue again off it, the other link untouched.
    void aboutBox()
    {
        prompter->queueMsgBox(MsgAnswer::OK);
        frmAbout d;
        d.show();
        QCOMPARE(d.findChild<QLabel*>("lblA1")->text(), QStringLiteral("Version 1.2.0 - "));
        QTest::mouseClick(d.findChild<QWidget*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(prompter->messages(), QStringList{"System information is unavailable at this time."});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Exclamation));
        QVERIFY(d.isVisible() && d.result() == 0);

        auto moveOver = [](QWidget* w) {
            QMouseEvent e(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton, {}, {});
            QCoreApplication::sendEvent(w, &e);
        };
        for (int index : {0, 1}) {
            QLabel* link = d.findChild<QLabel*>(QStringLiteral("Label1%1").arg(index));
            moveOver(link);
            QVERIFY(link->styleSheet().contains("#ff0000"));
            QCOMPARE(d.LinkColour(1 - index), frmAbout::LinkNormal);
            moveOver(index ? static_cast<QWidget*>(&d) : d.findChild<QLabel*>("lblDescription"));
            QVERIFY(link->styleSheet().contains("#0000ff"));
        }
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
