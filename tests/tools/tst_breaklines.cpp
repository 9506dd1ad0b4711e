#include <QtTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include <QToolButton>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "document/TextUnits.h"
#include "tools/BreakLines.h"

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

class TestBreakLines : public QObject {
    Q_OBJECT
    OnlyThePage interceptor;
    QWebEngineProfile* profile = nullptr;   // off the record: nothing is written to disk
    QWebEnginePage* page = nullptr;

    // What the browser built from html: the mode, the DOM and the text a reader sees.
    QString parsed(const QByteArray& html, bool scripts)
    {
        page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts);
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        page->setContent(html, "text/html;charset=utf-8");
        if (!loaded.wait(20000))
            return "(not loaded)";
        QString result;
        bool done = false;
        page->runJavaScript("document.compatMode + '\\n' + document.documentElement.outerHTML + '\\n' +"
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
        PrepareTestProfile();
        profile = new QWebEngineProfile(this);
        profile->setUrlRequestInterceptor(&interceptor);
        page = new QWebEnginePage(profile, profile);
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

    // Lines end at CR LF, CR or LF; a lone CR splits a long line.
    void longestLine()
    {
        QCOMPARE(LongestLine(""), 0);
        QCOMPARE(LongestLine("ab\r\nabcd\rabc\nabcde\r\n"), 5);
        QCOMPARE(LongestLine("abc\nabcdef\rab\n"), 6);
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
        for (const QFileInfo& file : files) {
            QFile f(file.filePath());
            if (f.open(QIODevice::ReadOnly))
                QTest::newRow(qPrintable(file.fileName())) << f.readAll() << false << false;
        }
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

    // A page with a long line: its window says so; the command (from the notice) breaks the line in one
    // Undo step, keeps bookmarks on their lines, and the caret panel counts columns right on long lines.
    void commandInMainWindow()
    {
        ScriptedPrompter* prompter = ScriptedPrompter::install();
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
        MainWindow()->Action("mnuToolsBreakLines")->trigger();
        QVERIFY(prompter->unexpected.size() == 1 && prompter->unexpected.first().startsWith("No line could be broken"));
        QVERIFY(!notice->isHidden());
    }

    void cleanupTestCase() { delete page; }   // before its profile
};

QTEST_MAIN(TestBreakLines)
#include "tst_breaklines.moc"
