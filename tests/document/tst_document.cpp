#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

#include "FakeWorkspace.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "document/CodeMax1.h"

class TestDocument : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void numbering()
    {
        frmMain* m = StartMain();
        m->fctnNewDoc();
        frmDocument* second = m->ActiveDocument();
        m->fctnNewDoc();
        second->SubWindow()->close();
        m->fctnNewDoc();
        QStringList captions;
        for (frmDocument* d : m->Documents())
            captions << d->Caption();
        QCOMPARE(captions.join(','), QStringLiteral("Document 1,Document 3,Document 4"));
        QCOMPARE(m->DocCount(), 4);
    }

    void languageTable_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("language");  // empty: no colouring
        QTest::newRow("notes.txt") << "notes.txt" << "";
        QTest::newRow("Notes.TXT") << "Notes.TXT" << "HTML";
        QTest::newRow("no dot") << "README" << "HTML";
        QTest::newRow("js") << "app.js" << "Java";
        QTest::newRow("java") << "Main.java" << "Java";
        QTest::newRow("css") << "site.css" << "C/C++";
        QTest::newRow("pl") << "run.pl" << "C/C++";
        QTest::newRow("cgi") << "form.cgi" << "C/C++";
        QTest::newRow("cpp") << "x.cpp" << "C/C++";
        QTest::newRow("xml") << "feed.xml" << "XML";
        QTest::newRow("asp") << "default.asp" << "HTML";
        QTest::newRow("first dot counts") << "page.min.js" << "HTML";
        QTest::newRow("dotted folder") << "web.site/a.css" << "HTML";
    }
    void languageTable()
    {
        QFETCH(QString, path);
        QFETCH(QString, language);
        QCOMPARE(DocText::LanguageForPath(path), language);
    }

    void loadColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("coloured");
        QTest::addColumn<QString>("language");
        QTest::newRow("notes.txt") << "notes.txt" << false << "HTML";
        QTest::newRow("Notes.TXT") << "Notes.TXT" << true << "HTML";
        QTest::newRow("style.css") << "style.css" << true << "C/C++";
    }
    void loadColours()
    {
        QFETCH(QString, name);
        QFETCH(bool, coloured);
        QFETCH(QString, language);
        // A fresh folder without dots each row, so the first dot is the file's own.
        QTemporaryDir plain(QDir::tempPath() + "/qrnXXXXXX");
        const QString path = WriteTestFile(plain, name, "<P>hello</P>\n");
        frmMain* m = StartMain('"' + path + '"');
        frmDocument* d = m->ActiveDocument();
        QCOMPARE(d->Caption(), name);
        QCOMPARE(d->PathPanel(), QFileInfo(path).canonicalFilePath());
        QCOMPARE(d->Editor()->ColorSyntax(), coloured);
        QCOMPARE(d->Editor()->Language(), language);  // kept while colouring is off
        QCOMPARE(d->Panel(4)->text(), QStringLiteral("13 bytes"));
    }

    void sizeTexts_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "0 bytes";
        QTest::newRow("1023") << 1023 << "1023 bytes";
        QTest::newRow("1024") << 1024 << "1.00 KB";
        QTest::newRow("1536") << 1536 << "1.50 KB";
        QTest::newRow("10 MB") << 10 * 1024 * 1024 << "10240.00 KB";
    }
    void sizeTexts()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(DocText::SizeText(n), text);
    }

    void typingMarksAndCounts()
    {
        frmMain* m = StartMain();
        frmDocument* d = m->ActiveDocument();
        QCOMPARE(d->Panel(3)->text() + " / " + d->Panel(4)->text(), QStringLiteral("Untitled document / 0 bytes"));
        QVERIFY(!m->ToolbarButton("Save")->isEnabled());
        d->Editor()->setFocus();
        QTest::keyClicks(d->Editor(), QStringLiteral("<B>"));
        QTest::sendKeyEvent(QTest::Click, d->Editor(), Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
        QTest::keyClicks(d->Editor(), QStringLiteral("</B>"));
        QCOMPARE(d->Caption() + " / " + d->SubWindow()->windowTitle(), QStringLiteral("Document 1* / Document 1*"));
        QCOMPARE(d->Panel(4)->text() + " / " + d->Panel(5)->text(), QStringLiteral("8 bytes / Ln 1,  Col 9"));
        QVERIFY(m->ToolbarButton("Save")->isEnabled() && m->ToolbarButton("Undo")->isEnabled());
        QVERIFY(!m->ToolbarButton("Copy")->isEnabled() && m->PowerbarButton(4)->isEnabled());
        QTest::keyClick(d->Editor(), Qt::Key_Return);
        QCOMPARE(d->Panel(5)->text(), QStringLiteral("Ln 2,  Col 1"));
        QCOMPARE(d->Editor()->Text(), QStringLiteral("<B>é</B>\r\n"));
    }

    // A document window needs no main window: keys insert through its workspace, and it
    // reports its state, its context menu, drops and saves to the workspace.
    void aloneInAWorkspace()
    {
        FakeWorkspace ws;
        frmDocument* d = ws.AddDocument();
        CodeMax1* e = d->Editor();
        QSignalSpy commands(d, &frmDocument::commandsChanged), menu(d, &frmDocument::contextMenuRequested);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(e->Text(), QStringLiteral("&nbsp;"));
        QVERIFY(commands.count() > 0 && d->Caption().endsWith('*'));
        e->SetText(QString());
        QTest::keyClicks(e, "em");
        e->SetSel({0, 0, 0, 2});
        QTest::keyClick(e, Qt::Key_Slash, Qt::ControlModifier);
        QCOMPARE(e->Text(), QStringLiteral("<>em</>"));
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 1, 0, 1}));
        emit e->RightClick(QPoint(5, 5));
        QCOMPARE(menu.count(), 1);
        emit e->FilesDropped({"/a.html"});
        QTRY_COMPARE(ws.dropped, QStringList{"/a.html"});
        prompter->queueMsgBox(MsgAnswer::Yes);
        QVERIFY(!d->CloseQuestion());   // saved through the workspace, which left it modified
        QCOMPARE(ws.saves, 1);
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveAs");  // whether the Save As dialog is confirmed
        QTest::addColumn<bool>("closed");
        QTest::newRow("Cancel keeps the window") << int(MsgAnswer::Cancel) << false << false;
        QTest::newRow("No closes it") << int(MsgAnswer::No) << false << true;
        QTest::newRow("Yes, Save As cancelled") << int(MsgAnswer::Yes) << false << false;
        QTest::newRow("Yes saves and closes") << int(MsgAnswer::Yes) << true << true;
    }
    void closeQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, saveAs);
        QFETCH(bool, closed);
        frmMain* m = StartMain();
        m->fctnNewDoc();
        frmDocument* d = m->ActiveDocument();
        d->Editor()->SetSelText("<P>changed</P>");
        QCOMPARE(d->Caption(), QStringLiteral("Document 2*"));
        const QString path = dir.filePath(QTest::currentDataTag() + QStringLiteral(".html"));
        prompter->queueMsgBox(answer);
        if (answer == MsgAnswer::Yes)
            prompter->queueFile(saveAs ? FileDialogResult{true, {path}, 2} : FileDialogResult{});
        QPointer<QMdiSubWindow> sub = d->SubWindow();
        m->mnuFileClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(prompter->messages(), QStringList{"Save changes to 'Document 2'?"});
        QCOMPARE(prompter->asked.first().buttons, int(MsgButtons::YesNoCancel));
        QCOMPARE(sub.isNull(), closed);
        QCOMPARE(m->Documents().size(), closed ? 1 : 2);
        QVERIFY(closed || d->Editor()->Text() == QStringLiteral("<P>changed</P>"));
        QCOMPARE(ReadTestFile(path), saveAs ? QByteArray("<P>changed</P>") : QByteArray("<missing>"));
        QVERIFY(!saveAs || m->Recent().Path(1) == path);
    }

    void lastCloseDisablesCommands()
    {
        frmMain* m = StartMain();
        m->mnuFileClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m->Documents().size(), 0);
        for (const char* n : {"mnuFileClose", "mnuFileSave", "mnuFilePrint", "mnuFileProperties", "mnuViewLine"})
            QVERIFY2(!m->Action(n)->isVisible(), n);
        QVERIFY(!m->Menu("mnuEdit")->menuAction()->isVisible() && !m->List1()->isEnabled());
        QStringList enabled;
        for (int pos = 1; pos <= m->ToolbarButtonCount(); ++pos)
            if (m->ToolbarButtonAt(pos)->isEnabled() && !m->ToolbarButtonAt(pos)->isSeparator())
                enabled << m->ToolbarButtonAt(pos)->data().toString();
        QCOMPARE(enabled, (QStringList{"New", "Open", "Exit"}));
        for (int i = 1; i <= 11; ++i)
            QVERIFY(!m->PowerbarButton(i)->isEnabled());
        m->ToolbarButton("New")->trigger();  // brings them back
        QVERIFY(m->Action("mnuFileClose")->isVisible() && m->Menu("mnuEdit")->menuAction()->isVisible());
        QVERIFY(m->PowerbarButton(1)->isEnabled());
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 2"));
    }

    void minimisedLastOpensMinimised()
    {
        frmMain* m = StartMain();
        m->ActiveDocument()->SubWindow()->showMinimized();
        QTRY_COMPARE(GetSetting("Config", "DocState"), QStringLiteral("1"));
        m->fctnNewDoc();
        QVERIFY(m->ActiveDocument()->SubWindow()->isMinimized());
        m->ActiveDocument()->SubWindow()->showMaximized();
        QTRY_COMPARE(GetSetting("Config", "DocState"), QStringLiteral("2"));
    }

    void rightClickPopsEditMenu()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        QMenu* edit = m->Menu("mnuEdit");
        QSignalSpy shown(edit, &QMenu::aboutToShow);
        emit e->RightClick(e->mapToGlobal(QPoint(5, 5)));
        QTRY_COMPARE(shown.count(), 1);
        edit->hide();
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
