#include <QtTest>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "tools/Tune.h"

class TestTune : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void text_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("four spaces") << "a    b" << "a b";
        QTest::newRow("tab kept between spaces") << "a  \t  b" << "a \t b";
        QTest::newRow("space before >") << "<p >x</p >" << "<p>x</p>";
        QTest::newRow("space after <") << "< b>" << "<b>";
        QTest::newRow("around =") << "width = 5" << "width=5";
        QTest::newRow("runs around =") << "a  =  b" << "a=b";
        QTest::newRow("pre collapsed too") << "<pre>a  b</pre>" << "<pre>a b</pre>";
        QTest::newRow("attribute value collapsed") << "<a title=\"x   y\">" << "<a title=\"x y\">";
        QTest::newRow("passes in order") << "< = >" << "<=>";
        QTest::newRow("= then space then >") << "a= >" << "a=>";
        QTest::newRow("each pass once") << "=  =  =" << "===";
        QTest::newRow("spaces-only line removed") << "a\r\n    \r\nb" << "a\r\nb";
        QTest::newRow("empty lines removed") << "a\r\n\r\n\r\nb\r\n" << "a\r\nb\r\n";
        QTest::newRow("LF lines") << "a\n\n \nb\n" << "a\nb\n";
        QTest::newRow("lone CR lines") << "a\r\r \rb" << "a\rb";
        QTest::newRow("tab-only line stays") << "a\r\n\t\r\nb" << "a\r\n\t\r\nb";
        QTest::newRow("two-char line stays") << "a\r\n x\r\nb" << "a\r\n x\r\nb";
        QTest::newRow("first line blank") << "\r\n<html>" << "<html>";
        QTest::newRow("last line one space") << "<p>\r\n " << "<p>\r\n";
        QTest::newRow("final break kept") << "<p>\r\n" << "<p>\r\n";
        QTest::newRow("only spaces") << "     " << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("nothing to do") << "<p>x</p>" << "<p>x</p>";
        QTest::newRow("leading space of line kept") << "  <td >x</td>" << " <td>x</td>";
        QTest::newRow("non-ASCII untouched") << "é  ü\r\n\r\n€" << "é ü\r\n€";
    }
    void text()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(TuneText(in), out);
        // A second pass finds nothing more.
        QCOMPARE(TuneText(out), out);
    }

    void report_data()
    {
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<QString>("message");
        QTest::newRow("example") << 2000 << 1750 << "12.50% decrease in size (250 bytes).";
        QTest::newRow("two decimals") << 200 << 199 << "0.50% decrease in size (1 bytes).";
        QTest::newRow("whole percent") << 4 << 0 << "100.00% decrease in size (4 bytes).";
        QTest::newRow("third") << 3 << 2 << "33.33% decrease in size (1 bytes).";
        QTest::newRow("none") << 10 << 10 << "No size reduction was possible in this pass - try a manual review.";
        QTest::newRow("empty") << 0 << 0 << "No size reduction was possible in this pass - try a manual review.";
    }
    void report()
    {
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        QFETCH(QString, message);
        QCOMPARE(TuneReport({oldSize, newSize}), message);
    }

    void editorOneUndoStep()
    {
        CodeMax1 e;
        const QString page = "<html >\r\n\r\n<body  bgcolor = white>\r\n   \r\n<p >Hi</p >\r\n</body>\r\n";
        e.SetText(page);
        e.SetCaretPos(3, 2);
        const TuneResult r = TuneEditor(&e);
        QCOMPARE(e.Text(), QString("<html>\r\n<body bgcolor=white>\r\n<p>Hi</p>\r\n</body>\r\n"));
        QCOMPARE(r.oldSize, int(page.size()));
        QCOMPARE(r.newSize, e.TextLength());
        QCOMPARE(e.GetSel(true), (CodeMaxRange{0, 0, 0, 0}));
        QVERIFY(e.Modified());
        QCOMPARE(e.FindText(), QString(" ="));
        QCOMPARE(e.ReplaceText(), QString("="));
        e.Undo();
        QCOMPARE(e.Text(), page);
        QVERIFY(!e.CanUndo());
    }

    void commandInMainWindow()
    {
        frmMain* m = StartMain();
        frmDocument* doc = m->ActiveDocument();
        QVERIFY(doc);
        // 200 characters losing one: the report keeps two decimals.
        doc->Editor()->SetText(QString(196, 'x') + "a  b");
        QCOMPARE(doc->Editor()->TextLength(), 200);
        prompter->queueMsgBox(MsgAnswer::OK);
        prompter->queueMsgBox(MsgAnswer::OK);
        m->ToolbarButton("Compress")->trigger();
        QCOMPARE(doc->Editor()->Text(), QString(196, 'x') + "a b");
        QCOMPARE(doc->Panel(4)->text(), QString("199 bytes"));
        QVERIFY(doc->Caption().endsWith('*'));
        // Running it again on its own result finds nothing.
        m->Action("mnuToolsCompress")->trigger();
        QCOMPARE(prompter->messages(),
                 (QStringList{"0.50% decrease in size (1 bytes).",
                              "No size reduction was possible in this pass - try a manual review."}));
        QCOMPARE(prompter->asked.at(0).icon, int(MsgIcon::Information));
        QCOMPARE(prompter->asked.at(0).title, QString("QRN"));
    }

    void emptyDocument()
    {
        frmMain* m = StartMain();
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuToolsCompress")->trigger();
        QCOMPARE(prompter->messages(),
                 QStringList{"No size reduction was possible in this pass - try a manual review."});
        QVERIFY(!m->ActiveDocument()->Editor()->Modified());
    }

    void linearTime()
    {
        // A megabyte of worst-case runs must not take a pass per occurrence.
        QString page;
        for (int i = 0; i < 40000; ++i)
            page += "<td  a = 1 >  </td >\r\n \r\n";
        QElapsedTimer t;
        t.start();
        const QString out = TuneText(page);
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(out.size(), qsizetype(40000) * QString("<td a=1> </td>\r\n").size());
    }
};

QTEST_MAIN(TestTune)
#include "tst_tune.moc"
