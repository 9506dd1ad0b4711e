// The edit control as the program uses it: numbered commands, key bindings, colour slots, dialogs.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjava.h>

#include "MarkedText.h"
#include "ScriptedPrompter.h"

using Sel = CodeMaxRange;
Q_DECLARE_METATYPE(CodeMaxRange)

namespace {

// The text with "|" at a caret, or "[" and "]" around a selection.
QString Shown(CodeMax1& e)
{
    QString text = MarkedText(&e);
    const qsizetype end = text.indexOf(QLatin1Char('|')), length = e.SelLength();
    return length ? text.replace(end, 1, QLatin1Char(']')).insert(end - length, QLatin1Char('[')) : text;
}

// Compares with the markers only when the expected text has some.
QString ShownLike(CodeMax1& e, const QString& expected)
{
    return expected.contains(QRegularExpression("[|[]")) ? Shown(e) : e.Text();
}

// Fills the find or replace dialog (options: 1 match case, 2 whole word), clicks the buttons, closes it.
std::function<int(QDialog*)> driveFind(const QString& find, const QString& replace, int options, const QStringList& clicks)
{
    return [=](QDialog* d) {
        d->findChild<QLineEdit*>("txtFind")->setText(find);
        d->findChild<QLineEdit*>("txtReplace")->setText(replace);
        d->findChild<QCheckBox*>("chkMatchCase")->setChecked(options & 1);
        d->findChild<QCheckBox*>("chkWholeWord")->setChecked(options & 2);
        for (const QString& name : clicks + QStringList{"cmdClose"})
            if (auto* button = d->findChild<QPushButton*>(name))
                button->click();
        return d->result();
    };
}

int fore(CodeMax1& e, int style) { return int(e.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, style)); }
int back(CodeMax1& e, int style) { return int(e.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, style)); }

} // namespace

class CodeMaxTest : public QObject {
    Q_OBJECT
    ScriptedPrompter* m_prompter = nullptr;

private slots:
    void init() { m_prompter = ScriptedPrompter::install(); }
    void cleanup() { Prompter::Install(nullptr); }

