#include <QMenu>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "base/ShellRoutines.h"
#include "tools/ToolCommands.h"

class TestTextTools : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    // The locale's short date, and its time given to the second; spaces before AM/PM differ between locale data.
    void dateAndTimeText()
    {
        QCOMPARE(ToolCommands::DateText(QDate(2024, 12, 25), QLocale("de_DE")), QString("25.12.24"));
        QCOMPARE(ToolCommands::TimeText(QTime(13, 5, 9), QLocale("de_DE")), QString("13:05:09"));
        QCOMPARE(ToolCommands::TimeText(QTime(13, 5, 9), QLocale("en_US")).replace(' ', QChar(0x202f)), QString("1:05:09\u202fPM"));
    }

    // Menu entries and their keys on the selection; "<date>" stands for today's.
    void textCommands_data()
    {
        QTest::addColumn<QString>("command");   // action names and keys typed into the editor
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("upper, non-ASCII") << "mnuToolsCaseUpper" << "<[Hello straße é]>" << "<HELLO STRASSE É|>";
        QTest::newRow("Ctrl+U") << "Ctrl+U" << "[HELLO] World" << "hello| World";
        QTest::newRow("Ctrl+Shift+U") << "Ctrl+Shift+U" << "[Hello] World" << "HELLO| World";
        QTest::newRow("date") << "mnuToolsDate" << "say [WORD] now" << "say <date>| now";
        QTest::newRow("Ctrl+D is the date") << "Ctrl+D" << "x|" << "x<date>|";
        QTest::newRow("repeat 3 times") << "mnuToolsRepeat Right" << "|abcdef" << "abc|def";
    }
    void textCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(QString, after);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        SetMarkedText(e, before);
        e->SetFocus();
        if (command.startsWith("mnuToolsRepeat"))
            prompter->queueInput(QString("3"));
        for (const QString& c : command.split(' '))
            c.startsWith("mnu") ? MainWindow()->Action(c)->trigger() : QTest::keySequence(e, QKeySequence(c));
        QCOMPARE(MarkedText(e), after.replace("<date>", ToolCommands::DateText(QDate::currentDate())));
    }

    // The text commands need a document in edit mode; Case also a selection.
    void toolsMenuRule()
    {
        frmMain* m = StartMain('"' + WriteTestFile(dir, "rule.html", "<p>text</p>") + '"');
        auto enabledTools = [m] {
            emit m->Menu("mnuTools")->aboutToShow();
            QString out;
            for (const char* name : {"Repeat", "Date", "Time", "Compress", "Browser", "SpellCheck", "Tidy"})
                out += m->Action(QString("mnuTools") + name)->isEnabled() ? name + QString(" ") : "";
            return out + (m->Menu("mnuToolsCase")->menuAction()->isEnabled() ? "Case" : "");
        };
        QCOMPARE(enabledTools(), QString("Repeat Date Time Compress Browser SpellCheck Tidy "));
        m->ActiveDocument()->Editor()->SetSel({0, 0, 0, 3});
        QVERIFY(enabledTools().endsWith("Tidy Case"));
        QTest::mouseClick(m->ActiveDocument()->Panel(2), Qt::LeftButton);   // preview
        QCOMPARE(enabledTools(), QString());
        m->ActiveDocument()->SubWindow()->close();
        QCOMPARE(enabledTools(), QString());   // no document
    }

    // A user tool runs in the document's folder; a missing one offers the options, which only Yes opens.
    void userTools()
    {
        SaveSetting("Config", "Tool1", "Mine");
        SaveSetting("Config", "ToolExe1", WriteTestFile(dir, "tool.sh", "#!/bin/sh\ntouch marker\n", true));
        SaveSetting("Config", "Tool2", "Notepad");
        SaveSetting("Config", "ToolExe2", dir.filePath("deleted-tool"));
        frmMain* m = StartMain('"' + WriteTestFile(dir, "pages/index.html", "") + '"');
        m->Action("mnuToolsE1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("pages/marker")), 10000);   // made in the document's folder
        prompter->queueDialog([](QDialog*) { return int(QDialog::Rejected); });   // the options, after Yes only
        for (int answer : {MsgAnswer::No, MsgAnswer::Yes})
            prompter->queueMsgBox(answer), m->Action("mnuToolsE2")->trigger();
        QCOMPARE(prompter->messages(), QStringList(2, "The 'Notepad' tool cannot be found, suggesting a misconfiguration of "
                                                      "tools. Do you want to check your tool options now?"));
        QCOMPARE(prompter->asked.last().text, QString("frmOptions"));
    }

    void helpMenu()
    {
        UrlCatcher catcher{{"file", "https"}};
        frmMain* m = StartMain();
        prompter->queueMsgBox(MsgAnswer::No);
        prompter->queueMsgBox(MsgAnswer::Yes);
        for (const char* name : {"mnuHelpHTML", "mnuHelpCSS", "mnuHelpDonate", "mnuHelpDonate", "mnuHelpNet", "mnuToolsExplorer"})
            m->Action(name)->trigger();
        const QString ref = ToolCommands::ReferenceFolder();
        QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(ref + "html.html"), QUrl::fromLocalFile(ref + "css.html"),
            QUrl(ProgramPages::DonationAddress()), QUrl(ProgramPages::ProductPage()), QUrl::fromLocalFile(QDir::currentPath())}));
        QCOMPARE(prompter->messages(), (QStringList(2, "This enables you to donate securely via PayPal. Do you wish to proceed?")));
    }
};

QTEST_MAIN(TestTextTools)
#include "tst_texttools.moc"
