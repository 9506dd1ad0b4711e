#include <QMenu>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "base/ShellRoutines.h"
#include "document/CodeMax1.h"
#include "tools/ToolCommands.h"

class TestTextTools : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    UrlCatcher catcher{{"file", "https"}};

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
        catcher.urls.clear();
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void dateAndTimeText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");   // 25 December 2024, 13:05:09
        QTest::newRow("German") << "de_DE" << "25.12.24 13:05:09";
        QTest::newRow("British") << "en_GB" << "25/12/2024 13:05:09";
        QTest::newRow("American") << "en_US" << "12/25/24 1:05:09\u202fPM";
    }
    void dateAndTimeText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        // Spaces before AM/PM differ between locale data versions.
        QCOMPARE(ToolCommands::DateText(QDate(2024, 12, 25), QLocale(locale)) + " " +
                     ToolCommands::TimeText(QTime(13, 5, 9), QLocale(locale)).replace(' ', QChar(0x202f)), text);
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
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        SetMarkedText(e, before);
        e->SetFocus();
        if (command.startsWith("mnuToolsRepeat"))
            prompter->queueInput(QString("3"));
        for (const QString& c : command.split(' '))
            c.startsWith("mnu") ? m->Action(c)->trigger() : QTest::keySequence(e, QKeySequence(c));
        QCOMPARE(MarkedText(e), after.replace("<date>", ToolCommands::DateText(QDate::currentDate())));
    }

    void toolsMenuRule()
    {
        frmMain* m = StartMain();
        auto enabledTools = [m] {
            emit m->Menu("mnuTools")->aboutToShow();
            QStringList out;
            for (const QString& name : QString("Repeat Date Time Compress Browser SpellCheck Tidy Case").split(' '))
                if (QAction* a = m->Action("mnuTools" + name);
                    a ? a->isEnabled() : m->Menu("mnuToolsCase")->menuAction()->isEnabled())
                    out << name;
            emit m->Menu("mnuTools")->aboutToHide();
            return out;
        };
        m->ActiveDocument()->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(enabledTools(), QStringList{});   // no document
        m->OpenCommandLine('"' + WriteTestFile(dir, "rule.html", "<p>text</p>") + '"');
        frmDocument* doc = m->ActiveDocument();
        QCOMPARE(enabledTools(), (QStringList{"Repeat", "Date", "Time", "Compress", "Browser", "SpellCheck", "Tidy"}));
        doc->Editor()->SetSel({0, 0, 0, 3});
        QVERIFY(enabledTools().contains("Case"));
        QTest::mouseClick(doc->Panel(2), Qt::LeftButton);   // in preview the text commands and keys are off
        QCOMPARE(enabledTools(), QStringList{});
        m->Action("mnuToolsDate")->trigger();
        QCOMPARE(doc->Editor()->Text(), QString("<p>text</p>"));
    }

    void userTools_data()
    {
        QTest::addColumn<int>("answer");   // to the missing-tool question; 0: the tool is there
        QTest::newRow("present") << 0;
        QTest::newRow("missing, Yes") << int(MsgAnswer::Yes);
        QTest::newRow("missing, No") << int(MsgAnswer::No);
    }
    void userTools()
    {
        QFETCH(int, answer);
        const QString marker = dir.filePath("marker.txt");
        QFile::remove(marker);
        const QString script = WriteTestFile(dir, "tool.sh", "#!/bin/sh\npwd > '" + marker.toUtf8() + "'\n", true);
        SaveSetting("Config", "Tool2", "Notepad");
        SaveSetting("Config", "ToolExe2", !answer ? script : dir.filePath("deleted-tool"));
        frmMain* m = StartMain('"' + WriteTestFile(dir, "pages/index.html", "") + '"');
        if (answer)
            prompter->queueMsgBox(answer);
        if (answer == MsgAnswer::Yes)   // the options dialog opens; close it unchanged
            prompter->queueDialog([](QDialog*) { return int(QDialog::Rejected); });
        m->Action("mnuToolsE2")->trigger();
        if (!answer) {   // runs in the document's folder
            QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(ReadTestFile(marker)).trimmed(),
                                      QDir(dir.filePath("pages")).canonicalPath(), 10000);
        } else {
            QCOMPARE(prompter->messages(),
                     QStringList{"The 'Notepad' tool cannot be found, suggesting a misconfiguration of tools. Do you "
                                 "want to check your tool options now?"});
            QCOMPARE(prompter->asked.last().text, answer == MsgAnswer::Yes ? "frmOptions" : prompter->messages()[0]);
            QVERIFY(!QFileInfo::exists(marker));
        }
    }

    void helpMenu()
    {
        frmMain* m = StartMain();
        prompter->queueMsgBox(MsgAnswer::No);
        prompter->queueMsgBox(MsgAnswer::Yes);
        for (const char* name : {"mnuHelpHTML", "mnuHelpCSS", "mnuHelpDonate", "mnuHelpDonate", "mnuHelpNet",
                                 "mnuToolsExplorer"})
            m->Action(name)->trigger();
        QCOMPARE(catcher.urls.size(), 5);
        QCOMPARE(catcher.urls[0].fileName() + " " + catcher.urls[1].fileName(), QString("html.html css.html"));
        for (int i : {0, 1})   // the bundled reference pages
            QVERIFY2(ReadTestFile(catcher.urls[i].toLocalFile()).contains("<h1>"), qPrintable(catcher.urls[i].toString()));
        QCOMPARE(prompter->messages(),
                 (QStringList(2, "This enables you to donate securely via PayPal. Do you wish to proceed?")));
        QCOMPARE(prompter->asked.first().title, QString("Quorlen"));
        QVERIFY(catcher.urls[2].toString(QUrl::FullyEncoded).contains(QRegularExpression(
            "/xclick/business=.*&item_name=Quorlen%20Pro&no_shipping=0&no_note=1&tax=0&currency_code=GBP$")));
        QCOMPARE(catcher.urls[3], QUrl(ProgramPages::ProductPage()));
        QCOMPARE(catcher.urls[4], QUrl::fromLocalFile(QDir::currentPath()));
    }
};

QTEST_MAIN(TestTextTools)
#include "tst_texttools.moc"
