#include <QToolBar>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "base/ShellRoutines.h"
#include "document/CodeMax1.h"
#include "tools/Preview.h"
#include "tools/SpellCheck.h"
#include "tools/Tidy.h"
#include "tools/frmTidy.h"

#include <QBuffer>
#include <QImage>
#include <QMdiSubWindow>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineView>

// Tools facing a hostile machine, page or user: no dictionary, a page that never
// stops, a window closed while a tool works on it.
class TestToolHostile : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup()
    {
        CloseMain(prompter);
        Probe::SetDictionaryFolders({});
        Tidy::SetProgramOverride(QString());
    }

    // Closing the document or the main window while HTML Tidy runs stops the
    // run; the close happens afterwards, and nothing typed meanwhile is lost.
    void closeWhileTidyRuns_data()
    {
        QTest::addColumn<QString>("stage");   // "check": the first run; "log": the log window
        QTest::addColumn<bool>("mainWindow");
        QTest::newRow("document, first run") << "check" << false;
        QTest::newRow("main window, first run") << "check" << true;
        QTest::newRow("document, log window") << "log" << false;
        QTest::newRow("main window, log window") << "log" << true;
    }
    void closeWhileTidyRuns()
    {
        QFETCH(QString, stage);
        QFETCH(bool, mainWindow);
        if (stage == "check")
            Tidy::SetProgramOverride(WriteTestFile(dir, "slowtidy", "#!/bin/sh\nexec sleep 30\n", true));
        frmMain* m = StartMain();
        QPointer<frmDocument> doc = m->ActiveDocument();
        doc->Editor()->SetSelText("<P>page</P>");
        QString typed;
        auto closeIt = [&] {
            QTest::keyClicks(doc->Editor(), "typed");
            typed = doc->Editor()->Text();
            prompter->queueMsgBox(MsgAnswer::No);   // the save question, once the run has stopped
            if (mainWindow)
                m->close();
            else
                doc->SubWindow()->close();
        };
        if (stage == "check") {
            QTimer::singleShot(200, closeIt);
        } else {
            prompter->queueDialog([&](QDialog* d) {
                closeIt();
                qobject_cast<frmTidy*>(d)->cmdOK_Click();   // too late: the run was cancelled
                return int(QDialog::Accepted);
            });
        }
        QElapsedTimer t;
        t.start();
        m->Action("mnuToolsTidy")->trigger();
        QVERIFY2(t.elapsed() < 10000, "the run went on after the close");
        QVERIFY(doc);
        QCOMPARE(typed, QString("<P>page</P>"));   // read-only while Tidy works
        QCOMPARE(doc->Editor()->Text(), QString("<P>page</P>"));
        QVERIFY(!doc->IsBusy() && !doc->Editor()->isReadOnly());
        QTRY_VERIFY(!doc);
        QCOMPARE(prompter->messages(), QStringList{"Save changes to 'Document 1'?"});
        QTRY_COMPARE(bool(MainWindow()), !mainWindow);
    }

    void noDictionaryInstalled()
    {
        QVERIFY(QDir().mkpath(dir.filePath("nodics")));
        Probe::SetDictionaryFolders({dir.filePath("nodics")});
        frmMain* m = StartMain();
        QVERIFY(!m->Action("mnuToolsSpellCheck")->isVisible());
        QVERIFY(!m->ToolbarButton("Spell")->isVisible());
        // Reached anyway (a stale shortcut, say): nothing breaks and the text stays.
        m->ActiveDocument()->Editor()->SetText("Speling");
        prompter->defaultMsgAnswer = MsgAnswer::OK;
        fctnSpellCheck(m);
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("Speling"));
        QVERIFY(SpellDictionary::Installed().isEmpty());
    }

    // A previewed page loads its own pictures, near and remote, as a desktop browser would; its scripts cannot
    // read other local files, nor can one that never stops hold up the program.
    void previewOfHostilePages()
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
        WriteTestFile(dir, "site/near.png", png);
        const QString far = WriteTestFile(dir, "elsewhere/far.png", png);
        WriteTestFile(dir, "site/secret.txt", "secret");
        const QString page = WriteTestFile(dir, "site/page.html",
            "<HTML><BODY><IMG ID=a SRC=\"near.png\"><IMG ID=b SRC=\"file://" + far.toUtf8() +
            "\"><IMG ID=c SRC=\"http://127.0.0.1:" + QByteArray::number(remote.serverPort()) + "/p.png\">\n"
            "<IFRAME ID=f SRC=\"file:///etc/passwd\"></IFRAME>\n"
            "<SCRIPT>function read(u) { return fetch(u).then(r => r.text()).then(t => 'read', e => 'refused'); }\n"
            "function frame() { try { return f.contentDocument.body.innerText.includes('root') ? 'read' : 'refused'; }\n"
            "  catch (e) { return 'refused'; } }\n"
            "window.onload = () => Promise.all([read('secret.txt'), read('file:///etc/passwd')]).then(r =>\n"
            "  document.title = [a, b, c].map(i => i.naturalWidth > 0 ? 1 : 0).join('') + ' ' + r.join(' ') + ' ' + frame());\n"
            "</SCRIPT></BODY></HTML>");
        frmMain* m = StartMain('"' + page + '"');
        frmDocument* d = m->ActiveDocument();
        if (!Preview::Browser(d))
            QSKIP("the embedded browser is not installed");
        QVERIFY(Preview::PanelClick(m, d, 2));
        auto* view = qobject_cast<QWebEngineView*>(d->WebBrowser1());
        QVERIFY(view);
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("111 refused refused refused"), 20000);

        // A page that never stops spins in the browser's own process; this thread keeps serving events.
        m->OpenCommandLine('"' + WriteTestFile(dir, "loop.html", "<HTML><BODY>x<SCRIPT>while (true) {}</SCRIPT></BODY></HTML>") + '"');
        d = m->ActiveDocument();
        QVERIFY(Preview::PanelClick(m, d, 2));
        QVERIFY(!d->IsEditMode());
        QElapsedTimer t;
        t.start();
        QTest::qWait(300);
        QVERIFY(t.elapsed() < 2000);
        QVERIFY(Preview::PanelClick(m, d, 1));
        QVERIFY(d->IsEditMode());
        QVERIFY(d->Editor()->isVisible());
        QTest::keyClicks(d->Editor(), "ok");
        QVERIFY(d->Editor()->Text().startsWith("ok"));
    }
};

QTEST_MAIN(TestToolHostile)
#include "tst_toolhostile.moc"
