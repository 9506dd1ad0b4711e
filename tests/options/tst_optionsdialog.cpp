#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QtTest>
#include <Qsci/qscilexer.h>
#include <Qsci/qscilexerhtml.h>

#include "TestEnv.h"
#include "app/Settings.h"
#include "document/CodeMax1.h"
#include "options/ColourScheme.h"
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

bool okEnabled(frmOptions& d)
{
    return child<QPushButton>(&d, "cmdOK")->isEnabled();
}
bool applyEnabled(frmOptions& d)
{
    return child<QPushButton>(&d, "cmdApply")->isEnabled();
}

QColor rgb(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

// Makes any change, so Apply is possible.
void touch(frmOptions& d)
{
    QCheckBox* splash = child<QCheckBox>(&d, "chkSplash");
    splash->toggle();
    splash->toggle();
}
} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

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
        OptNewDoc = false;
        OptInstance = true;
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        QCOMPARE(prompter->pendingAnswers(), 0);
    }

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
        frmMain* m = StartMain();
        CodeMax1* doc = m->ActiveDocument()->Editor();
        doc->SetLanguage("HTML");
        QVERIFY(doc->lexer());
        QCOMPARE(doc->lexer()->color(lexerStyle), rgb(documentText));
        QCOMPARE(doc->lexer()->paper(lexerStyle), rgb(background));
        QCOMPARE(doc->Font().pointSize(), 10);

        frmOptions d;
        const KindColours sample = ColourScheme::ReadBack(d.Sample(), kind);
        QCOMPARE(sample.text, dialogText);
        QCOMPARE(sample.background, background);
        QCOMPARE(sample.effect, 0);
        QCOMPARE(d.Sample()->lexer()->color(lexerStyle), rgb(dialogText));

        // Apply after a change stores the dialog's column and the document follows it.
        touch(d);
        d.cmdApply_Click();
        const QString prefix = ColourScheme::Prefix(kind);
        QCOMPARE(GetSetting("Syntax", prefix + "FG"), QString::number(dialogText));
        QCOMPARE(GetSetting("Syntax", prefix + "BG"), QString::number(background));
        QCOMPARE(GetSetting("Syntax", prefix + "Effect"), QStringLiteral("0"));
        QCOMPARE(doc->lexer()->color(lexerStyle), rgb(dialogText));
    }

    void opensUnchangedAndCancelWritesNothing()
    {
        SaveSetting("Syntax", "TagFG", "123");
        const auto before = storeContents();
        frmOptions d;
        QVERIFY(!okEnabled(d));
        QVERIFY(!applyEnabled(d));
        QVERIFY(child<QPushButton>(&d, "cmdCancel")->isEnabled());
        QCOMPARE(d.windowTitle(), QStringLiteral("Options"));
        // Changes followed by Cancel still write nothing.
        child<QCheckBox>(&d, "chkTidy1")->toggle();
        child<QLineEdit>(&d, "txtName3")->setText("Gimp");
        child<QComboBox>(&d, "cmbSize")->setCurrentIndex(4);
        child<QPushButton>(&d, "cmdCancel")->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(storeContents(), before);
        QVERIFY(!QFileInfo::exists(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                   "/applications"));
    }

    void everyControlMarksChanged_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* n : {"chkInstance", "chkDir", "chkShell4", "chkTidy6", "Italic", "txtLocation4",
                              "Option11", "cmbFont"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void everyControlMarksChanged()
    {
        QFETCH(QString, name);
        frmOptions d;
        QWidget* w = child<QWidget>(&d, name);
        if (auto* box = qobject_cast<QCheckBox*>(w)) {
            // Ticking and unticking again still leaves the dialog changed.
            box->toggle();
            box->toggle();
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setText("x");
            edit->clear();
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            radio->click();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->count() < 2)
                QSKIP("fewer than two fixed-pitch fonts installed");
            combo->setCurrentIndex(combo->currentIndex() == 1 ? 0 : 1);
        }
        QVERIFY(okEnabled(d));
        QVERIFY(applyEnabled(d));
    }

    void choosingKindNeverEnablesButtons()
    {
        SaveSetting("Syntax", "CommEffect", "3");
        frmOptions d;
        auto* kinds = child<QComboBox>(&d, "cmbTag");
        for (int k : {4, 3, 5, 1}) {
            kinds->setCurrentIndex(k);
            QVERIFY(!okEnabled(d));
            QVERIFY(!applyEnabled(d));
        }
        kinds->setCurrentIndex(4);
        QVERIFY(child<QCheckBox>(&d, "Bold")->isChecked());
        QVERIFY(child<QCheckBox>(&d, "Italic")->isChecked());
        QCOMPARE(child<ColourBox>(&d, "picCol0")->Colour(), 255);
        QCOMPARE(child<ColourBox>(&d, "picCol1")->Colour(), 65535);

        // After Apply only OK is enabled, and choosing a kind keeps it that way.
        touch(d);
        d.cmdApply_Click();
        QVERIFY(okEnabled(d));
        QVERIFY(!applyEnabled(d));
        kinds->setCurrentIndex(0);
        QVERIFY(okEnabled(d));
        QVERIFY(!applyEnabled(d));
    }

    void colourAndEffectReachSettingsAndDocument()
    {
        frmMain* m = StartMain();
        CodeMax1* doc = m->ActiveDocument()->Editor();
        doc->SetLanguage("HTML");
        prompter->queueColor(QColor(0x12, 0x34, 0x56));
        runOptions(m, [this](frmOptions* d) {
            auto* kinds = child<QComboBox>(d, "cmbTag");
            kinds->setCurrentIndex(4);
            child<QCheckBox>(d, "Bold")->setChecked(true);
            child<QCheckBox>(d, "Italic")->setChecked(true);
            kinds->setCurrentIndex(1);
            d->picCol_Click(0);
            QCOMPARE(prompter->asked.last().kind, QStringLiteral("Color"));
            QCOMPARE(child<ColourBox>(d, "picCol0")->Colour(), 0x563412);
            QCOMPARE(d->Sample()->lexer()->color(QsciLexerHTML::Tag), QColor(0x12, 0x34, 0x56));
            child<QPushButton>(d, "cmdOK")->click();
        });
        QCOMPARE(GetSetting("Syntax", "CommEffect"), QStringLiteral("3"));
        QCOMPARE(GetSetting("Syntax", "TagFG"), QString::number(0x12 + 256 * 0x34 + 65536 * 0x56));
        // Every tag-like token of the open document shows the new colour.
        QCOMPARE(doc->lexer()->color(QsciLexerHTML::Tag), QColor(0x12, 0x34, 0x56));
        QCOMPARE(doc->lexer()->color(QsciLexerHTML::UnknownTag), QColor(0x12, 0x34, 0x56));
        const QFont comment = doc->lexer()->font(QsciLexerHTML::HTMLComment);
        QVERIFY(comment.bold());
        QVERIFY(comment.italic());
        QVERIFY(!doc->lexer()->font(QsciLexerHTML::Tag).bold());
    }

    void cancelledColourDialogChangesNothing()
    {
        frmOptions d;
        child<QComboBox>(&d, "cmbTag")->setCurrentIndex(2);
        const int before = child<ColourBox>(&d, "picCol1")->Colour();
        const KindColours sample = ColourScheme::ReadBack(d.Sample(), 2);
        prompter->queueColor(std::nullopt);
        QTest::mouseClick(child<ColourBox>(&d, "picCol1"), Qt::LeftButton);
        QCOMPARE(prompter->asked.size(), 1);
        QCOMPARE(child<ColourBox>(&d, "picCol1")->Colour(), before);
        QCOMPARE(ColourScheme::ReadBack(d.Sample(), 2).background, sample.background);
        QVERIFY(!okEnabled(d));
        QVERIFY(!applyEnabled(d));
    }

    void applyWritesEveryPage()
    {
        frmOptions d;
        touch(d);
        d.cmdApply_Click();
        QMap<QString, QString> expected{
            {"Syntax/PlainBG", "16777215"}, {"Syntax/PlainFG", "0"},        {"Syntax/PlainEffect", "0"},
            {"Syntax/TagBG", "16777215"},   {"Syntax/TagFG", "10485760"},   {"Syntax/TagEffect", "0"},
            {"Syntax/AttBG", "16777215"},   {"Syntax/AttFG", "16711680"},   {"Syntax/AttEffect", "0"},
            {"Syntax/ValBG", "16777215"},   {"Syntax/ValFG", "8421440"},    {"Syntax/ValEffect", "0"},
            {"Syntax/CommBG", "65535"},     {"Syntax/CommFG", "255"},       {"Syntax/CommEffect", "0"},
            {"Syntax/EntBG", "16777215"},   {"Syntax/EntFG", "8421504"},    {"Syntax/EntEffect", "0"},
            {"Syntax/DefSize", "10 "},      {"Config/Splash", "0"},         {"Config/LoadDir", "-1"},
            {"Config/Dock", "3"},           {"Config/FullIns", "-1"},       {"Config/NewDoc", "0"},
            {"Config/Instance", "-1"},      {"Config/Tidy0Indent", "-1"},   {"Config/Tidy1Omit", "0"},
            {"Config/Tidy2Upper", "-1"},    {"Config/Tidy3Clean", "0"},     {"Config/Tidy4Quiet", "-1"},
            {"Config/Tidy5Bare", "0"},      {"Config/Tidy6Xhtml", "0"},
        };
        for (int n = 1; n <= 4; ++n) {
            expected.insert(QStringLiteral("Config/Tool%1").arg(n), QString());
            expected.insert(QStringLiteral("Config/ToolExe%1").arg(n), QString());
        }
        auto stored = storeContents();
        // The face is whatever the list selected, or the default when "Courier" is not installed.
        const QString face = stored.take("Syntax/DefFont");
        QCOMPARE(face, QStringLiteral("Courier"));
        QCOMPARE(stored, expected);
        QVERIFY(okEnabled(d));
        QVERIFY(!applyEnabled(d));

        // OK writes every page again.
        SaveSetting("Config", "Tidy3Clean", "-1");
        SaveSetting("Syntax", "TagFG", "1");
        child<QPushButton>(&d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(GetSetting("Config", "Tidy3Clean"), QStringLiteral("0"));
        QCOMPARE(GetSetting("Syntax", "TagFG"), QStringLiteral("10485760"));
    }

    void sizeList_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("absent") << QString() << "10 pt" << "10 ";
        QTest::newRow("with blank") << "12 " << "12 pt" << "12 ";
        QTest::newRow("without blank") << "8" << "8 pt" << "8 ";
        QTest::newRow("too large") << "14 " << "" << "14 ";
        QTest::newRow("too small") << "6" << "" << "6 ";
    }
    void sizeList()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        if (!stored.isNull())
            SaveSetting("Syntax", "DefSize", stored);
        frmOptions d;
        auto* sizes = child<QComboBox>(&d, "cmbSize");
        QCOMPARE(sizes->count(), 5);
        QCOMPARE(sizes->itemText(0), QStringLiteral("8 pt"));
        QCOMPARE(sizes->itemText(4), QStringLiteral("12 pt"));
        QCOMPARE(sizes->currentText(), shown);
        QCOMPARE(d.Sample()->Font().pointSize(), written.trimmed().toInt());
        touch(d);
        d.cmdApply_Click();
        QCOMPARE(GetSetting("Syntax", "DefSize"), written);
    }

    void faceList()
    {
        QString fixed;
        QString proportional;
        for (const QString& f : QFontDatabase::families()) {
            if (QFontDatabase::isPrivateFamily(f))
                continue;
            if (QFontDatabase::isFixedPitch(f) && fixed.isEmpty())
                fixed = f;
            if (!QFontDatabase::isFixedPitch(f) && proportional.isEmpty())
                proportional = f;
        }
        if (fixed.isEmpty() || proportional.isEmpty())
            QSKIP("needs a fixed-pitch and a proportional font");
        SaveSetting("Syntax", "DefFont", fixed);
        {
            frmOptions d;
            QCOMPARE(child<QComboBox>(&d, "cmbFont")->currentText(), fixed);
            QCOMPARE(child<QComboBox>(&d, "cmbFont")->findText(proportional), -1);
            QCOMPARE(d.Sample()->Font().family(), fixed);
        }
        // A stored face that is not fixed-pitch leaves the list without a selection, and Apply keeps it.
        SaveSetting("Syntax", "DefFont", proportional);
        frmOptions d;
        QCOMPARE(child<QComboBox>(&d, "cmbFont")->currentIndex(), -1);
        touch(d);
        d.cmdApply_Click();
        QCOMPARE(GetSetting("Syntax", "DefFont"), proportional);
    }

    void ctrlTabWraps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("expected");
        QTest::newRow("next") << 0 << false << 1;
        QTest::newRow("last to first") << 4 << false << 0;
        QTest::newRow("previous") << 3 << true << 2;
        QTest::newRow("first to last") << 0 << true << 4;
    }
    void ctrlTabWraps()
    {
        QFETCH(int, start);
        QFETCH(bool, shift);
        QFETCH(int, expected);
        frmOptions d;
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTabBar* tabs = child<QTabBar>(&d, "tbsOptions");
        QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
        QCOMPARE(tabs->tabText(4), QStringLiteral("HTML Tidy"));
        tabs->setCurrentIndex(start);
        // From inside the sample editor as well as from an ordinary control.
        QWidget* target = start == 1 ? static_cast<QWidget*>(d.Sample()) : tabs;
        target->setFocus();
        const Qt::KeyboardModifiers mods = shift ? (Qt::ControlModifier | Qt::ShiftModifier) : Qt::ControlModifier;
        QTest::keyClick(target, shift ? Qt::Key_Backtab : Qt::Key_Tab, mods);
        QCOMPARE(tabs->currentIndex(), expected);
        for (int i = 0; i < frmOptions::PageCount; ++i)
            QCOMPARE(child<QWidget>(&d, QStringLiteral("picOptions%1").arg(i))->isVisible(), i == expected);
        QVERIFY(!okEnabled(d));
    }

    void generalPage()
    {
        SaveSetting("Config", "LoadDir", "0");
        SaveSetting("Config", "Dock", "7");
        OptFullIns = false;
        OptNewDoc = true;
        OptInstance = false;
        frmOptions d;
        QVERIFY(!child<QCheckBox>(&d, "chkDir")->isChecked());
        QVERIFY(!child<QCheckBox>(&d, "chkFullIns")->isChecked());
        QVERIFY(child<QCheckBox>(&d, "chkNewDoc")->isChecked());
        QVERIFY(child<QRadioButton>(&d, "Option11")->isChecked());
        child<QCheckBox>(&d, "chkSplash")->setChecked(true);
        child<QCheckBox>(&d, "chkFullIns")->setChecked(true);
        child<QCheckBox>(&d, "chkNewDoc")->setChecked(false);
        child<QCheckBox>(&d, "chkInstance")->setChecked(true);
        // Nothing reaches the process-wide flags before Apply.
        QVERIFY(!OptFullIns);
        d.cmdApply_Click();
        QVERIFY(OptFullIns);
        QVERIFY(!OptNewDoc);
        QVERIFY(OptInstance);
        QCOMPARE(GetSetting("Config", "Splash"), QStringLiteral("-1"));
        QCOMPARE(GetSetting("Config", "LoadDir"), QStringLiteral("0"));
        QCOMPARE(GetSetting("Config", "NewDoc"), QStringLiteral("0"));
        QCOMPARE(GetSetting("Config", "Dock"), QStringLiteral("4"));
    }

    void dockRightMovesSidebar()
    {
        frmMain* m = StartMain();
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        runOptions(m, [](frmOptions* d) {
            QVERIFY(child<QRadioButton>(d, "Option10")->isChecked());
            child<QRadioButton>(d, "Option11")->click();
            QVERIFY(child<QPushButton>(d, "cmdApply")->isEnabled());
            d->cmdApply_Click();
            d->cmdCancel_Click();
        });
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::RightDockWidgetArea);
        QCOMPARE(GetSetting("Config", "Dock"), QStringLiteral("4"));
        QVERIFY(m->Picture1()->isVisible());

        // With the sidebar hidden, moving it back leaves it hidden.
        m->fctnViewSidebar(false);
        runOptions(m, [](frmOptions* d) {
            QVERIFY(child<QRadioButton>(d, "Option11")->isChecked());
            child<QRadioButton>(d, "Option10")->click();
            d->cmdOK_Click();
        });
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        QCOMPARE(GetSetting("Config", "Dock"), QStringLiteral("3"));
        QVERIFY(m->Picture1()->isHidden());
    }

    void sampleRightClickShowsHelpMenu()
    {
        frmMain* m = StartMain();
        runOptions(m, [m](frmOptions* d) {
            QMenu* help = m->Menu("mnuHelp");
            QVERIFY(!help->isVisible());
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), d->Sample()->viewport()->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(d->Sample()->viewport(), &event);
            QTRY_VERIFY(help->isVisible());
            help->close();
            d->cmdCancel_Click();
        });
    }

    void tidyPage_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("defaults") << QStringList() << QStringList{"-1", "0", "-1", "0", "-1", "0", "0"};
        QTest::newRow("inverted") << QStringList{"0", "-1", "0", "-1", "0", "-1", "-1"}
                                  << QStringList{"0", "-1", "0", "-1", "0", "-1", "-1"};
    }
    void tidyPage()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, written);
        const char* keys[] = {"Tidy0Indent", "Tidy1Omit", "Tidy2Upper", "Tidy3Clean",
                              "Tidy4Quiet",  "Tidy5Bare", "Tidy6Xhtml"};
        for (int i = 0; i < stored.size(); ++i)
            SaveSetting("Config", keys[i], stored.at(i));
        frmOptions d;
        for (int i = 0; i < 7; ++i) {
            auto* box = child<QCheckBox>(&d, QStringLiteral("chkTidy%1").arg(i));
            QCOMPARE(box->isChecked(), written.at(i) == "-1");
        }
        touch(d);
        d.cmdApply_Click();
        for (int i = 0; i < 7; ++i)
            QCOMPARE(GetSetting("Config", keys[i]), written.at(i));
    }

    void derivedToolName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        QTest::newRow("upper case with extension") << "NOTEPAD.EXE" << "Notepad";
        QTest::newRow("no dot") << "gimp" << "Gimp";
        QTest::newRow("two dots") << "backup.tar.sh" << "Backup";
        QTest::newRow("words") << "my OWN tool.py" << "My Own Tool";
        QTest::newRow("hidden file") << ".runme" << ".runme";
        QTest::newRow("empty") << "" << "";
    }
    void derivedToolName()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        QCOMPARE(frmOptions::DerivedToolName(file), name);
    }

    void userToolsRebuildMenu_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<bool>("shown");
        QTest::newRow("exe only") << 2 << "" << "/opt/tools/NOTEPAD.EXE" << "Notepad" << true;
        QTest::newRow("exe without dot") << 4 << "" << "/usr/bin/gimp" << "Gimp" << true;
        QTest::newRow("name only") << 1 << "Lint" << "" << "Lint" << true;
        QTest::newRow("both cleared") << 3 << "" << "" << "" << false;
    }
    void userToolsRebuildMenu()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, exe);
        QFETCH(QString, storedName);
        QFETCH(bool, shown);
        // Row 3 starts filled so clearing it is a change; it is the only tool.
        SaveSetting("Config", "Tool3", "Old");
        SaveSetting("Config", "ToolExe3", "/bin/old");
        frmMain* m = StartMain();
        QVERIFY(m->Action("mnuToolsE3")->isVisible());
        QVERIFY(m->Action("mnuToolsBar4")->isVisible());
        runOptions(m, [&](frmOptions* d) {
            if (row != 3) {
                child<QLineEdit>(d, "txtName3")->clear();
                child<QLineEdit>(d, "txtLocation3")->clear();
            }
            child<QLineEdit>(d, QStringLiteral("txtName%1").arg(row))->setText(name);
            child<QLineEdit>(d, QStringLiteral("txtLocation%1").arg(row))->setText(exe);
            d->cmdApply_Click();
            QCOMPARE(child<QLineEdit>(d, QStringLiteral("txtName%1").arg(row))->text(), storedName);
            d->cmdCancel_Click();
        });
        QCOMPARE(GetSetting("Config", QStringLiteral("Tool%1").arg(row), "?"), storedName);
        QCOMPARE(GetSetting("Config", QStringLiteral("ToolExe%1").arg(row), "?"), exe);
        QAction* item = m->Action(QStringLiteral("mnuToolsE%1").arg(row));
        QCOMPARE(item->isVisible(), shown);
        QCOMPARE(item->text(), shown ? storedName : QStringLiteral("&%1").arg(row));
        QCOMPARE(item->data().toString(), shown ? exe : QString());
        QCOMPARE(item->shortcut(), QKeySequence(Qt::SHIFT | (Qt::Key_F5 + row - 1)));
        QCOMPARE(m->Action("mnuToolsBar4")->isVisible(), shown);
        for (int n = 1; n <= 4; ++n)
            if (n != row)
                QVERIFY(!m->Action(QStringLiteral("mnuToolsE%1").arg(n))->isVisible());
    }

    void browseForTool()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("TIDY-UP.sh");
        QFile(path).open(QIODevice::WriteOnly);
        frmOptions d;
        FileDialogResult chosen;
        chosen.accepted = true;
        chosen.files = QStringList{path};
        prompter->queueFile(chosen);
        child<QPushButton>(&d, "cmdBrowse2")->click();
        const AskedQuestion asked = prompter->asked.last();
        QCOMPARE(asked.title, QStringLiteral("Select tool"));
        QVERIFY(asked.file.mustExist);
        QCOMPARE(asked.file.filterIndex, 1);
        QCOMPARE(child<QLineEdit>(&d, "txtLocation2")->text(), path);
        QCOMPARE(child<QLineEdit>(&d, "txtName2")->text(), QStringLiteral("Tidy-up"));
        QVERIFY(applyEnabled(d));

        // A typed name is kept; a cancelled browse changes nothing.
        child<QLineEdit>(&d, "txtName3")->setText("Mine");
        prompter->queueFile(chosen);
        child<QPushButton>(&d, "cmdBrowse3")->click();
        QCOMPARE(child<QLineEdit>(&d, "txtName3")->text(), QStringLiteral("Mine"));
        QCOMPARE(child<QLineEdit>(&d, "txtLocation3")->text(), path);
        prompter->queueFile(FileDialogResult{});
        child<QPushButton>(&d, "cmdBrowse3")->click();
        QCOMPARE(child<QLineEdit>(&d, "txtLocation3")->text(), path);
        QCOMPARE(child<QLineEdit>(&d, "txtName3")->text(), QStringLiteral("Mine"));
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
