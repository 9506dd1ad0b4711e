#include <QtTest>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "document/InsertText.h"

class TestInsertText : public QObject {
    Q_OBJECT
private slots:
    void primitive_data()
    {
        QTest::addColumn<QString>("before");     // "|" marks the caret, "[...]" a selection
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("chars");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("after");      // "|" marks the caret
        QTest::newRow("plain at caret") << "ab|cd" << "XY" << false << 0 << 0 << "abXY|cd";
        QTest::newRow("replaces selection") << "a[bc]d" << "Z" << false << 0 << 0 << "aZ|d";
        QTest::newRow("wrap TD") << "|" << "TD" << true << 0 << 0 << "<TD>|</TD>";
        QTest::newRow("wrap with attributes") << "|" << "a href=x" << true << 0 << 0 << "<a href=x>|</a>";
        QTest::newRow("wrap empty name") << "|" << " x" << true << 0 << 0 << "< x>|</>";
        QTest::newRow("left by chars") << "|" << "<B></B>" << false << 4 << 0 << "<B>|</B>";
        // The caret keeps its column moving up, so it lands at the start of the empty line.
        QTest::newRow("paragraph block") << "|" << "<P>\r\n\r\n</P>" << false << 4 << 1 << "<P>\r\n|\r\n</P>";
        QTest::newRow("list block") << "x|y" << "<UL>\r\n<LI>\r\n</UL>" << false << 1 << 1 << "x<UL>\r\n<LI>|\r\n</UL>y";
        QTest::newRow("ctrl slash") << "[em]" << "<>em</>" << false << 6 << 0 << "<|>em</>";
    }
    void primitive()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, wrap);
        QFETCH(int, chars);
        QFETCH(int, lines);
        QFETCH(QString, after);
        CodeMax1 e;
        QString plain = before;
        const int caret = plain.indexOf('|');
        const int selStart = plain.indexOf('[');
        plain.remove('|').remove('[').remove(']');
        e.SetText(plain);
        if (selStart >= 0) {
            const int selEnd = before.indexOf(']') - 1;
            e.SetSel({0, selStart, 0, selEnd});
        } else {
            e.SetSel({0, caret, 0, caret});
        }
        InsertIntoEditor(&e, text, wrap, chars, lines);
        QString expectedText = after;
        const int expectedCaret = expectedText.indexOf('|');
        expectedText.remove('|');
        QCOMPARE(e.Text(), expectedText);
        if (expectedCaret >= 0) {
            const QString head = expectedText.left(expectedCaret);
            const int line = int(head.count('\n'));
            const int col = int(head.size() - (head.lastIndexOf('\n') + 1));
            QCOMPARE(e.GetSel(true), (CodeMaxRange{line, col, line, col}));
        }
    }

    void negativeCharsMovesRight()
    {
        // (false, -3, 2) on a three-line block: up two lines, then three characters right.
        CodeMax1 e;
        QString text = "abcdefgh\r\nab\r\nabcd";
        int chars = -3;
        InsertIntoEditor(&e, text, false, chars, 2);
        // Column 4 survives the short middle line.
        QCOMPARE(e.GetSel(true), (CodeMaxRange{0, 7, 0, 7}));
    }

    // The caret lands between the quotes however many line breaks or emoji the selection holds.
    void caretCountsCharacters_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::newRow("CR LF") << "one\r\ntwo\r\nthree";
        QTest::newRow("emoji") << QString::fromUtf8("\xF0\x9F\x98\x80 smile");
    }
    void caretCountsCharacters()
    {
        QFETCH(QString, selection);
        CodeMax1 e;
        e.SetFormat(FileFormat{TextEncoding::Utf8, "\r\n"});
        QString text = "<A HREF=\"\">" + selection + "</A>";
        int chars = int(selection.size()) + 6;   // as the sidebar's A counts it
        InsertIntoEditor(&e, text, false, chars, 0);
        QCOMPARE(e.GetSel(true), (CodeMaxRange{0, 9, 0, 9}));
    }

    void documentLineBreaks()
    {
        CodeMax1 e;
        e.SetFormat(FileFormat{TextEncoding::Utf8, "\n"});
        QString text = "<UL>\r\n<LI>\r\n</UL>";
        int chars = 0;
        InsertIntoEditor(&e, text, false, chars, 0);
        QCOMPARE(e.Text(), QStringLiteral("<UL>\n<LI>\n</UL>"));
    }

    void htmlColour_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("markup");
        QTest::newRow("red") << 0x0000FF << "\"#FF0000\"";
        QTest::newRow("blue") << 0xFF0000 << "\"#0000FF\"";
        QTest::newRow("black") << 0 << "\"#000000\"";
        QTest::newRow("three digits") << 0xABC << "\"#BC0A00\"";
        QTest::newRow("five digits") << 0x12345 << "\"#452301\"";
        QTest::newRow("grey") << 8421504 << "\"#808080\"";
    }
    void htmlColour()
    {
        QFETCH(int, colour);
        QFETCH(QString, markup);
        QCOMPARE(fctnHtmlColour(colour), markup);
    }
};

QTEST_MAIN(TestInsertText)
#include "tst_inserttext.moc"
