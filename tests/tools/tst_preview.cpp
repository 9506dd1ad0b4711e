#include <QBuffer>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "document/CodeMax1.h"
#include "document/CopyRegistry.h"
#include "document/TextUnits.h"
#include "tools/BreakLines.h"
#include "tools/LivePreview.h"
#include "tools/Preview.h"
#include "tools/ToolFiles.h"

namespace {
// Nothing but the page under test is loaded: no network, no local files.
class OnlyThePage : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        if (info.requestUrl().scheme() != "data")
            info.block(true);
    }
};

QByteArray breakLines(const QByteArray& in, qsizetype every)
{
    return ApplyLineBreaks(in, LongLineBreaks(in, every), in.contains("\r\n") ? "\r\n" : "\n");
}

QByteArray withoutSpace(QByteArray s)
{
    s.removeIf([](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    return s;
}
} // namespace

// What the browser shows: the preview of a document, and pages with their long lines broken.
class TestPreview : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    UrlCatcher catcher{{"file"}};
    OnlyThePage interceptor;
    QWebEngineProfile* profile = nullptr;   // off the record: nothing is written to disk
    QWebEnginePage* parser = nullptr;

    QString writeFile(const QString& name, const QByteArray& bytes) { return WriteTestFile(dir, name, bytes); }
    static frmDocument* open(const QString& path) { return StartMain('"' + path + '"')->ActiveDocument(); }
    static void click(frmDocument* doc, int panel) { QTest::mouseClick(doc->Panel(panel), Qt::LeftButton); }
    static QStringList previewFiles(const QString& f) { return QDir(f).entryList({"~preview_qrn.*"}, QDir::Files); }

    // What the browser built from html: the mode, the DOM and the text a reader sees.
    QString parsed(const QByteArray& html, bool scripts)
    {
        parser->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts);
        QSignalSpy loaded(parser, &QWebEnginePage::loadFinished);
        parser->setContent(html, "text/html;charset=utf-8");
        if (!loaded.wait(20000))
            return "(not loaded)";
        QString result;
        bool done = false;
        parser->runJavaScript("document.compatMode + '\\n' + document.documentElement.outerHTML + '\\n' +"
                              "(document.body ? document.body.innerText : '')",
                              QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
                                  result = v.toString();
                                  done = true;
                              });
        return QTest::qWaitFor([&] { return done; }, 20000) ? result : "(no answer)";
    }

