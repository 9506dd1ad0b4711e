#include <QtTest>

#include "MarkedText.h"
#include "document/InsertText.h"

class TestInsertText : public QObject {
    Q_OBJECT
private slots:
    // Where inserted text leaves the caret, counted in characters (a CR LF or an emoji is one step).
    void caretCountsCharacters_data()
    {
        QTest::addColumn<QString>("before");   // "|" caret, "[...]" selection
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("chars");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("after");    // "|" caret
        QTest::addColumn<QString>("lineBreak");
        const auto row = [](const char* name, const QString& before, const QString& text, bool wrap, int chars,
                            int lines, const QString& after, const char* lineBreak = "\r\n") {
            QTest::newRow(name) << before << text << wrap << chars << lines << after << QString(lineBreak);
        };
        row("plain at caret", "ab|cd", "XY", false, 0, 0, "abXY|cd");
        row("replaces selection", "a[bc]d", "Z", false, 0, 0, "aZ|d");
        row("wrap TD", "|", "TD", true, 0, 0, "<TD>|</TD>");
        row("wrap with attributes", "|", "a href=x", true, 0, 0, "<a href=x>|</a>");
        row("wrap empty name", "|", " x", true, 0, 0, "< x>|</>");
        row("left by chars", "|", "<B></B>", false, 4, 0, "<B>|</B>");
        // Moving up keeps the column, so the caret lands at the start of the empty line.
        row("paragraph block", "|", "<P>\r\n\r\n</P>", false, 4, 1, "<P>\r\n|\r\n</P>");
        row("list block", "x|y", "<UL>\r\n<LI>\r\n</UL>", false, 1, 1, "x<UL>\r\n<LI>|\r\n</UL>y");
        row("ctrl slash", "[em]", "<>em</>", false, 6, 0, "<|>em</>");
        // Up two lines (column 4 survives the short middle line), then three characters right.
        row("negative chars move right", "|", "abcdefgh\r\nab\r\nabcd", false, -3, 2, "abcdefg|h\r\nab\r\nabcd");
        row("document's line breaks", "|", "<UL>\r\n<LI>\r\n</UL>", false, 0, 0, "<UL>\n<LI>\n</UL>|", "\n");
        // The anchor's count, as the sidebar makes it: the caret lands between the quotes.
        for (const QString& sel : {QString("one\r\ntwo\r\nthree"), QString::fromUtf8("\xF0\x9F\x98\x80 smile")})
            row(sel.startsWith('o') ? "anchor over CR LF" : "anchor over emoji", "|", "<A HREF=\"\">" + sel + "</A>",
                false, int(sel.size()) + 6, 0, "<A HREF=\"|\">" + sel + "</A>");
    }
    void caretCountsCharacters()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, wrap);
        QFETCH(int, chars);
        QFETCH(int, lines);
        QFETCH(QString, after);
        QFETCH(QString, lineBreak);
        CodeMax1 e;
        e.SetFormat(FileFormat{TextEncoding::Utf8, lineBreak});
        SetMarkedText(&e, before);
        InsertIntoEditor(&e, text, wrap, chars, lines);
        QCOMPARE(MarkedText(&e), after);
        QCOMPARE(e.SelLength(), 0);
    }

    // Red is the low byte; every byte keeps two digits.
    void htmlColour()
    {
        for (const auto& [colour, markup] : {std::pair{0x0000FF, "\"#FF0000\""}, {0xFF0000, "\"#0000FF\""},
                                             {0xABC, "\"#BC0A00\""}, {0x12345, "\"#452301\""}})
            QCOMPARE(fctnHtmlColour(colour), QString(markup));
    }
};

QTEST_MAIN(TestInsertText)
#include "tst_inserttext.moc"
