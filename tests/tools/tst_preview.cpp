#include <QBuffer>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "document/CodeMax1.h"
#include "document/CopyRegistry.h"
#include "tools/LivePreview.h"
#include "tools/Preview.h"
#include "tools/ToolFiles.h"

class TestPreview : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    UrlCatcher catcher{{"file"}};

    QString writeFile(const QString& name, const QByteArray& bytes) { return WriteTestFile(dir, name, bytes); }
    static frmDocument* open(const QString& path) { return StartMain('"' + path + '"')->ActiveDocument(); }
    static void click(frmDocument* doc, int panel) { QTest::mouseClick(doc->Panel(panel), Qt::LeftButton); }
    static QStringList previewFiles(const QString& f) { return QDir(f).entryList({"~preview_qrn.*"}, QDir::Files); }

private slots:
    void init()
    {
        PrepareTestProfile();
        SaveSetting("Config", "Instance", "0");
        prompter = ScriptedPrompter::install();
        catcher.urls.clear();
    }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    // The copy is named for the file's last dot; no ending, or a mapped one, gives .html.
    void target()
    {
        QCOMPARE(Preview::TargetFor("/my.site/readme", true).Path(), QString("/my.site/~preview_qrn.html"));
        QCOMPARE(Preview::TargetFor("/site/page.", true).Path(), QString("/site/~preview_qrn.html"));
        QCOMPARE(Preview::TargetFor("/site/page.min.js", false).Path(), QString("/site/~preview_qrn.js"));
    }

    void toggleInMainWindow()
    {
        const QString path = writeFile("site/index.html", "<html><head><title>First</title></head></html>");
        frmDocument* doc = open(path);
        frmMain* m = MainWindow();
        doc->Editor()->SetText("<title>Second</title><p>x</p>");
        doc->Editor()->SetModified(true);
        click(doc, 2);
        auto* view = qobject_cast<QWebEngineView*>(doc->WebBrowser1());
        QVERIFY(view && view->isVisible() && !doc->Editor()->isVisible());
        QCOMPARE(ReadTestFile(dir.filePath("site/~preview_qrn.html")), QByteArray("<title>Second</title><p>x</p>"));
        QCOMPARE(ReadTestFile(path), QByteArray("<html><head><title>First</title></head></html>"));
        QVERIFY(doc->Editor()->Modified() && !doc->IsEditMode());
        QCOMPARE(QList<int>({doc->Panel(1)->Bevel(), doc->Panel(2)->Bevel()}), QList<int>({2, 1}));
        QVERIFY(!m->List1()->isEnabled());
        QVERIFY(!m->Menu("mnuEdit")->menuAction()->isEnabled() && !m->ToolbarButton("Compress")->isEnabled());
        m->mnuEditDeleteLine_Click();   // commands do nothing to the hidden text
        QCOMPARE(doc->Editor()->Text(), QString("<title>Second</title><p>x</p>"));
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("Second"), 20000);
        doc->Editor()->SetText("<title>Third</title>");   // a second click shows the text as it is now
        click(doc, 2);
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("Third"), 20000);

        doc->Editor()->SetCaretPos(0, 0);
        click(doc, 1);
        QVERIFY(doc->IsEditMode());
        QCOMPARE(QList<int>({doc->Panel(1)->Bevel(), doc->Panel(2)->Bevel()}), QList<int>({1, 2}));
        QVERIFY(!view->isVisible() && doc->Editor()->isVisible());
        QCOMPARE(doc->Panel(5)->text(), QString("Ln 1,  Col 1"));
        QVERIFY(m->List1()->isEnabled() && m->ToolbarButton("Compress")->isEnabled());
    }

    void questionsAndFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("answer");        // 0: no question or message
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("written");   // empty: nothing written, edit mode kept
        const QString raw = "Preview does not support this file format, so *.%1 files can only be previewed as raw "
                            "text. Do you wish to proceed?";
        QTest::newRow("asp") << "default.asp" << int(MsgAnswer::OK)
                             << "Preview does not support server scripts, so Active Server Pages are previewed as HTML."
                             << "~preview_qrn.shtml";
        QTest::newRow("ASP upper case") << "page.ASP" << 0 << "" << "~preview_qrn.ASP";
        QTest::newRow("css yes") << "main.css" << int(MsgAnswer::Yes) << raw.arg("css") << "~preview_qrn.txt";
        QTest::newRow("js no") << "app.js" << int(MsgAnswer::No) << raw.arg("js") << "";
    }
    void questionsAndFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(QString, written);
        const QString folder = dir.filePath(QTest::currentDataTag()).replace(' ', '_');
        frmDocument* doc = open(writeFile(QFileInfo(folder).fileName() + "/" + name, "body { color: red }"));
        if (answer)
            prompter->queueMsgBox(answer);
        click(doc, 2);
        QCOMPARE(prompter->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(doc->IsEditMode(), written.isEmpty());
        QCOMPARE(previewFiles(folder), written.isEmpty() ? QStringList() : QStringList{written});
        if (!written.isEmpty())
            QCOMPARE(ReadTestFile(folder + "/" + written), QByteArray("body { color: red }"));
    }

    // Closing a document removes its copies of any extension; closing the window, the untitled one's.
    void copiesRemovedOnClose()
    {
        frmMain* m = StartMain();
        m->ActiveDocument()->Editor()->SetText("<title>Untitled</title>");
        click(m->ActiveDocument(), 2);
        const QString copy = ToolFiles::ProgramFolder() + "~preview_qrn.html";
        QCOMPARE(ReadTestFile(copy), QByteArray("<title>Untitled</title>"));
        const QString page = writeFile("multi/page.html", "<p>a</p>");
        m->OpenCommandLine('"' + page + '"');
        frmDocument* second = m->ActiveDocument();
        click(second, 2);
        prompter->queueMsgBox(MsgAnswer::Yes);
        second->Panel(3)->setText(dir.filePath("multi/style.css"));
        click(second, 2);
        QCOMPARE(previewFiles(dir.filePath("multi")), (QStringList{"~preview_qrn.html", "~preview_qrn.txt"}));
        second->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(previewFiles(dir.filePath("multi")).isEmpty());
        QVERIFY(QFileInfo::exists(page));
        CloseMain(prompter);
        QVERIFY(!QFileInfo::exists(copy));
    }

    // The external browser gets a fresh copy of the text in edit mode; a link planted as the copy is not followed.
    // Only the copies this program made go, and only when no open document uses them;
    // a copy left by a crashed run goes at the next start.
    void copiesAreOnlyOurs()
    {
        const QString a = writeFile("shared/a.html", "<p>a</p>"), b = writeFile("shared/b.html", "<p>b</p>");
        const QString foreign = writeFile("shared/~preview_qrn.css", "not ours"), victim = writeFile("victim.txt", "keep me");
        const QString copy = dir.filePath("shared/~preview_qrn.html");
        QVERIFY(QFile::link(victim, copy));
        frmMain* m = StartMain('"' + a + '"');
        frmDocument* first = m->ActiveDocument();
        first->Editor()->SetText("<p>new</p>");
        m->ToolbarButton("External")->trigger();
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(copy)});
        QVERIFY(first->IsEditMode() && !QFileInfo(copy).isSymLink());
        QCOMPARE(ReadTestFile(copy) + ReadTestFile(victim), QByteArray("<p>new</p>keep me"));
        m->OpenCommandLine('"' + b + '"');
        frmDocument* second = m->ActiveDocument();
        m->ToolbarButton("External")->trigger();
        prompter->queueMsgBox(MsgAnswer::No);
        first->SubWindow()->close();
        QVERIFY(QFileInfo::exists(copy));   // the other one still shows it
        second->SubWindow()->close();
        QVERIFY(!QFileInfo::exists(copy));
        QCOMPARE(ReadTestFile(foreign), QByteArray("not ours"));

        // Saved into another folder: the copy in the old one goes.
        const QString c = writeFile("one/c.html", "<p>c</p>");
        m->OpenCommandLine('"' + c + '"');
        m->ToolbarButton("External")->trigger();
        QVERIFY(QFileInfo::exists(dir.filePath("one/~preview_qrn.html")));
        QDir().mkpath(dir.filePath("two"));
        prompter->queueFile({true, {dir.filePath("two/c.html")}, 2});
        QVERIFY(m->mnuFileSaveAs_Click());
        QVERIFY(!QFileInfo::exists(dir.filePath("one/~preview_qrn.html")));
        CloseMain(prompter);

        // A run that ended without closing its documents.
        const QString left = writeFile("left/~preview_qrn.html", "stale"), keep = writeFile("left/keep.html", "mine");
        QDir().mkpath(CopyRegistry::ListFolder());
        QFile list(CopyRegistry::ListFolder() + "/999999-1.list");
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QFile::encodeName(left) + '\n' + QFile::encodeName(keep) + '\n');
        list.close();
        StartMain();
        QVERIFY(!QFileInfo::exists(left));
        QCOMPARE(ReadTestFile(keep), QByteArray("mine"));
        QVERIFY(!list.exists());
    }

    // The page beside the text follows the typing once it pauses, keeps its place, never holds
    // typing up (not even a page whose script never ends), and leaves no copy when closed.
    void livePreview()
    {
        LivePreview::SetDelay(100);
        QByteArray tall = "<html><head><title>One</title></head><body>";
        for (int i = 0; i < 300; ++i)
            tall += "<p>line " + QByteArray::number(i) + "</p>";
        const QString path = writeFile("live/page.html", tall + "</body></html>");
        frmDocument* doc = open(path);
        frmMain* m = MainWindow();
        QAction* action = m->Action("mnuViewLivePreview");
        QVERIFY(action->isEnabled() && !action->isChecked());
        action->trigger();
        auto* view = doc->findChild<QWebEngineView*>("LiveBrowser");
        QVERIFY(view); QVERIFY(view->isVisible()); QVERIFY(doc->Editor()->isVisible()); QVERIFY(doc->findChild<QSplitter*>("LiveSplit"));
        QVERIFY(action->isChecked() && doc->LivePreviewButton()->isChecked() && doc->IsEditMode());
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("One"), 20000);
        view->page()->runJavaScript("window.scrollTo(0, 1500)");
        QTRY_COMPARE_WITH_TIMEOUT(int(view->page()->scrollPosition().y()), 1500, 10000);

        // Typing goes to the text; the page follows once it stops.
        doc->Editor()->SetSel({0, 19, 0, 22}, true);
        doc->Editor()->setFocus();
        QTest::keyClicks(doc->Editor(), "Two");
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("Two"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(int(view->page()->scrollPosition().y()), 1500, 10000);
        QCOMPARE(ReadTestFile(dir.filePath("live/~preview_qrn.html")).left(33), QByteArray("<html><head><title>Two</title></h"));
        QCOMPARE(ReadTestFile(path), tall + "</body></html>");

        // A script that never ends runs in the page's own process.
        doc->Editor()->SetText("<title>Busy</title><script>for (;;) {}</script>");
        QTest::qWait(1000);
        doc->Editor()->SetCaretPos(0, 0);
        QTest::keyClicks(doc->Editor(), "still typing ");
        QVERIFY(doc->Editor()->Text().startsWith("still typing <title>Busy"));
        QTRY_VERIFY(ReadTestFile(dir.filePath("live/~preview_qrn.html")).startsWith("still typing "));

        // Closed from the status bar: no copy stays, and the text has the window again.
        QTest::mouseClick(doc->LivePreviewButton(), Qt::LeftButton);
        QVERIFY(!doc->findChild<QSplitter*>("LiveSplit") && !action->isChecked() && !doc->findChild<QWebEngineView*>("LiveBrowser"));
        QCOMPARE(previewFiles(dir.filePath("live")), QStringList());
        QVERIFY(doc->Editor()->isVisible() && doc->Editor()->parentWidget() == doc);

        // Preview mode takes the whole window; closing the document takes the copy with it.
        QTest::mouseClick(doc->LivePreviewButton(), Qt::LeftButton);
        QVERIFY(LivePreview::IsOpen(doc));
        click(doc, 2);
        QVERIFY(!LivePreview::IsOpen(doc) && !doc->IsEditMode() && !action->isEnabled());
        click(doc, 1);
        action->trigger();
        QVERIFY(LivePreview::IsOpen(doc));
        prompter->queueMsgBox(MsgAnswer::No);   // not saved
        doc->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(previewFiles(dir.filePath("live")), QStringList());
        QVERIFY(!action->isEnabled());
    }

    // A previewed page loads its own pictures, near and remote, as a desktop browser would; its scripts cannot
    // read other local files.
    void hostilePage()
    {
        QByteArray png;
        QBuffer buffer(&png);
        QImage(2, 2, QImage::Format_RGB32).save(&buffer, "PNG");
        QTcpServer remote;
        QVERIFY(remote.listen(QHostAddress::LocalHost));
        connect(&remote, &QTcpServer::newConnection, &remote, [&] {
            QTcpSocket* c = remote.nextPendingConnection();
            connect(c, &QTcpSocket::readyRead, c, [c, png] {
                c->readAll();
                c->write("HTTP/1.0 200 OK\r\nContent-Type: image/png\r\nContent-Length: " + QByteArray::number(png.size()) +
                         "\r\n\r\n" + png);
                c->disconnectFromHost();
            });
        });
        writeFile("hostile/near.png", png);
        const QString far = writeFile("elsewhere/far.png", png);
        writeFile("hostile/secret.txt", "secret");
        frmDocument* d = open(writeFile("hostile/page.html",
            "<HTML><BODY><IMG ID=a SRC=\"near.png\"><IMG ID=b SRC=\"file://" + far.toUtf8() +
            "\"><IMG ID=c SRC=\"http://127.0.0.1:" + QByteArray::number(remote.serverPort()) + "/p.png\">\n"
            "<IFRAME ID=f SRC=\"file:///etc/passwd\"></IFRAME>\n"
            "<SCRIPT>function read(u) { return fetch(u).then(r => r.text()).then(t => 'read', e => 'refused'); }\n"
            "function frame() { try { return f.contentDocument.body.innerText.includes('root') ? 'read' : 'refused'; }\n"
            "  catch (e) { return 'refused'; } }\n"
            "window.onload = () => Promise.all([read('secret.txt'), read('file:///etc/passwd')]).then(r =>\n"
            "  document.title = [a, b, c].map(i => i.naturalWidth > 0 ? 1 : 0).join('') + ' ' + r.join(' ') + ' ' + frame());\n"
            "</SCRIPT></BODY></HTML>"));
        click(d, 2);
        auto* view = qobject_cast<QWebEngineView*>(d->WebBrowser1());
        QVERIFY(view);
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("111 refused refused refused"), 20000);
    }

    // A page in a folder that cannot be written: the copy goes to the per-user folder and its
    // relative addresses still point at the page's folder; nothing to report.
    void readOnlyFolder()
    {
        QCOMPARE(Preview::WithBase("<html><HEAD><title>t</title>", "/a b/"),
                 QString("<html><HEAD><BASE HREF=\"file:///a%20b/\"><title>t</title>"));
        QCOMPARE(Preview::WithBase("<p>x", "/s"), QString("<BASE HREF=\"file:///s/\"><p>x"));
        QCOMPARE(Preview::WithBase("<head><base href=\"http://x/\">", "/s"), QString("<head><base href=\"http://x/\">"));
        SmallDisk disk;
        if (!disk.Mount("64k"))
            QSKIP("cannot mount a small file system here");
        const QString page = WriteTestFile(disk.dir, "page.html", "<HTML><HEAD><TITLE>T</TITLE></HEAD><IMG SRC=\"a.png\">");
        disk.MakeReadOnly();
        open(page);
        MainWindow()->ToolbarButton("External")->trigger();
        const QString copy = ToolFiles::ProgramFolder() + "~preview_qrn.html";
        QVERIFY2(prompter->messages().isEmpty(), qPrintable(prompter->messages().join('|')));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(copy)});
        QCOMPARE(ReadTestFile(copy), "<HTML><HEAD><BASE HREF=\"" + QUrl::fromLocalFile(disk.dir.path() + "/").toEncoded() +
                                         "\"><TITLE>T</TITLE></HEAD><IMG SRC=\"a.png\">");
        CloseMain(prompter);
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