private slots:
    void initTestCase()
    {
        profile = new QWebEngineProfile(this);
        profile->setUrlRequestInterceptor(&interceptor);
        parser = new QWebEnginePage(profile, profile);
    }
    void cleanupTestCase() { delete parser; }   // before its profile
    void init()
    {
        PrepareTestProfile();
        SaveSetting("Config", "Instance", "0");
        prompter = ScriptedPrompter::install();
        catcher.urls.clear();
    }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

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
        // A previewed page loads its own pictures, near and remote, as a desktop browser would; its scripts cannot
        // read other local files.
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
        m->OpenCommandLine('"' + writeFile("hostile/page.html",
            "<HTML><BODY><IMG ID=a SRC=\"near.png\"><IMG ID=b SRC=\"file://" + far.toUtf8() +
            "\"><IMG ID=c SRC=\"http://127.0.0.1:" + QByteArray::number(remote.serverPort()) + "/p.png\">\n"
            "<IFRAME ID=f SRC=\"file:///etc/passwd\"></IFRAME>\n"
            "<SCRIPT>function read(u) { return fetch(u).then(r => r.text()).then(t => 'read', e => 'refused'); }\n"
            "function frame() { try { return f.contentDocument.body.innerText.includes('root') ? 'read' : 'refused'; }\n"
            "  catch (e) { return 'refused'; } }\n"
            "window.onload = () => Promise.all([read('secret.txt'), read('file:///etc/passwd')]).then(r =>\n"
            "  document.title = [a, b, c].map(i => i.naturalWidth > 0 ? 1 : 0).join('') + ' ' + r.join(' ') + ' ' + frame());\n"
            "</SCRIPT></BODY></HTML>") + '"');
        click(m->ActiveDocument(), 2);
        view = qobject_cast<QWebEngineView*>(m->ActiveDocument()->WebBrowser1());
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("111 refused refused refused"), 20000);
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

    // Closing a document removes its copies of any extension; closing the window, the untitled one's. The external
    // browser gets a fresh copy of the text in edit mode; a link planted as the copy is not followed. Only the copies
    // this program made go, and only when no open document uses them; a copy left by a crashed run goes at the next
    // start.
    void copiesAreOnlyOurs()
    {
        frmMain* m = StartMain();
        m->ActiveDocument()->Editor()->SetText("<title>Untitled</title>");
        click(m->ActiveDocument(), 2);
        const QString untitled = ToolFiles::ProgramFolder() + "~preview_qrn.html";
        QCOMPARE(ReadTestFile(untitled), QByteArray("<title>Untitled</title>"));
        const QString page = writeFile("multi/page.html", "<p>a</p>");
        m->OpenCommandLine('"' + page + '"');
        frmDocument* doc = m->ActiveDocument();
        click(doc, 2);
        prompter->queueMsgBox(MsgAnswer::Yes);
        doc->Panel(3)->setText(dir.filePath("multi/style.css"));
        click(doc, 2);
        QCOMPARE(previewFiles(dir.filePath("multi")), (QStringList{"~preview_qrn.html", "~preview_qrn.txt"}));
        doc->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(previewFiles(dir.filePath("multi")).isEmpty());
        QVERIFY(QFileInfo::exists(page));
        CloseMain(prompter);
        QVERIFY(!QFileInfo::exists(untitled));
        const QString a = writeFile("shared/a.html", "<p>a</p>"), b = writeFile("shared/b.html", "<p>b</p>");
        const QString foreign = writeFile("shared/~preview_qrn.css", "not ours"), victim = writeFile("victim.txt", "keep me");
        const QString copy = dir.filePath("shared/~preview_qrn.html");
        QVERIFY(QFile::link(victim, copy));
        m = StartMain('"' + a + '"');
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
        const QString list = CopyRegistry::ListFolder() + "/999999-1.list";
        QVERIFY(WriteFileAt(list, QFile::encodeName(left) + '\n' + QFile::encodeName(keep) + '\n'));
        StartMain();
        QVERIFY(!QFileInfo::exists(left) && !QFileInfo::exists(list));
        QCOMPARE(ReadTestFile(keep), QByteArray("mine"));
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
        QVERIFY(view && view->isVisible() && doc->Editor()->isVisible() && doc->findChild<QSplitter*>("LiveSplit"));
        QVERIFY2(view->width() > doc->width() / 3 && doc->Editor()->width() > doc->width() / 3,
                 qPrintable(QString("%1 beside %2").arg(view->width()).arg(doc->Editor()->width())));
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
        QVERIFY(!doc->LivePreviewButton()->isEnabled() && !LivePreview::SetOpen(m, doc, true));
        click(doc, 1);
        action->trigger();
        QVERIFY(LivePreview::IsOpen(doc));
        prompter->queueMsgBox(MsgAnswer::No);   // not saved
        doc->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(previewFiles(dir.filePath("live")), QStringList());
        QVERIFY(!action->isEnabled());
    }

    // The copy is named for the file's last dot; no ending, or a mapped one, gives .html. A page in a folder that
    // cannot be written: the copy goes to the per-user folder and its relative addresses still point at the page's
    // folder; nothing to report.
    void copyNameAndPlace()
    {
        QCOMPARE(Preview::TargetFor("/my.site/readme", true).Path(), QString("/my.site/~preview_qrn.html"));
        QCOMPARE(Preview::TargetFor("/site/page.", true).Path(), QString("/site/~preview_qrn.html"));
        QCOMPARE(Preview::TargetFor("/site/page.min.js", false).Path(), QString("/site/~preview_qrn.js"));
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

    // Every spot that may break is broken (every = 1) unless a row says otherwise.
    void breaks_data()
    {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<int>("every");
        QTest::addColumn<QByteArray>("out");
        auto row = [](const char* tag, const char* in, const char* out, int every = 1) {
            QTest::newRow(tag) << QByteArray(in) << every << QByteArray(out);
        };
        // `in` is left alone, and the tag after it is broken: the scan went past it in step.
        auto kept = [](const char* tag, const char* in) {
            QTest::newRow(tag) << QByteArray(in) + "<p a b>" << 1 << QByteArray(in) + "<p\na\nb>";
        };
        // Where a browser could read the text two ways, the rest of the file is left as it is.
        auto stops = [](const char* tag, const char* in) {
            QTest::newRow(tag) << QByteArray(in) + "<p a b>" << 1 << QByteArray(in) + "<p a b>";
        };
        row("after the name and between attributes, not in text or values",
            "a b <p class=a id=\"b \xc3\xa9\" hidden title='d e'>x \xc3\xa9</p>",
            "a b <p\nclass=a\nid=\"b \xc3\xa9\"\nhidden\ntitle='d e'>x \xc3\xa9</p>");
        row("unquoted values run to white space or '>'; a quoted one may end an attribute",
            "<a href=x/y title=a\"b c=d'e f=\"g\"h>", "<a\nhref=x/y\ntitle=a\"b\nc=d'e\nf=\"g\"h>");
        row("not around '=' nor before '>' or '/>'", "<a b = c  ><br /><i/ j>", "<a\nb = c  ><br /><i/\nj>");
        row("the last blank of a run; none where the run holds a line break", "<a  b\n c\td>", "<a \nb\n c\nd>");
        kept("end tags", "</p  ></a b c>");
        kept("comments, SSI, DOCTYPE, declarations", "<!DOCTYPE html PUBLIC \"a b\" \"c d\"><!-- <i a b> -->"
                                                     "<!--#include virtual=\"x y\" --><!x y z><!--><!--a--!>");
        kept("pre and listing: neither content nor start tags, nested too",
             "<PRE class=a id=b><b c=d e>x</b><pre></pre><i j k></Pre><listing a b><i c d></listing>");
        kept("textarea, title, style, xmp, iframe",
             "<textarea a b><i c d></textarea><title a b><i c d></TITLE ><style a b>p>a{}<i c d></style>"
             "<xmp a b><i c d></xmp><iframe a b><i c d></iframe>");
        kept("script, a tag in a string", "<Script a b>x='<i c d>';</scripts></script>");
        kept("script: \"</script>\" after \"<!--<script>\" does not end it", "<script><!--<script></script><i c d></script>-->");
        kept("script: \"-->\" ends the escape", "<script><!--<script>--></script>");
        kept("noscript holding an iframe", "<noscript><iframe src=x a b></iframe><img a b></noscript>");
        kept("server blocks", "<?php if ($a > $b) echo '<i c d>'; ?><% x = \"<i c d>\" %>");
        kept("server code in a tag", "<a <?= $x ?> c d><a href=\"<%= u %>\" c d>");
        kept("SVG and MathML", "<svg a b><g c d/><svg/></svg><math a b><mi c d>x</mi></math><svg a/>");
        kept("SVG in SVG's HTML part", "<svg><foreignObject><svg></svg></foreignObject></svg>");
        kept("CDATA ending alike in HTML and SVG", "<![CDATA[ab]]>");
        stops("CDATA read two ways", "<![CDATA[a>b]]>");
        stops("style in a select, read as markup", "<select><style><!--</style><i a b>--></select>");
        stops("server block read two ways", "<?x a > <!-- ?><i a b>-->");
        stops("\"</svg>\" that a browser ignores in SVG's HTML part",
              "<svg><foreignObject><div></svg></div></foreignObject><script><!--</script><i a b>--></script>");
        stops("plaintext", "<plaintext>");
        stops("frameset, where script start tags are skipped", "<frameset>");

        row("every 4", "<a b c d e f>", "<a b\nc d e\nf>", 4);
        row("CR LF lines", "<a b c>\r\n<a b c>", "<a b\r\nc>\r\n<a b\r\nc>", 4);
        row("CR lines", "<a b c>\r<a b c>", "<a b\nc>\r<a b\nc>", 4);
        row("a line break inside a tag", "<a b\nc d e>", "<a b\nc d\ne>", 3);
    }
    void breaks()
    {
        QFETCH(QByteArray, in);
        QFETCH(int, every);
        QFETCH(QByteArray, out);
        QCOMPARE(breakLines(in, every), out);
    }

    // Malformed input: each ends, and only blanks change.
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("in");
        auto row = [](const char* tag, QByteArray in) { QTest::newRow(tag) << in; };
        const int many = 50000;   // a slow pass on any of these would time out
        row("unclosed quote", "<p a b><a b=\"c d" + QByteArray(" x").repeated(many));
        row("'<' never closed", "<p a b><a b c" + QByteArray(" d").repeated(many));
        row("stray '>'", QByteArray("a > b <p a b> >").repeated(many));
        row("'<' and no letter", QByteArray("< p a b <1 a b <").repeated(many));
        static const char nul[] = "<p\0a b\0>\0<a\0 b c>";
        row("NUL bytes", QByteArray(nul, sizeof nul - 1).repeated(many));
        row("invalid UTF-8", QByteArray("\xff\xfe<p a\xc3 b\x80 c>\xe2\x82").repeated(many));
        row("openers without an end", QByteArray("<noscript><script><!--<script><!--<?<%<![CDATA[<svg>").repeated(many));
        for (const char* end : {"<p a b", "<p a b=", "<p a b='", "<!--", "<!", "<script>", "<", "</", "</p a", "<?", "<%"})
            row(end, QByteArray("<p a b>") + end);
    }
    void hostile()
    {
        QFETCH(QByteArray, in);
        const QVector<qsizetype> at = LongLineBreaks(in, 1);
        for (qsizetype i = 0; i < at.size(); ++i) {
            QVERIFY(i == 0 || at[i] > at[i - 1]);
            QVERIFY(in[at[i]] == ' ' || in[at[i]] == '\t');
        }
        QCOMPARE(withoutSpace(ApplyLineBreaks(in, at, "\r\n")), withoutSpace(in));
    }

    // The browser builds the same page, with scripts on and off (noscript content is then
    // markup), from pages broken wherever the scan allows.
    void samePage_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<bool>("scripts");
        QTest::addColumn<bool>("ours");   // written to be broken somewhere
        const char* pages[][2] = {
            {"attributes",
             "<!DOCTYPE html><html lang=en><head><meta charset=utf-8><title>T <b a=1></title>"
             "<link rel=stylesheet href=\"a b.css\"  media=all></head><body class=\"x y\" id=top>"
             "<p title='it''s' data-a=1 data-b= 2 data-c =3 hidden>a  b <a href=x/ c=\"d\"e>link</a> <img src=a.png alt=\"x\"/>"
             "<br/ ><br / clear=all></p><table border=1 summary=\"s t\"><tr class=r><td colspan=2 id=c>1</td>"
             "<select name=s><option value=\"a b\" selected>A</option></select><input type=text value=\"v w\" disabled>"
             "<ul><li id=1 class=a>one<li id=2>two</ul><form action=x method=post><button type=submit  name=b>Go</button></form>"
             "<p a=\"&amp; &lt;\" b=&gt;>&lt; &gt; &amp; 1 < 2 > 0 <3 </p ></body></html>"},
            {"raw and preformatted text",
             "<html><head><style media=screen  title=x>p > a { color: red }</style>"
             "<script type=text/javascript  id=s>var a = '<p a b>'; if (1 < 2 && 3 > 2) a += '</b c>';</script>"
             "<script><!--<script>document.title += '</script><i a b>';</script>--></script></head><body>"
             "<pre id=p1  class=c>\n<b a=1 c=2>keep   this</b>  </pre><textarea name=t rows=2>\n<p a b>x</textarea>"
             "<xmp a b><i c d></xmp><listing a b>\n<i c d>x</i></listing><noscript><iframe src=about:blank height=0 width=0></iframe>"
             "<img src=y alt=z width=1></noscript><iframe srcdoc=\"<p a b>\" width=1 height=1><i a b></iframe>"
             "<noembed a b><i c d></noembed><p class=end id=e>end</p></body></html>"},
            {"comments and declarations",
             "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
             "<html><body><!-- <p a b> --><!--><p a=1 b=2>x</p><!---><!-- a -- b --!><p c=3 d=4>y</p><!x a b>"
             "<?xml version=\"1.0\" a?><p e=5 f=6>z</p></ a b></><p g=7 h=8>a < b > c <3 <!-- end --></p>"
             "<![CDATA[ x ]]><p i=9 j=10>w</p></body></html>"},
            {"SVG and MathML",
             "<html><body><p a=1 b=2>before</p><svg width=10 height=10 viewBox=\"0 0 10 10\"><title>t <x a b></title>"
             "<style>.c { fill: red }</style><![CDATA[ x y ]]><script>var s = '<x a b>';</script><rect x=1 y=2 class=c /><svg/>"
             "<foreignObject width=5 height=5><p a b>html</p></foreignObject></svg><math display=block><mi mathvariant=bold>x</mi>"
             "<mtext a b>t</mtext></math><svg class=icon /><p c=3 d=4>after</p><svg><foreignObject><div></svg></div>"
             "</foreignObject><script><!--</script><p e=5 f=6>--></script></svg><p g=7 h=8></body></html>"},
            {"server blocks and text a browser reads two ways",
             "<html><body><p a=1 b=2>x</p><?php echo '<p a b>'; ?><% Response.Write(\"<p a b>\") %>"
             "<p c=3 d=4>y</p><select><style><!--</style><i a b>--></select><p e=5 f=6>z</p></body></html>"},
        };
        for (auto [name, html] : pages)
            for (bool scripts : {true, false})
                QTest::newRow(qPrintable(QString("%1, scripts %2").arg(name, scripts ? "on" : "off")))
                    << QByteArray(html) << scripts << true;
        // More pages, such as HTML Tidy's test cases, when a folder of them is given.
        const QString folder = qEnvironmentVariable("QRN_TIDY_CASES");
        if (folder.isEmpty())
            return;
        const QFileInfoList files = QDir(folder).entryInfoList({"*.html"}, QDir::Files, QDir::Name);
        for (const QFileInfo& file : files)
            QTest::newRow(qPrintable(file.fileName())) << ReadTestFile(file.filePath()) << false << false;
    }
    void samePage()
    {
        QFETCH(QByteArray, html);
        QFETCH(bool, scripts);
        QFETCH(bool, ours);
        const QByteArray broken = breakLines(html, 1);
        if (ours)
            QVERIFY(broken != html);
        QCOMPARE(parsed(broken, scripts), parsed(html, scripts));
    }

    // A page with a long line (lines end at CR LF, CR or LF): its window says so; the command (from the notice)
    // breaks the line in one Undo step, keeps bookmarks on their lines, and the caret panel counts columns right.
    void commandInMainWindow()
    {
        QCOMPARE(LongestLine(""), 0);
        QCOMPARE(LongestLine("ab\r\nabcd\rabc\nabcde\r\n"), 5);
        QCOMPARE(LongestLine("abc\nabcdef\rab\n"), 6);
        frmDocument* d = StartMain()->ActiveDocument();
        CodeMax1* e = d->Editor();
        QString line;
        while (line.size() < 150 * 1024)
            line += QStringLiteral("<td class=\"c\" width=\"5\">\u00e9 \U0001F600</td>");
        const QString text = "<table>\r\n" + line + "\r\n</table>\r\n";
        e->SetText(text);
        auto* notice = d->findChild<QToolButton*>("LongLines");
        QVERIFY(!notice->isHidden());
        e->SetCaretPos(2, 0);
        e->ExecuteCmd(CmCmd::BookmarkToggle);
        e->SetCaretPos(1, 100000);
        QCOMPARE(d->Panel(5)->text(), QString("Ln 2,  Col 100001"));
        notice->click();
        QVERIFY(LongestLine(e->Utf8Text()) < 2200 && notice->isHidden());
        QCOMPARE(e->Bookmarks(), QVector<int>{e->LineCount() - 2});
        QCOMPARE(e->Text().replace("\r\n", " "), QString(text).replace("\r\n", " "));   // spaces became breaks
        e->Undo();
        QCOMPARE(e->Text(), text);
        QCOMPARE(e->Bookmarks(), QVector<int>{2});
        // Nowhere to break: said, and nothing changes.
        e->SetText("<p>" + QString(200 * 1024, 'x') + "</p>");
        prompter->queueMsgBox(MsgAnswer::OK);
        MainWindow()->Action("mnuToolsBreakLines")->trigger();
        QVERIFY(prompter->messages().value(0).startsWith("No line could be broken"));
        QVERIFY(!notice->isHidden());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
