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
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    // Untitled documents are numbered on, dropped files take a number too; a new one opens as the last was shown.
    void numberingAndWindowState()
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
        // Each dropped file takes a number too, though its caption is its name.
        m->DropFiles({WriteTestFile(dir, "a.html", "a"), WriteTestFile(dir, "b.html", "b")});
        QCOMPARE(m->Documents().size(), 5);
        QCOMPARE(m->Documents().last()->Caption(), QStringLiteral("b.html"));
        m->ActiveDocument()->SubWindow()->showMinimized();
        QTRY_COMPARE(GetSetting("Config", "DocState"), QStringLiteral("1"));
        m->fctnNewDoc();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 7"));
        QVERIFY(m->ActiveDocument()->SubWindow()->isMinimized());
        m->ActiveDocument()->SubWindow()->showMaximized();
        QTRY_COMPARE(GetSetting("Config", "DocState"), QStringLiteral("2"));
    }

    // The language each file name gets (empty: no colouring).
    void languageTable()
    {
        for (auto [path, language] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"notes.txt", ""}, {"Notes.TXT", "HTML"}, {"README", "HTML"}, {"app.js", "Java"}, {"Main.java", "Java"},
                 {"site.css", "C/C++"}, {"run.pl", "C/C++"}, {"form.cgi", "C/C++"}, {"x.cpp", "C/C++"},
                 {"feed.xml", "XML"}, {"default.asp", "HTML"}, {"page.min.js", "HTML"}, {"web.site/a.css", "HTML"}})
            QCOMPARE(path + (": " + DocText::LanguageForPath(path)), path + QString(": ") + language);
    }

    // Files opened: caption, path and size panels; colouring by name, off for .txt files but the language kept.
    void loadColours()
    {
        QTemporaryDir plain(QDir::tempPath() + "/qrnXXXXXX");   // no dot in the folder, so the first dot is the file's
        frmMain* m = StartMain();
        for (auto [name, coloured, language] :
             {std::tuple{"notes.txt", "0", "HTML"}, {"Notes.TXT", "1", "HTML"}, {"style.css", "1", "C/C++"}}) {
            const QString path = WriteTestFile(plain, name, "<P>hello</P>\n");
            m->OpenCommandLine('"' + path + '"');
            frmDocument* d = m->ActiveDocument();
            QCOMPARE(QStringList({d->Caption(), d->PathPanel(), d->Panel(4)->text(),
                                  QString::number(d->Editor()->ColorSyntax()), d->Editor()->Language()}),
                     QStringList({name, QFileInfo(path).canonicalFilePath(), "13 bytes", coloured, language}));
        }
        CloseMain(prompter);   // before the files go
    }

    void sizeTexts()
    {
        QStringList texts;
        for (int n : {0, 1023, 1024, 1536, 10 * 1024 * 1024})
            texts << DocText::SizeText(n);
        QCOMPARE(texts, (QStringList{"0 bytes", "1023 bytes", "1.00 KB", "1.50 KB", "10240.00 KB"}));
    }

    // Typing marks the caption, is counted in the panels and enables the commands; a right click pops the Edit
    // menu up. Closing the last document hides or disables what needs one, and New brings them back.
    void typingAndCommands()
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
        QSignalSpy shown(m->Menu("mnuEdit"), &QMenu::aboutToShow);   // a right click pops the Edit menu up
        emit d->Editor()->RightClick(d->Editor()->mapToGlobal(QPoint(5, 5)));
        QTRY_COMPARE(shown.count(), 1);
        m->Menu("mnuEdit")->hide();
        prompter->queueMsgBox(MsgAnswer::No);
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

    // Close asks about a changed document: Cancel, or Yes with the Save As cancelled, keeps it; Yes saves it.
    // Close All asks the active one first and stops at the first Cancel, and so does Exit, writing nothing.
    void closeQuestions()
    {
        frmMain* m = StartMain();
        for (int i = 0; i < 3; ++i)
            m->fctnNewDoc();
        for (frmDocument* d : m->Documents())
            d->Editor()->SetSelText("<P>changed</P>");
        const QString path = dir.filePath("closed.html");
        QPointer<QMdiSubWindow> fourth = m->ActiveDocument()->SubWindow(), third = m->Documents().at(2)->SubWindow();
        using Answer = std::pair<int, FileDialogResult>;   // the last Save As is given a name
        for (auto [answer, saveAs] : {Answer{MsgAnswer::Cancel, {}}, Answer{MsgAnswer::Yes, {}}, Answer{MsgAnswer::Yes, {true, {path}, 2}}}) {
            prompter->queueMsgBox(answer);
            if (answer == MsgAnswer::Yes)
                prompter->queueFile(saveAs);
            m->mnuFileClose_Click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(fourth.isNull(), saveAs.accepted);
            QVERIFY(saveAs.accepted || m->ActiveDocument()->Editor()->Text() == "<P>changed</P>");
        }
        QCOMPARE(ReadTestFile(path), QByteArray("<P>changed</P>"));
        QCOMPARE(m->Recent().Path(1), path);
        prompter->queueMsgBox(MsgAnswer::No);
        m->MdiArea()->setActiveSubWindow(third);
        m->mnuFileClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(third.isNull());
        prompter->queueMsgBox(MsgAnswer::No);
        prompter->queueMsgBox(MsgAnswer::Cancel);
        m->mnuFileCloseAll_Click();
        QCOMPARE(m->Documents().size(), 1);
        const QString ask = "Save changes to 'Document %1'?";
        QCOMPARE(prompter->messages(), (QStringList{ask.arg(4), ask.arg(4), ask.arg(4), ask.arg(3), ask.arg(2), ask.arg(1)}));
        QCOMPARE(prompter->asked.first().buttons, int(MsgButtons::YesNoCancel));
        prompter->queueMsgBox(MsgAnswer::Cancel);
        m->close();
        QVERIFY(m->isVisible() && m->Documents().first()->Editor()->Text() == "<P>changed</P>");
        QCOMPARE(GetSetting("Config", "Tbar", "unset"), QStringLiteral("unset"));
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