    // Script steps: a command number with optional "=data", or "?answer" for the next input box ("?-" cancels).
    void executeCmd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("clipboard");
        const auto row = [](const char* name, const char* text, const char* script, const char* expected,
                            const char* clip = "old") {
            QTest::newRow(name) << QString::fromUtf8(text) << script << QString::fromUtf8(expected) << clip;
        };
        row("103 word right", "|one two", "103", "one |two");
        row("125 upper case", "abc [déf]", "125", "abc [DÉF]");
        row("125 longer result", "[straße]", "125", "[STRASSE]");
        row("147 lower case", "[ÉTÉ] X", "147", "[été] X");
        row("137 select all", "a|\r\nbc", "137", "[a\r\nbc]");
        row("149 onto snippet's empty line", "<P>\r\n\r\n</P>|", "149", "<P>\r\n|\r\n</P>");
        row("149 keeps column", "abcdef\r\nabcde|fgh", "149", "abcde|f\r\nabcdefgh");
        row("160 delete line", "one\r\nt|wo\r\nthree", "160", "one\r\n|three");
        row("160 last line", "one\r\ntw|o", "160", "one\r\n|");
        row("161 line cut", "fi|rst\r\nsecond", "161", "|second", "first\r\n");
        row("195 deletes selection", "[hello ]world", "195", "|world");
        row("195 deletes next char", "h|éllo", "195", "h|llo");
        row("197 cut, 140 paste twice", "[alpha ]beta", "197 140 140", "alpha alpha |beta", "alpha ");
        row("198 copy", "[beta]", "198", "[beta]", "beta");
        row("129 undo", "[alpha ]beta", "197 140 129", "|beta", "alpha ");
        row("139 redo", "[alpha ]beta", "197 140 129 139", "alpha |beta", "alpha ");
        row("201 right default", "h|éllo", "201", "hé|llo");
        row("201 right 3", "|héllo", "201=3", "hél|lo");
        row("201 past surrogate pair", "a|\U0001F600b", "201=1", "a\U0001F600|b");
        row("203 left 2 over crlf", "ab\r\nc|d", "203=2", "ab|\r\ncd");
        row("203 at start", "|ab", "203=1", "|ab");
        row("176 finds next and wraps", "|one two one", "179=one 176 176 176", "[one] two one");
        row("176 after multibyte", "ét|é été", "179=té 176", "été é[té]");
        row("171 replace all", "a-b-a-b", "179=a 180=xyz 171", "xyz-b-xyz-b");
        row("171 replacement contains find", "aaa", "179=a 180=aa 171", "aaaaaa");
        row("171 ignores case", "Tag tag TAG", "179=tag 180=p 171", "p p p");
        row("171 multibyte", "café été", "179=é 180=e 171", "cafe ete");
        row("171 to nothing", "<B>x</B>", "179=<B> 180= 171", "x</B>");
        row("171 across lines", "a\r\nb\r\n", "179=\r\n 180=\n 171", "a\nb\n");
        row("171 is one undo step", "a-a-a", "179=a 180=b 171 129", "a-a-a");
        row("168 line 3", "a\r\nb|b\r\nccc\r\ndd", "?3 168", "a\r\nbb\r\n|ccc\r\ndd");
        row("168 beyond end", "a\r\nb|b\r\nccc\r\ndd", "?99 168=-1", "a\r\nbb\r\nccc\r\n|dd");
        row("168 zero", "a\r\nb|b", "?0 168", "|a\r\nbb");
        row("168 not a number", "a\r\nb|b", "?abc 168", "a\r\nb|b");
        row("168 cancelled", "a\r\nb|b", "?- 168", "a\r\nb|b");
        row("187 repeats the next command", "|abcdef", "?3 187 201 201", "abcd|ef");
        row("187 cancelled", "|abcdef", "?- 187 201", "a|bcdef");
        row("187 not a number", "|abcdef", "?many 187 201", "a|bcdef");
    }

    void executeCmd()
    {
        QFETCH(QString, text);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QFETCH(QString, clipboard);
        QApplication::clipboard()->setText("old");
        CodeMax1 e;
        SetMarkedText(&e, text);
        for (const QString& step : script.split(' ')) {
            const qsizetype eq = step.indexOf('=');
            if (step.startsWith('?'))
                m_prompter->queueInput(step == "?-" ? std::nullopt : std::optional<QString>(step.mid(1)));
            else
                QVERIFY(e.ExecuteCmd(step.left(eq).toInt(), eq < 0 ? QVariant() : QVariant(step.mid(eq + 1))));
        }
        QCOMPARE(ShownLike(e, expected), expected);
        QCOMPARE(e.TextLength(), e.Text().size());
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
        QVERIFY(m_prompter->unexpected.isEmpty() && m_prompter->pendingAnswers() == 0);
    }

    void editAbilities()
    {
        CodeMax1 e;
        SetMarkedText(&e, "[a]b");
        QVERIFY(!e.CanUndo() && e.CanCopy() && e.CanCut());
        e.setReadOnly(true);
        QVERIFY(e.CanCopy() && !e.CanCut());
        e.setReadOnly(false);
        QVERIFY(e.ExecuteCmd(198) && e.CanPaste());
        QVERIFY(e.ExecuteCmd(195) && e.CanUndo() && !e.CanRedo() && !e.CanCopy());
        QVERIFY(e.ExecuteCmd(129) && e.CanRedo());
        QVERIFY(!e.ExecuteCmd(999) && !e.ExecuteCmd(0));  // unknown numbers do nothing
        QCOMPARE(e.Text(), QStringLiteral("ab"));
    }

    void bookmarks()
    {
        CodeMax1 e;
        SetMarkedText(&e, "0\r\n|1\r\n2\r\n3\r\n4");
        e.ExecuteCmd(204);
        e.SetCaretPos(3, 1);
        // 204 toggles, 206 next and 205 previous (both wrapping around), 207 clears. Seen: caret line/bookmarks.
        QStringList seen;
        for (int cmd : {204, 206, 206, 205, 205, 204, 206, 207, 206}) {
            e.ExecuteCmd(cmd);
            seen << QStringLiteral("%1/%2").arg(e.GetSel(true).startLine).arg(e.Bookmarks().size());
        }
        QCOMPARE(seen, (QStringList{"3/2", "1/2", "3/2", "1/2", "3/2", "3/1", "1/1", "1/0", "1/0"}));
    }

    // The find and replace dialogs looking for "abc"; options: 1 match case, 2 whole word.
    void findDialogs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("options");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        const QStringList find{"cmdFindNext"};
        QTest::newRow("ignores case") << "a|bc ABC abc" << 0 << find << "abc [ABC] abc" << "";
        QTest::newRow("match case") << "a|bc ABC abc" << 1 << find << "abc ABC [abc]" << "";
        QTest::newRow("whole word") << "a|bc xabc abc" << 2 << find << "abc xabc [abc]" << "";
        QTest::newRow("part of word") << "a|bc xabc abc" << 0 << find << "abc x[abc] abc" << "";
        QTest::newRow("not found") << "x|yz" << 0 << find << "x|yz" << "Cannot find \"abc\".";
        // The first Replace only finds the first match; the second replaces it and finds the next.
        QTest::newRow("replace") << "|abc x abc" << 0 << QStringList{"cmdReplace", "cmdReplace"} << "X x [abc]" << "";
        QTest::newRow("replace all") << "|abc x abc" << 0 << QStringList{"cmdReplaceAll"} << "X x X"
                                     << "2 occurrence(s) replaced.";
    }

    void findDialogs()
    {
        QFETCH(QString, text);
        QFETCH(int, options);
        QFETCH(QStringList, clicks);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        CodeMax1 e;
        SetMarkedText(&e, text);
        const bool find = clicks.first() == "cmdFindNext";
        m_prompter->queueDialog(driveFind("abc", "X", options, clicks));
        if (!message.isEmpty())
            m_prompter->queueMsgBox(MsgAnswer::OK);
        QVERIFY(e.ExecuteCmd(find ? 178 : 169));
        QCOMPARE(m_prompter->asked.at(0).text, find ? "dlgFind" : "dlgReplace");
        QCOMPARE(ShownLike(e, expected), expected);
        QCOMPARE(m_prompter->messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void hotKeysRemoved_data()
    {
        QTest::addColumn<int>("cmd");
        for (int cmd : {129, 139, 140, 160, 161, 197, 198})
            QTest::newRow(qPrintable(QString::number(cmd))) << cmd;
    }

    void hotKeysRemoved()
    {
        QFETCH(int, cmd);
        QWidget window;
        auto* e = new CodeMax1(&window);
        QList<QAction*> actions;
        for (int i = 0; i < e->GetHotKeyCount(cmd); ++i)
            actions << window.addAction(QString(), e->GetHotKey(cmd, i));
        QVERIFY(!actions.isEmpty() && !actions.first()->shortcut().isEmpty());
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        e->setFocus();
        // While bound the control takes the keys itself; once removed they reach the actions.
        for (int triggered : {0, 1}) {
            while (triggered && e->GetHotKeyCount(cmd) > 0)
                e->RemoveHotKey(cmd, 0);
            for (QAction* action : actions) {
                SetMarkedText(e, "[line] one\r\nline two");
                QSignalSpy spy(action, &QAction::triggered);
                QTest::keyClick(e, action->shortcut()[0].key(), action->shortcut()[0].keyboardModifiers());
                QCOMPARE(spy.count(), triggered);
                QVERIFY(!triggered || e->Text() == QStringLiteral("line one\r\nline two"));
            }
        }
    }

    void keysAndRightClickReachTheOwner()
    {
        CodeMax1 e;
        e.SetText("abc");
        int last = 0;  // key code * 10 + shift bits (1 Shift, 2 Ctrl, 4 Alt)
        connect(&e, &CodeMax1::KeyDown, &e, [&](int code, int shift, bool* handled) {
            last = code * 10 + shift;
            *handled = code != 'Z';  // handled keys go no further
        });
        QList<int> seen;
        for (auto [key, modifiers] : QList<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
                 {Qt::Key_Menu, {}}, {Qt::Key_Slash, {}}, {Qt::Key_Space, Qt::ControlModifier},
                 {Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier}, {Qt::Key_7, Qt::AltModifier},
                 {Qt::Key_F2, {}}, {Qt::Key_Return, {}}, {Qt::Key_Z, {}}}) {
            QTest::keyClick(&e, key, modifiers);
            seen << last;
        }
        QCOMPARE(seen, (QList<int>{930, 1910, 322, 663, 554, 1130, 130, 900}));
        QCOMPARE(e.Text(), QStringLiteral("zabc"));
        e.show();
        QSignalSpy spy(&e, &CodeMax1::RightClick);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(105, 205));
        QApplication::sendEvent(e.viewport(), &event);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toPoint(), QPoint(105, 205));
        QVERIFY(!QApplication::activePopupWidget());
    }

    void colourSlots_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("background");
        QTest::addColumn<QList<int>>("styles");
        using L = QsciLexerHTML;
        QTest::newRow("tag element") << 22 << false << QList<int>{L::Tag, L::UnknownTag};
        QTest::newRow("tag background") << 23 << true << QList<int>{L::Tag};
        QTest::newRow("attribute name") << 24 << false << QList<int>{L::Attribute};
        QTest::newRow("strings")
            << 16 << false << QList<int>{L::HTMLDoubleQuotedString, L::HTMLSingleQuotedString, L::JavaScriptDoubleQuotedString};
        QTest::newRow("numbers") << 6 << false << QList<int>{L::HTMLNumber, L::JavaScriptNumber};
        QTest::newRow("comments") << 14 << false << QList<int>{L::HTMLComment, L::JavaScriptCommentLine};
        QTest::newRow("comment background") << 15 << true << QList<int>{L::HTMLComment};
        QTest::newRow("entity") << 20 << false << QList<int>{L::Entity};
        QTest::newRow("plain text") << 4 << false << QList<int>{L::Default};
        QTest::newRow("plain background") << 5 << true << QList<int>{L::Default};
        QTest::newRow("script keyword") << 8 << false << QList<int>{L::JavaScriptKeyword};
        QTest::newRow("script operator") << 10 << false << QList<int>{L::JavaScriptSymbol};
        QTest::newRow("asp start") << 12 << false << QList<int>{L::ASPStart};
        QTest::newRow("window") << 0 << true << QList<int>{QsciScintillaBase::STYLE_DEFAULT};
        QTest::newRow("line numbers") << 26 << false << QList<int>{QsciScintillaBase::STYLE_LINENUMBER};
        QTest::newRow("line numbers background") << 27 << true << QList<int>{QsciScintillaBase::STYLE_LINENUMBER};
    }

    void colourSlots()
    {
        QFETCH(int, slot);
        QFETCH(bool, background);
        QFETCH(QList<int>, styles);
        CodeMax1 e;
        e.SetColor(slot, 0x123456);  // blue 0x12, green 0x34, red 0x56
        QCOMPARE(e.GetColor(slot), 0x123456);
        for (int style : styles)
            QCOMPARE(background ? back(e, style) : fore(e, style), 0x123456);
    }

    void stylesAcrossLanguages()
    {
        CodeMax1 e;
        QFont font("Courier", 12);
        e.SetFont(font);
        for (auto [slot, colour] : QList<std::pair<int, int>>{{22, 0xA0}, {8, 0xA00}, {14, 0xFF}, {15, 0xFFFF}})
            e.SetColor(slot, colour);
        for (auto [slot, style] : QList<std::pair<int, int>>{{9, 1}, {5, 2}, {10, 3}})  // tag, comment, attribute
            e.SetFontStyle(slot, style);
        // QScintilla hands fonts to Scintilla from the lexer's per-style fonts.
        const auto styles = [&] {
            QList<int> out;
            for (int s : {QsciLexerHTML::Tag, QsciLexerHTML::UnknownTag, QsciLexerHTML::HTMLComment,
                          QsciLexerHTML::Attribute, QsciLexerHTML::Default})
                out << ((e.lexer()->font(s).bold() ? 1 : 0) | (e.lexer()->font(s).italic() ? 2 : 0));
            return out;
        };
        QCOMPARE(styles(), QList<int>({1, 1, 2, 3, 0}));
        QCOMPARE(int(e.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, QsciLexerHTML::Tag)), 12);
        e.SetLanguage("Java");
        using J = QsciLexerJava;
        QCOMPARE(QList<int>({fore(e, J::Keyword), fore(e, J::Comment), back(e, J::CommentLine)}),
                 QList<int>({0xA00, 0xFF, 0xFFFF}));
        QVERIFY(e.lexer()->font(J::Comment).italic());
        e.SetColorSyntax(false);  // plain text follows the plain-text slot
        QVERIFY(!e.lexer());
        e.SetColor(4, 2);
        QCOMPARE(fore(e, 0), 2);
        e.SetLanguage("HTML");
        e.SetColorSyntax(true);
        QCOMPARE(QList<int>({fore(e, QsciLexerHTML::Tag), fore(e, QsciLexerHTML::HTMLComment)}), QList<int>({0xA0, 0xFF}));
        e.SetFontStyle(9, 0);
        QCOMPARE(styles(), QList<int>({0, 0, 2, 3, 0}));
        font.setBold(true);  // a bold face makes every style bold
        e.SetFont(font);
        QCOMPARE(styles(), QList<int>({1, 1, 3, 3, 1}));
    }

    void typingLengthsAndSignals()
    {
        CodeMax1 e;
        e.SetFormat({.lineBreak = "\n"});
        SetMarkedText(&e, "h\u00e9|llo \U0001F600 \u20ac");
        QCOMPARE(e.TextLength(), 10);
        QSignalSpy changes(&e, &CodeMax1::Change);
        QSignalSpy selections(&e, &CodeMax1::SelChange);
        QTest::keyClick(&e, Qt::Key_X);
        QTest::keyClick(&e, Qt::Key_Left);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, "\u00fc");  // beyond what keyClicks can type
        QApplication::sendEvent(&e, &press);
        QInputMethodEvent compose;
        compose.setCommitString("\U0001F600");
        QApplication::sendEvent(&e, &compose);
        QTest::keyClick(&e, Qt::Key_Return);  // the document's line break
        QCOMPARE(Shown(e), QStringLiteral("h\u00e9\u00fc\U0001F600\n|xllo \U0001F600 \u20ac"));
        QCOMPARE(std::tuple(changes.count(), selections.count(), e.Modified()), std::tuple(4, 5, true));
        e.SetModified(false);
        e.Undo();
        QVERIFY(e.Modified());
        // NUL characters are text like any other.
        e.SetText(QString::fromUtf16(u"a\0b\r\n\0c", 7));
        QCOMPARE(e.TextLength(), 7);
        QCOMPARE(e.GetLine(0), QString::fromUtf16(u"a\0b", 3));
        e.SetCaretPos(1, 1);
        e.SetSelText(QString::fromUtf16(u"\0x", 2));
        QCOMPARE(e.Text(), QString::fromUtf16(u"a\0b\r\n\0\0xc", 9));
    }

    void selectionAndLines_data()
    {
        QTest::addColumn<Sel>("set");
        QTest::addColumn<Sel>("normalised");
        QTest::addColumn<QString>("selText");
        QTest::newRow("forwards") << Sel{0, 1, 0, 4} << Sel{0, 1, 0, 4} << "\u00e9\U0001F600";
        QTest::newRow("backwards") << Sel{1, 2, 0, 2} << Sel{0, 2, 1, 2} << "\U0001F600x\r\nab";
        QTest::newRow("column past end") << Sel{0, 0, 0, 50} << Sel{0, 0, 0, 5} << "a\u00e9\U0001F600x";
        QTest::newRow("line past end") << Sel{0, 5, 9, 0} << Sel{0, 5, 3, 4} << "\r\nabc\r\n\r\nlast";
    }

    void selectionAndLines()
    {
        QFETCH(Sel, set);
        QFETCH(Sel, normalised);
        QFETCH(QString, selText);
        CodeMax1 e;
        e.SetText("a\u00e9\U0001F600x\r\nabc\r\n\r\nlast");
        e.SetSel(set);
        const Sel n = e.GetSel(true), raw = e.GetSel(false);
        QVERIFY(n == normalised);
        QVERIFY(raw == n || (set.startLine > set.endLine && raw == Sel{n.endLine, n.endCol, n.startLine, n.startCol}));
        QCOMPARE(e.SelText() + "/" + QString::number(e.SelLength()), selText + "/" + QString::number(selText.size()));
        QStringList lines;
        for (int line : {0, 1, 2, 3, 9})
            lines << e.GetLine(line) + "/" + QString::number(e.GetLineLength(line));
        QCOMPARE(lines, (QStringList{"a\u00e9\U0001F600x/5", "abc/3", "/0", "last/4", "/0"}));
        for (int line : {9, 1, 1, 1})  // out of range, middle, empty, last
            e.DeleteLine(line);
        QCOMPARE(e.Text(), "a\u00e9\U0001F600x\r\n");
    }
};

QTEST_MAIN(CodeMaxTest)
#include "tst_codemax.moc"
