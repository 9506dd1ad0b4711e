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
        const char* rows[][3] = {
            {"four spaces", "a    b", "a b"},
            {"tab kept between spaces", "a  \t  b", "a \t b"},
            {"around tag brackets", "< b><p >x</p >", "<b><p>x</p>"},
            {"runs around =", "a  =  b", "a=b"},
            {"attribute value collapsed", "<a title=\"x   y\">", "<a title=\"x y\">"},
            {"passes in order", "< = >", "<=>"},
            {"blank lines removed", "a\r\n    \r\n\r\nb\r\n", "a\r\nb\r\n"},
            {"LF lines", "a\n\n \nb\n", "a\nb\n"},
            {"lone CR lines", "a\r\r \rb", "a\rb"},
            {"tab-only and two-char lines stay", "a\r\n\t\r\n x\r\nb", "a\r\n\t\r\n x\r\nb"},
            {"first and last line", "\r\n<p>\r\n ", "<p>\r\n"},
            {"non-ASCII untouched", "é  ü\r\n\r\n€", "é ü\r\n€"},
        };
        for (const auto& [tag, in, out] : rows)
            QTest::newRow(tag) << QString::fromUtf8(in) << QString::fromUtf8(out);
    }
    void text()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(TuneText(in), out);
        QCOMPARE(TuneText(out), out);   // a second pass finds nothing more
    }

    void report_data()
    {
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<QString>("message");
        const QString none = "No size reduction was possible in this pass - try a manual review.";
        QTest::newRow("example") << 2000 << 1750 << "12.50% decrease in size (250 bytes).";
        QTest::newRow("two decimals") << 200 << 199 << "0.50% decrease in size (1 bytes).";
        QTest::newRow("none") << 10 << 10 << none;
        QTest::newRow("empty") << 0 << 0 << none;
    }
    void report()
    {
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        QFETCH(QString, message);
        QCOMPARE(TuneReport({oldSize, newSize}), message);
    }

    // The toolbar button compresses in one undo step and reports; a second run finds nothing.
    void commandInMainWindow()
    {
        ScriptedPrompter* prompter = ScriptedPrompter::install();
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        const QString page = "<html >\r\n\r\n<body  bgcolor = white>\r\n   \r\n<p >Hi</p >\r\n</body>\r\n";
        e->SetText(page);
        for (int line : {0, 1, 2, 4}) {
            e->SetCaretPos(line, 0);
            e->ExecuteCmd(CmCmd::BookmarkToggle);
        }
        e->SetCaretPos(3, 2);
        prompter->queueMsgBox(MsgAnswer::OK);
        prompter->queueMsgBox(MsgAnswer::OK);
        MainWindow()->ToolbarButton("Compress")->trigger();
        QCOMPARE(e->Text(), QString("<html>\r\n<body bgcolor=white>\r\n<p>Hi</p>\r\n</body>\r\n"));
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 0, 0, 0}));
        QCOMPARE(MainWindow()->ActiveDocument()->Panel(4)->text(), QString("50 bytes"));
        MainWindow()->Action("mnuToolsCompress")->trigger();
        QCOMPARE(prompter->messages(), (QStringList{"20.63% decrease in size (13 bytes).",
                                                    "No size reduction was possible in this pass - try a manual review."}));
        // Bookmarks stay on the lines that stay, and come back with Undo.
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
        e->Undo();
        QCOMPARE(e->Text(), page);
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2, 4}));
        e->Redo();
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        CloseMain(prompter);
    }

    void linearTime()
    {
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
