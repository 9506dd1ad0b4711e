#include <QDesktopServices>
#include <QMenu>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "document/CodeMax1.h"
#include "tools/ToolCommands.h"

class TestTextTools : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    UrlCatcher catcher{{"file", "https"}};

    static void openToolsMenu(frmMain* m) { emit m->Menu("mnuTools")->aboutToShow(); }
    static void closeToolsMenu(frmMain* m) { emit m->Menu("mnuTools")->aboutToHide(); }
    static QStringList enabledTools(frmMain* m)
    {
        QStringList out;
        for (const char* name : {"mnuToolsRepeat", "mnuToolsDate", "mnuToolsTime", "mnuToolsCompress",
                                 "mnuToolsBrowser", "mnuToolsSpellCheck", "mnuToolsTidy"})
            if (m->Action(name)->isEnabled())
                out << QString(name).mid(8);
        if (m->Menu("mnuToolsCase")->menuAction()->isEnabled())
            out << "Case";
        return out;
    }

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
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("German") << "de_DE" << "25.12.24" << "13:05:09";
        QTest::newRow("British") << "en_GB" << "25/12/2024" << "13:05:09";
        QTest::newRow("American") << "en_US" << "12/25/24" << "1:05:09\u202fPM";
    }
    void dateAndTimeText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        const QLocale l(locale);
        QCOMPARE(ToolCommands::DateText(QDate(2024, 12, 25), l), date);
        // Spaces before AM/PM differ between locale data versions.
        QCOMPARE(ToolCommands::TimeText(QTime(13, 5, 9), l).replace(' ', QChar(0x202f)), time);
    }

    void dateReplacesSelection()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        e->SetText("say WORD now");
        e->SetSel({0, 4, 0, 8});
        m->Action("mnuToolsDate")->trigger();
        const QString date = ToolCommands::DateText(QDate::currentDate());
        QCOMPARE(e->Text(), "say " + date + " now");
        const int end = int(4 + date.size());
        QCOMPARE(e->GetSel(false), (CodeMaxRange{0, end, 0, end}));
        m->Action("mnuToolsTime")->trigger();
        QVERIFY(e->Text().startsWith("say " + date));
        QVERIFY(e->Text().size() > ("say " + date + " now").size() + 4);
    }

    void changeCase_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("upper") << "mnuToolsCaseUpper" << "Hello World" << "HELLO WORLD";
        QTest::newRow("lower") << "mnuToolsCaseLower" << "Hello World" << "hello world";
        QTest::newRow("upper non-ASCII") << "mnuToolsCaseUpper" << "straße é" << "STRASSE É";
    }
    void changeCase()
    {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(QString, result);
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        e->SetText("<" + text + ">");
        e->SetSel({0, 1, 0, int(text.size()) + 1});
        m->Action(action)->trigger();
        QCOMPARE(e->Text(), "<" + result + ">");
    }

    void keyboard()
    {
        frmMain* m = StartMain();
        m->activateWindow();
        CodeMax1* e = m->ActiveDocument()->Editor();
        e->SetText("Hello World");
        e->SetFocus();
        e->SetSel({0, 0, 0, 5});
        QTest::keyClick(e, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(e->Text(), QString("HELLO World"));
        QTest::keyClick(e, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(e->Text(), QString("hello World"));
        e->SetCaretPos(0, 11);
        // Ctrl+D is the date here, not the edit control's line duplication.
        QTest::keyClick(e, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(e->Text(), "hello World" + ToolCommands::DateText(QDate::currentDate()));
    }

    void repeatAsksForACount()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        e->SetText("abcdef");
        e->SetCaretPos(0, 0);
        prompter->queueInput(QString("3"));
        m->Action("mnuToolsRepeat")->trigger();
        QCOMPARE(prompter->asked.size(), 1);
        QCOMPARE(prompter->asked.first().kind, QString("InputBox"));
        e->ExecuteCmd(CmCmd::CharRight);
        QCOMPARE(e->GetSel(false), (CodeMaxRange{0, 3, 0, 3}));
    }

    void toolsMenuRule()
    {
        const QString path = WriteTestFile(dir, "rule.html", "<p>text</p>");
        frmMain* m = StartMain();
        // No document: everything that needs one is off.
        m->ActiveDocument()->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        openToolsMenu(m);
        QCOMPARE(enabledTools(m), QStringList{});
        closeToolsMenu(m);

        m->OpenCommandLine('"' + path + '"');
        frmDocument* doc = m->ActiveDocument();
        openToolsMenu(m);
        QCOMPARE(enabledTools(m), (QStringList{"Repeat", "Date", "Time", "Compress", "Browser", "SpellCheck", "Tidy"}));
        closeToolsMenu(m);
        doc->Editor()->SetSel({0, 0, 0, 3});
        QVERIFY(enabledTools(m).contains("Case"));

        // In preview the text commands are off; the menu shows the browser item off too,
        // but the toolbar's External button still works.
        QTest::mouseClick(doc->Panel(2), Qt::LeftButton);
        QVERIFY(!doc->IsEditMode());
        openToolsMenu(m);
        QCOMPARE(enabledTools(m), QStringList{});
        closeToolsMenu(m);
        QVERIFY(m->ToolbarButton("External")->isEnabled());
        m->ToolbarButton("External")->trigger();
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(dir.filePath("~preview_qrn.html"))});
        // Shortcuts of the text commands do nothing in preview.
        const QString before = doc->Editor()->Text();
        m->Action("mnuToolsDate")->trigger();
        QCOMPARE(doc->Editor()->Text(), before);
    }

    void userTools_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("answer");   // to the missing-tool question
        QTest::newRow("present") << true << 0;
        QTest::newRow("missing, Yes") << false << int(MsgAnswer::Yes);
        QTest::newRow("missing, No") << false << int(MsgAnswer::No);
    }
    void userTools()
    {
        QFETCH(bool, present);
        QFETCH(int, answer);
        const QString marker = dir.filePath("marker.txt");
        QFile::remove(marker);
        const QString script = WriteTestFile(dir, "tool.sh",
                                             "#!/bin/sh\npwd > '" + marker.toUtf8() + ".tmp'\nmv '" + marker.toUtf8() +
                                                 ".tmp' '" + marker.toUtf8() + "'\n",
                                             true);
        const QString page = WriteTestFile(dir, "pages/index.html", "");
        SaveSetting("Config", "Tool2", "Notepad");
        SaveSetting("Config", "ToolExe2", present ? script : dir.filePath("deleted-tool"));

        frmMain* m = StartMain('"' + page + '"');
        QAction* item = m->Action("mnuToolsE2");
        QVERIFY(item->isVisible());
        QCOMPARE(item->text(), QString("Notepad"));
        QSignalSpy options(m->Action("mnuToolsOptions"), &QAction::triggered);
        if (answer)
            prompter->queueMsgBox(answer);
        if (answer == MsgAnswer::Yes)   // the options dialog opens; close it unchanged
            prompter->queueDialog([](QDialog*) { return int(QDialog::Rejected); });
        item->trigger();
        if (present) {
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 10000);
            QFile out(marker);
            QVERIFY(out.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(out.readAll()).trimmed(), QDir(dir.filePath("pages")).canonicalPath());
            QVERIFY(prompter->messages().isEmpty());
        } else {
            QCOMPARE(prompter->messages(),
                     QStringList{"The 'Notepad' tool cannot be found, suggesting a misconfiguration of tools. Do you "
                                 "want to check your tool options now?"});
            QCOMPARE(prompter->asked.first().icon, int(MsgIcon::Question));
            QCOMPARE(options.size(), answer == MsgAnswer::Yes ? 1 : 0);
            if (answer == MsgAnswer::Yes)
                QCOMPARE(prompter->asked.last().text, QStringLiteral("frmOptions"));
            QVERIFY(!QFileInfo::exists(marker));
        }
    }

    void helpMenu()
    {
        frmMain* m = StartMain();
        m->Action("mnuHelpHTML")->trigger();
        m->Action("mnuHelpCSS")->trigger();
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.at(0).fileName(), QString("html.html"));
        QCOMPARE(catcher.urls.at(1).fileName(), QString("css.html"));
        for (const QUrl& url : catcher.urls) {
            QFile page(url.toLocalFile());
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(url.toString()));
            QVERIFY(page.readAll().contains("<h1>"));
        }
        catcher.urls.clear();

        prompter->queueMsgBox(MsgAnswer::No);
        m->Action("mnuHelpDonate")->trigger();
        QVERIFY(catcher.urls.isEmpty());
        prompter->queueMsgBox(MsgAnswer::Yes);
        m->Action("mnuHelpDonate")->trigger();
        QCOMPARE(prompter->messages(),
                 (QStringList(2, "This enables you to donate securely via PayPal. Do you wish to proceed?")));
        QCOMPARE(prompter->asked.first().title, QString("Quorlen"));
        QCOMPARE(prompter->asked.first().icon, int(MsgIcon::Question));
        QCOMPARE(catcher.urls.size(), 1);
        const QString donate = catcher.urls.first().toString(QUrl::FullyEncoded);
        QVERIFY2(donate.contains("/xclick/business=") &&
                     donate.endsWith("&item_name=Quorlen%20Pro&no_shipping=0&no_note=1&tax=0&currency_code=GBP"),
                 qPrintable(donate));

        m->Action("mnuHelpNet")->trigger();
        QCOMPARE(catcher.urls.last(), QUrl(ToolCommands::ProductPage()));

        m->Action("mnuToolsExplorer")->trigger();
        QCOMPARE(catcher.urls.last(), QUrl::fromLocalFile(QDir::currentPath()));
    }
};

QTEST_MAIN(TestTextTools)
#include "tst_texttools.moc"
