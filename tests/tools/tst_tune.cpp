#include <QtTest>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "tools/Tune.h"

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
