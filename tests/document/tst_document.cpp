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
        // Each dropped file takes a number too, though its caption is its name.
        m->DropFiles({WriteTestFile(dir, "a.html", "a"), WriteTestFile(dir, "b.html", "b")});
        QCOMPARE(m->Documents().size(), 5);
        QCOMPARE(m->Documents().last()->Caption(), QStringLiteral("b.html"));
        m->fctnNewDoc();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 7"));
    }

    // The language each file name gets (empty: no colouring), and the size panel's texts.
    void languageTable_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("language");
        for (auto [path, language] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"notes.txt", ""}, {"Notes.TXT", "HTML"}, {"README", "HTML"}, {"app.js", "Java"}, {"Main.java", "Java"},
                 {"site.css", "C/C++"}, {"run.pl", "C/C++"}, {"form.cgi", "C/C++"}, {"x.cpp", "C/C++"},
                 {"feed.xml", "XML"}, {"default.asp", "HTML"}, {"page.min.js", "HTML"}, {"web.site/a.css", "HTML"}})
            QTest::newRow(path) << QString(path) << QString(language);
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

    void sizeTexts()
    {
        QStringList texts;
        for (int n : {0, 1023, 1024, 1536, 10 * 1024 * 1024})
            texts << DocText::SizeText(n);
        QCOMPARE(texts, (QStringList{"0 bytes", "1023 bytes", "1.00 KB", "1.50 KB", "10240.00 KB"}));
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
