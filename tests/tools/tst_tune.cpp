#include <QtTest>

#include <QDirIterator>
#include <QRandomGenerator>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "tools/Tune.h"

namespace {
// The pass step by step, as its find-and-replace steps read: the fast pass must
// give the same on every text.
QByteArray StepByStep(QByteArray s)
{
    while (s.contains("  "))
        s.replace("  ", " ");
    for (const char* pair : {" >", "< ", "= ", " ="})
        s.replace(pair, QByteArray(pair).trimmed());
    // Lines that are empty or one space go with their break; the last has none.
    QByteArray out;
    for (qsizetype start = 0;;) {
        qsizetype end = start;
        while (end < s.size() && s[end] != '\n' && s[end] != '\r')
            ++end;
        const qsizetype next = end + (end < s.size()) + (s.mid(end, 2) == "\r\n");
        if (end - start > 1 || (end - start == 1 && s[start] != ' '))
            out += s.mid(start, next - start);
        if (end >= s.size())
            return out;
        start = next;
    }
}
} // namespace

class TestTune : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareTestProfile(); }

    void text_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        auto row = [](const char* tag, const char* in, const char* out) { QTest::newRow(tag) << QString(in) << QString(out); };
        row("spaces, tab kept, attribute values", "a    b  \t  c<a title=\"x   y\">", "a b \t c<a title=\"x y\">");
        row("around brackets, passes in order", "< b><p >x</p >< = >", "<b><p>x</p><=>");
        row("LF lines", "a\n\n \nb\n", "a\nb\n");
        row("lone CR lines", "a\r\r \rb", "a\rb");
        row("tab-only and two-char lines stay", "a\r\n\t\r\n x\r\nb", "a\r\n\t\r\n x\r\nb");
        row("first and last line", "\r\n<p>\r\n ", "<p>\r\n");
        row("non-ASCII untouched", "é  ü\r\n\r\n€", "é ü\r\n€");
    }
    void text()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(TuneText(in), out);
        QCOMPARE(TuneText(out), out);   // a second pass finds nothing more
    }

    // Two decimals; an empty text divides by nothing.
    void report()
    {
        QCOMPARE(TuneReport({200, 199}), QString("0.50% decrease in size (1 bytes)."));
        QCOMPARE(TuneReport({0, 0}), QString("No size reduction was possible in this pass - try a manual review."));
    }

    // Compresses in one undo step and reports; a second run finds nothing; bookmarks follow, also on Undo.
    void commandInMainWindow()
    {
        ScriptedPrompter* prompter = ScriptedPrompter::install();
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        const QString page = "<html >\r\n\r\n<body  bgcolor = white>\r\n   \r\n<p >Hi</p >\r\n</body>\r\n";
        e->SetText(page);
        for (int line : {0, 1, 2, 4})
            e->SetCaretPos(line, 0), e->ExecuteCmd(CmCmd::BookmarkToggle);
        MainWindow()->ToolbarButton("Compress")->trigger();   // the reports get the default OK
        QCOMPARE(e->Text(), QString("<html>\r\n<body bgcolor=white>\r\n<p>Hi</p>\r\n</body>\r\n"));
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 0, 0, 0}));
        QCOMPARE(MainWindow()->ActiveDocument()->Panel(4)->text(), QString("50 bytes"));
        MainWindow()->Action("mnuToolsCompress")->trigger();
        QCOMPARE(prompter->unexpected, (QStringList{"20.63% decrease in size (13 bytes).",
                                                    "No size reduction was possible in this pass - try a manual review."}));
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
        e->Undo();
        QCOMPARE(e->Text(), page);
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2, 4}));
        e->Redo();
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
        CloseMain(prompter);
    }

    // Random texts thick with spaces, breaks and brackets, at every length around
    // the 16, 32 and 64 characters the pass goes by; sample pages; and, when
    // QRN_TIDY_CASES names a folder, the pages in it.
    void sameAsStepByStep()
    {
        QList<QByteArray> texts;
        // U+203C and U+0120 have '<' and ' ' as their low byte in UTF-16.
        const char* const pieces[] = {" ", " ", " ", "\r", "\n", "<", ">", "=", "\t", "a", "\xc3\xa9",
                                      "\xe2\x80\xbc", "\xc4\xa0", "       "};
        QRandomGenerator rng(20240611);
        for (int i = 0; i < 4000; ++i) {
            const int length = i < 400 ? i % 100 : int(rng.bounded(i % 10 ? 150 : 1500));
            QByteArray text;
            while (text.size() < length)
                text += pieces[rng.bounded(int(std::size(pieces)))];
            texts << text;
        }
        // The pages of the timing programs, shorter.
        texts << "<HTML>\r\n<HEAD><TITLE>Sample</TITLE></HEAD>\r\n<BODY>\r\n" +
                     QByteArray("<TABLE BORDER=\"0\" CELLPADDING=\"4\" WIDTH=\"80%\">\r\n  <TR>\r\n"
                                "    <TD CLASS=\"name\">Sourdough &amp; rye</TD>\r\n    <TD>  3.50  </TD>\r\n  </TR>\r\n"
                                "</TABLE>\r\n<!-- price list -->\r\n"
                                "<P>Open   daily from 7&nbsp;am.   Fresh bread   every morning.</P>\r\n"
                                "<SCRIPT LANGUAGE=\"JavaScript\">\r\n"
                                "var total = 0; for (var i = 0; i < 10; i++) { total += i; }\r\n</SCRIPT>\r\n"
                                "    \r\n \r\n")
                         .repeated(70) + "</BODY>\r\n</HTML>\r\n"
              << "<html>\r\n<body>\r\n<table>\r\n" +
                     QByteArray("  <tr >\r\n    <td  class = \"cell\"  >Item   text   with   spaces</td >\r\n"
                                "    < td width = 5>x</td>\r\n  </tr>\r\n \r\n\r\n")
                         .repeated(70) + "</table>\r\n</body>\r\n</html>\r\n";
        const QString cases = qEnvironmentVariable("QRN_TIDY_CASES");
        QDirIterator it(cases, {"*.html"}, QDir::Files, QDirIterator::Subdirectories);
        while (!cases.isEmpty() && it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            texts << file.readAll();
        }
        for (const QByteArray& text : texts) {
            const QString wide = QString::fromUtf8(text);
            const QString wideOut = QString::fromUtf8(StepByStep(wide.toUtf8()));
            if (TuneUtf8(text) != StepByStep(text) || TuneText(wide) != wideOut)
                QFAIL(qPrintable("differs on " + text.left(400).toPercentEncoding()));
        }
    }

    void linearTime()
    {
        const QString page = QString("<td  a = 1 >  </td >\r\n \r\n").repeated(40000);
        QElapsedTimer t;
        t.start();
        QCOMPARE(TuneText(page), QString("<td a=1> </td>\r\n").repeated(40000));
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    }
};

QTEST_MAIN(TestTune)
#include "tst_tune.moc"
