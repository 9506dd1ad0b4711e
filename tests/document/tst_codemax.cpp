// The edit control as the program uses it: numbered commands, key bindings, colour slots, dialogs.
#include <QAccessible>
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
#include "document/TagCompletion.h"

namespace {

// A script run on a text ("|" caret, "[...]" selection): the text, clipboard and messages afterwards.
struct Script {
    QString text, steps, expected, clipboard = "old", messages;
};

// The text with "|" at a caret or "[...]" around a selection; the bare text when expected has no markers.
QString Shown(CodeMax1& e, const QString& expected = "|")
{
    QString text = MarkedText(&e);
    const qsizetype end = text.indexOf(QLatin1Char('|')), length = e.SelLength();
    return !expected.contains(QRegularExpression("[|[]")) ? e.Text()
           : length ? text.replace(end, 1, QLatin1Char(']')).insert(end - length, QLatin1Char('[')) : text;
}

// A pattern search on a text: options 1 match case, 2 whole word, 4 plain text instead of a pattern.
struct PatternRun {
    QString text, pattern, with;
    int options = 0;
    QString steps, expected, messages;
};

int colour(CodeMax1& e, int style, bool background = false)
{
    return int(e.SendScintilla(background ? QsciScintillaBase::SCI_STYLEGETBACK : QsciScintillaBase::SCI_STYLEGETFORE, style));
}

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(PatternRun)

class CodeMaxTest : public QObject {
    Q_OBJECT
    ScriptedPrompter* m_prompter = nullptr;

private slots:
    void init() { m_prompter = ScriptedPrompter::install(); }
    void cleanup() { Prompter::Install(nullptr); }

    // Steps: a command number with optional "=data"; "?answer" for the next input box ("?-" cancels); "dlgName:
    // options:buttons" fills that dialog with "abc" -> "X" (1 match case, 2 whole word), clicks the buttons and Close.
    void executeCmd_data()
    {
        QTest::addColumn<Script>("script");
        const std::pair<const char*, Script> rows[] = {
            {"103 word right", {"|one two", "103", "one |two"}}, {"137 select all", {"a|\r\nbc", "137", "[a\r\nbc]"}},
            {"125 upper case, 147 lower", {"abc [déf straße]", "125 147", "abc [déf strasse]"}},
            {"149 keeps column", {"abcdef\r\nabcde|fgh", "149", "abcde|f\r\nabcdefgh"}},
            {"160 deletes a line, then the last", {"one\r\nt|wo\r\nthree", "160 160", "one\r\n|"}},
            {"161 line cut", {"fi|rst\r\nsecond", "161", "|second", "first\r\n"}},
            {"195 deletes selection, then next char", {"[hé]éllo", "195 195", "|llo"}},
            {"197 cut, 140 paste twice, 129 undo twice, 139 redo",
             {"[alpha ]beta", "197 140 140 129 129 139", "alpha |beta", "alpha "}},
            {"198 copy", {"[beta]", "198", "[beta]", "beta"}},
            {"201 right 1, then the count, over a surrogate pair", {"a|é\U0001F600bc", "201 201=2", "aé\U0001F600b|c"}},
            {"203 left 2 over crlf", {"ab\r\nc|d", "203=2", "ab|\r\ncd"}}, {"203 at start", {"|ab", "203=1", "|ab"}},
            {"176 finds next and wraps", {"|one two one", "179=one 176 176 176", "[one] two one"}},
            {"176 after multibyte", {"ét|é été", "179=té 176", "été é[té]"}},
            {"171 every match, any case, replacement holds find", {"TagtAG-b", "179=tag 180=xtagx 171", "xtagxxtagx-b"}},
            {"171 multibyte, then to nothing", {"café <B>été", "179=é 180=e 171 179=<B> 180= 171", "cafe ete"}},
            {"171 across lines", {"a\r\nb\r\n", "179=\r\n 180=\n 171", "a\nb\n"}},
            {"171 is one undo step", {"a-a-a", "179=a 180=b 171 129", "a-a-a"}},
            {"178 ignores case, finds in words", {"a|bc xABC abc", "dlgFind:0:cmdFindNext 178", "abc x[ABC] abc"}},
            {"178 match case", {"a|bc xABC abc", "dlgFind:1:cmdFindNext 178", "abc xABC [abc]"}},
            {"178 whole word", {"a|bc xabc abc", "dlgFind:2:cmdFindNext 178", "abc xabc [abc]"}},
            {"178 not found", {"x|yz", "dlgFind:0:cmdFindNext 178", "x|yz", "old", "Cannot find \"abc\"."}},
            // The first Replace only finds the first match; the second replaces it and finds the next.
            {"169 replace", {"|abc x abc", "dlgReplace:0:cmdReplace,cmdReplace 169", "X x [abc]"}},
            {"169 replace all", {"|abc x abc", "dlgReplace:0:cmdReplaceAll 169", "X x X", "old", "2 occurrence(s) replaced."}},
            {"168 beyond end", {"a\r\nb|b\r\nccc\r\ndd", "?99 168=-1", "a\r\nbb\r\nccc\r\n|dd"}},
            {"168 zero", {"a\r\nb|b", "?0 168", "|a\r\nbb"}}, {"168 refused", {"a\r\nb|b", "?abc 168 ?- 168", "a\r\nb|b"}},
            {"187 repeats the next command", {"|abcdef", "?3 187 201 201", "abcd|ef"}},
            {"187 cancelled or not a number", {"|abcdef", "?- 187 201 ?many 187 201", "ab|cdef"}}};
        for (const auto& [name, script] : rows)
            QTest::newRow(name) << script;
    }

    void executeCmd()
    {
        QFETCH(Script, script);
        QApplication::clipboard()->setText("old");
        CodeMax1 e;
        SetMarkedText(&e, script.text);
        for (const QString& step : script.steps.split(' ')) {
            const qsizetype eq = step.indexOf('=');
            if (step.startsWith('?'))
                m_prompter->queueInput(step == "?-" ? std::nullopt : std::optional<QString>(step.mid(1)));
            else if (step.startsWith("dlg"))
                m_prompter->queueDialog([f = step.split(':')](QDialog* d) {
                    if (d->objectName() == f[0]) {
                        d->findChild<QLineEdit*>("txtFind")->setText("abc");
                        d->findChild<QLineEdit*>("txtReplace")->setText("X");
                        d->findChild<QCheckBox*>("chkMatchCase")->setChecked(f[1].toInt() & 1);
                        d->findChild<QCheckBox*>("chkWholeWord")->setChecked(f[1].toInt() & 2);
                        for (const QString& name : (f[2] + ",cmdClose").split(','))
                            d->findChild<QPushButton*>(name)->click();
                    }
                    return d->result();
                });
            else
                QVERIFY(e.ExecuteCmd(step.left(eq).toInt(), eq < 0 ? QVariant() : QVariant(step.mid(eq + 1))));
        }
        QCOMPARE(Shown(e, script.expected), script.expected);
        QCOMPARE(e.TextLength(), e.Text().size());
        QCOMPARE(QApplication::clipboard()->text(), script.clipboard);
        // No message box is answered ahead, so the messages shown are the only questions left unanswered.
        QCOMPARE(m_prompter->unexpected.join('|'), script.messages);
        QCOMPARE(m_prompter->pendingAnswers(), 0);
    }

    // Patterns through FindReplace over the control (176 find next, 171 replace all, 129 undo), on texts longer
    // than the pieces a search reads at a time too; hostile patterns end soon with a message, not "not found".
    void regularExpressions_data()
    {
        QTest::addColumn<PatternRun>("run");
        const QString e3000(3000, u'\u00e9'), x5000(5000, u'x'), bad = "a(b", as = "|" + QString(100000, u'a') + "b";
        QString lines;   // (a+)+$ tries 2^18 ways from each start in every line
        for (int i = 0; i < 3000; ++i)
            lines += QString(18, u'a') + "b\n";
        const QString badMessage =
            "\"a(b\" is not a valid regular expression: missing closing parenthesis at offset 3.";
        const QString stopped = "The search for \"(a+)+$\" was stopped: the regular expression needs too much time "
                                "or memory on this text.";
        const std::pair<const char*, PatternRun> rows[] = {
            {"groups", {"<b>one</b> <i>2</i>", R"(<(\w)>(.*?)</\1>)", R"((\2:\1))", 0, "171", "(one:b) (2:i)"}},
            {"escapes, \\n as the text's line break",
             {"x=1", R"(=(\d))", R"(\t\1\\\0\n\q)", 0, "171", "x\t1\\=1\r\n\\q"}},
            {"case ignored", {"Abc abc", "a(b)c", "x", 0, "171", "x x"}},
            {"match case", {"Abc abc", "a(b)c", "x", 1, "171", "Abc x"}},
            {"whole word takes the alternative that is one", {"ab abc xab", "ab|abc", "X", 2, "171", "X X xab"}},
            {"whole word as the plain search has it", {"a <b> <<b>", "<b>", "X", 2, "171", "a X <<b>"}},
            {"whole word, plain search", {"a <b> <<b>", "<b>", "X", 6, "171", "a X <<b>"}},
            {"empty matches move on", {"abxd", "x*", "-", 0, "171", "-a-b--d-"}},
            {"^ and $ at CR LF", {"a\r\nbc\r\n", "^|$", "#", 0, "171", "#a#\r\n#bc#\r\n#"}},
            {"find next passes an empty match at the caret", {"|a\r\nb", "^", "", 0, "176", "a\r\n|b"}},
            {"then wraps round", {"|a\r\nb", "^", "", 0, "176 176", "|a\r\nb"}},
            {"replace all is one undo step", {"a-a", "a", "b", 0, "171 129", "a-a"}},
            {"non-ASCII, replaced",
             {"\U0001F600\u00e9 \u00e7a", "(\u00e7)a", R"({\1})", 0, "171", "\U0001F600\u00e9 {\u00e7}"}},
            {"non-ASCII, found", {"|\U0001F600\u00e9 \u00e7a \u00e9t\u00e9", "[\u00e9\u00e8]t", "", 0, "176",
                                  "\U0001F600\u00e9 \u00e7a [\u00e9t]\u00e9"}},
            {"a match longer than the first pieces",
             {"|" + e3000 + "ab", "\u00e9+ab", "", 0, "176", "[" + e3000 + "ab]"}},
            {"$ only at a line's end", {"|" + x5000 + "\r\nx", "x$", "", 0, "176", x5000.chopped(1) + "[x]\r\nx"}},
            {"bad pattern, find", {"|abc", bad, "", 0, "176", "|abc", badMessage}},
            {"bad pattern, replace all", {"abc", bad, "x", 0, "171", "abc", badMessage}},
            {"backtracking limit", {as, "(a+)+$", "", 0, "176", as, stopped}},
            {"time limit", {lines, "(a+)+$", "x", 0, "171", lines, stopped}},
        };
        for (const auto& [name, run] : rows)
            QTest::newRow(name) << run;
    }

    void regularExpressions()
    {
        QFETCH(PatternRun, run);
        CodeMax1 e;
        SetMarkedText(&e, run.text);
        FindReplace& find = e.Find();
        find.findText = run.pattern;
        find.replaceText = run.with;
        find.matchCase = run.options & 1;
        find.wholeWord = run.options & 2;
        find.regExp = !(run.options & 4);
        find.timeLimitMs = 300;
        QElapsedTimer clock;
        clock.start();
        for (const QString& step : run.steps.split(' '))
            QVERIFY(e.ExecuteCmd(step.toInt()));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(Shown(e, run.expected), run.expected);
        QCOMPARE(m_prompter->unexpected.join('|'), run.messages);
    }

    // The Replace dialog's pattern box: Replace first finds, then replaces with the groups; Replace All does the
    // rest; the box is still ticked the next time.
    void regularExpressionDialog()
    {
        CodeMax1 e;
        SetMarkedText(&e, "|<b>x</b> <B>y</B> <b>z</b>");
        m_prompter->queueDialog([](QDialog* d) {
            d->findChild<QLineEdit*>("txtFind")->setText(R"(<(b)>(\w)</\1>)");
            d->findChild<QLineEdit*>("txtReplace")->setText(R"(<i>\2</i>)");
            d->findChild<QCheckBox*>("chkRegExp")->setChecked(true);
            for (const char* name : {"cmdReplace", "cmdReplace", "cmdReplaceAll", "cmdClose"})
                d->findChild<QPushButton*>(name)->click();
            return d->result();
        });
        QVERIFY(e.ExecuteCmd(169));
        QCOMPARE(e.Text(), "<i>x</i> <i>y</i> <i>z</i>");
        QCOMPARE(m_prompter->unexpected.join('|'), "2 occurrence(s) replaced.");
        QVERIFY(e.Find().regExp);
    }

    // Closing tags: what typing the ">" or "/" that ends a text adds after the caret.
    void closeTagRules_data()
    {
        QTest::addColumn<QString>("added");
        const std::pair<const char*, const char*> rows[] = {
            {"<p>", "</p>"}, {"<Div class=\"a b\">", "</Div>"}, {"<br>", ""}, {"<IMG src=x>", ""}, {"<b/>", ""},
            {"<div />", ""}, {"<a title=\"x>", ""}, {"<a title='x>y' href=\"#\">", "</a>"}, {"<a href=x/>", "</a>"},
            {"<custom>", ""}, {"<!-- a > b <p>", ""}, {"<!DOCTYPE html>", ""}, {"<?php echo '<p>", ""},
            {"<% x %><p>", "</p>"}, {"</p>", ""}, {"a < b <p>", "</p>"}, {"<script>if (a<b>", ""},
            {"<div><p>text</", "p>"}, {"<div><p>x</p></", "div>"}, {"<div><br><img src=x><b/><input></", "div>"},
            {"<ul><li>a<li>b</ul></", ""}, {"text</", ""}, {"<DIV><!-- <p> --></", "DIV>"},
            {"<script>if (a </", "script>"}, {"<p title=\"</", ""}, {"<x-widget><p></p></", "x-widget>"},
            {"<?php if ($a </", ""}};
        for (const auto& [before, added] : rows)
            QTest::newRow(before) << QString(added);
    }
    void closeTagRules()
    {
        QFETCH(QString, added);
        const QSet<QString> known{"A", "B", "BR", "DIV", "IMG", "P", "SCRIPT"};
        QCOMPARE(TagCompletion::AfterTyping(QString(QTest::currentDataTag()), known), added);
    }

    // Typed into the control: only with the option on and in HTML; one Undo takes away what was added.
    void closeTagsTyping()
    {
        CodeMax1 e;
        const auto typed = [&](const QString& keys) {
            QTest::keyClicks(&e, keys);
            return Shown(e);
        };
        QCOMPARE(typed("<div>"), "<div>|");
        e.SetCloseTags(true, {"DIV", "P"});
        e.SetText("");
        QCOMPARE(typed("<div>"), "<div>|</div>");
        e.Undo();
        QCOMPARE(Shown(e), "<div>|");
        QCOMPARE(typed("<P>x"), "<div><P>x|</P>");
        QTest::keyClick(&e, Qt::Key_End);
        QCOMPARE(typed("</"), "<div><P>x</P></div>|");
        e.SetLanguage("Java");
        e.SetText("");
        QCOMPARE(typed("<p>"), "<p>|");
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

    // 204 toggles, 206 next and 205 previous (both wrapping around), 207 clears. Seen: caret line/bookmarks.
    void bookmarks()
    {
        CodeMax1 e;
        SetMarkedText(&e, "0\r\n|1\r\n2\r\n3\r\n4");
        e.ExecuteCmd(204);
        e.SetCaretPos(3, 1);
        QStringList seen;
        for (int cmd : {204, 206, 206, 205, 205, 204, 206, 207, 206}) {
            e.ExecuteCmd(cmd);
            seen << QStringLiteral("%1/%2").arg(e.GetSel(true).startLine).arg(e.Bookmarks().size());
        }
        QCOMPARE(seen, (QStringList{"3/2", "1/2", "3/2", "1/2", "3/2", "3/1", "1/1", "1/0", "1/0"}));
    }

    // While bound the control takes these commands' keys itself; once removed they reach the window's actions.
    void hotKeysRemoved()
    {
        QWidget window;
        auto* e = new CodeMax1(&window);
        QList<QAction*> actions;
        for (int cmd : {129, 139, 140, 160, 161, 197, 198}) {
            QVERIFY(!e->GetHotKey(cmd, 0).isEmpty());
            for (int i = 0; i < e->GetHotKeyCount(cmd); ++i)
                actions << window.addAction(QString::number(cmd), e->GetHotKey(cmd, i));
        }
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        e->setFocus();
        for (int triggered : {0, 1}) {
            for (QAction* action : actions) {
                while (triggered && e->GetHotKeyCount(action->text().toInt()) > 0)
                    e->RemoveHotKey(action->text().toInt(), 0);
                SetMarkedText(e, "[line] one\r\nline two");
                QSignalSpy spy(action, &QAction::triggered);
                QTest::keyClick(e, action->shortcut()[0].key(), action->shortcut()[0].keyboardModifiers());
                QCOMPARE(action->text() + QString::number(spy.count()), action->text() + QString::number(triggered));
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
        const auto C = Qt::ControlModifier;
        for (auto [key, modifiers, seen] : QList<std::tuple<Qt::Key, Qt::KeyboardModifiers, int>>{
                 {Qt::Key_Menu, {}, 930}, {Qt::Key_Slash, {}, 1910}, {Qt::Key_Space, C, 322},
                 {Qt::Key_B, C | Qt::ShiftModifier, 663}, {Qt::Key_7, Qt::AltModifier, 554}, {Qt::Key_F2, {}, 1130},
                 {Qt::Key_Return, {}, 130}, {Qt::Key_Z, {}, 900}}) {
            QTest::keyClick(&e, key, modifiers);
            QCOMPARE(last, seen);
        }
        QCOMPARE(e.Text(), QStringLiteral("zabc"));
        e.show();
        QSignalSpy spy(&e, &CodeMax1::RightClick);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(105, 205));
        QApplication::sendEvent(e.viewport(), &event);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toPoint(), QPoint(105, 205));
        QVERIFY(!QApplication::activePopupWidget());
    }

    // Colour slots and font styles (1 bold, 2 italic) reach their styles in HTML (embedded script too) and Java, and
    // come back when syntax colouring is switched off and on; the HTML kinds are also checked through the options.
    void coloursAndFontStyles()
    {
        using H = QsciLexerHTML;
        using J = QsciLexerJava;
        CodeMax1 e;
        QFont font("Courier", 12);
        e.SetFont(font);
        for (int slot = 0; slot <= 27; ++slot)
            e.SetColor(slot, 100 + slot);
        const auto slotsOf = [&](const QList<int>& styles, bool background = false) {  // the slot each style shows
            QList<int> out;
            for (int style : styles)
                out << colour(e, style, background) - 100;
            return out;
        };
        const int lines = QsciScintillaBase::STYLE_LINENUMBER;
        QCOMPARE(slotsOf({H::Tag, H::HTMLSingleQuotedString, H::JavaScriptDoubleQuotedString, H::HTMLNumber,
                        H::JavaScriptNumber, H::JavaScriptCommentLine, H::JavaScriptKeyword, H::JavaScriptSymbol,
                        H::ASPStart, lines}),
                 QList<int>({22, 16, 16, 6, 6, 14, 8, 10, 12, 26}));
        QCOMPARE(slotsOf({H::Tag, QsciScintillaBase::STYLE_DEFAULT, lines}, true), QList<int>({23, 0, 27}));
        for (auto [slot, style] : QList<std::pair<int, int>>{{9, 1}, {5, 2}, {10, 3}})  // tag, comment, attribute
            e.SetFontStyle(slot, style);
        const auto styles = [&] {  // QScintilla hands Scintilla the lexer's per-style fonts
            QList<int> out;
            for (int s : {H::Tag, H::UnknownTag, H::HTMLComment, H::Attribute, H::Default})
                out << ((e.lexer()->font(s).bold() ? 1 : 0) | (e.lexer()->font(s).italic() ? 2 : 0));
            return out;
        };
        QCOMPARE(styles(), QList<int>({1, 1, 2, 3, 0}));
        QCOMPARE(int(e.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, H::Tag)), 12);
        e.SetLanguage("Java");
        QCOMPARE(slotsOf({J::Keyword, J::Comment}) + slotsOf({J::CommentLine}, true), QList<int>({8, 14, 15}));
        QVERIFY(e.lexer()->font(J::Comment).italic());
        e.SetColorSyntax(false);  // plain text follows the plain-text slot
        QVERIFY(!e.lexer());
        e.SetColor(4, 2);
        QCOMPARE(colour(e, 0), 2);
        e.SetLanguage("HTML");
        e.SetColorSyntax(true);
        QCOMPARE(slotsOf({H::Tag, H::HTMLComment}), QList<int>({22, 14}));
        e.SetFontStyle(9, 0);
        QCOMPARE(styles(), QList<int>({0, 0, 2, 3, 0}));
        font.setBold(true);  // a bold face makes every style bold
        e.SetFont(font);
        QCOMPARE(styles(), QList<int>({1, 1, 3, 3, 1}));
    }

    // Typed keys, composed text and the document's line break go in at the caret; NUL is text like any other.
    void typingLengthsAndSignals()
    {
        CodeMax1 e;
        e.SetFormat({.lineBreak = "\n"});
        SetMarkedText(&e, "h\u00e9|llo \U0001F600 \u20ac");
        QSignalSpy changes(&e, &CodeMax1::Change), selections(&e, &CodeMax1::SelChange);
        QTest::keyClick(&e, Qt::Key_X);
        QTest::keyClick(&e, Qt::Key_Left);
        QInputMethodEvent compose;
        compose.setCommitString("\U0001F600");
        QApplication::sendEvent(&e, &compose);
        QTest::keyClick(&e, Qt::Key_Return);
        QCOMPARE(Shown(e), QStringLiteral("h\u00e9\U0001F600\n|xllo \U0001F600 \u20ac"));
        QCOMPARE(std::tuple(changes.count(), selections.count(), e.Modified()), std::tuple(3, 4, true));
        e.SetModified(false);
        e.Undo();
        QVERIFY(e.Modified());
        e.SetText(QString::fromUtf16(u"a\0b\r\n\0c", 7));
        QCOMPARE(e.GetLine(0), QString::fromUtf16(u"a\0b", 3));
        e.SetCaretPos(1, 1);
        e.SetSelText(QString::fromUtf16(u"\0x", 2));
        QCOMPARE(e.Text(), QString::fromUtf16(u"a\0b\r\n\0\0xc", 9));
    }

    // With no screen reader, the edit control has a plain interface (the library's text interface
    // counts characters from the start at every caret move); when one starts, it gets the full one.
    void accessibleTextOnlyWhenAReaderListens()
    {
        CodeMax1 e;
        e.SetText("h\u00e9llo");
        QAccessibleInterface* quiet = QAccessible::queryAccessibleInterface(&e);
        QVERIFY(quiet && !quiet->textInterface());
        QAccessible::setActive(true);
        QAccessibleInterface* full = QAccessible::queryAccessibleInterface(&e);
        QAccessible::setActive(false);
        QVERIFY(full && full->textInterface());
        QCOMPARE(full->textInterface()->characterCount(), 5);
    }

    // Columns on long lines are counted from the last ones asked for: edits before, inside and after
    // that stretch, line breaks added and removed, and Undo all leave them right.
    // Fold points in every language that folds; turning the margin off shows what was folded.
    void foldPoints_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("html") << "HTML" << "<DIV>\n<P>x</P>\n</DIV>\n";
        QTest::newRow("script in html") << "HTML" << "<SCRIPT>\nif (a) {\nb();\n}\n</SCRIPT>\n";
        QTest::newRow("xml") << "XML" << "<a>\n<b/>\n</a>\n";
        QTest::newRow("css") << "C/C++" << "body {\n color: red;\n}\n";
        QTest::newRow("javascript") << "Java" << "function f() {\n return 1;\n}\n";
        QTest::newRow("perl") << "C/C++" << "sub f {\n 1;\n}\n";
    }
    void foldPoints()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        CodeMax1 e;
        e.SetFoldMargin(true);
        e.SetLanguage(language);
        e.SetColorSyntax(true);
        e.SetText(text);
        e.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);
        QVERIFY(e.SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 2) > 0);
        QVERIFY(e.SendScintilla(QsciScintillaBase::SCI_GETFOLDLEVEL, 0) & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG);
        e.SendScintilla(QsciScintillaBase::SCI_FOLDLINE, 0L, long(QsciScintillaBase::SC_FOLDACTION_CONTRACT));
        QVERIFY(!e.SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 1));
        e.SetFoldMargin(false);
        QVERIFY(e.SendScintilla(QsciScintillaBase::SCI_GETLINEVISIBLE, 1));
        QCOMPARE(e.SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 2), 0);
    }

    // Edit > Line Endings: every break converted as one Undo step; new breaks follow.
    void lineBreakConversion_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("after");
        QTest::newRow("mixed to CR LF") << "a\nb\r\nc\rd\n" << "\r\n" << "a\r\nb\r\nc\r\nd\r\n";
        QTest::newRow("CR LF to LF") << "a\r\n\r\nb" << "\n" << "a\n\nb";
        QTest::newRow("none") << "abc" << "\r\n" << "abc";
    }
    void lineBreakConversion()
    {
        QFETCH(QString, before);
        QFETCH(QString, to);
        QFETCH(QString, after);
        CodeMax1 e;
        e.SetText(before);
        e.ConvertLineBreaks(to);
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.LineBreak(), to);
        e.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        e.SendScintilla(QsciScintillaBase::SCI_NEWLINE);
        QCOMPARE(e.Text(), after + to);
        e.Undo();
        e.Undo();
        QCOMPARE(e.Text(), before);
    }

    void columnsOnLongLines()
    {
        using S = QsciScintillaBase;
        CodeMax1 e;
        QString line;
        for (int i = 0; i < 20000; ++i)
            line += i % 7 ? QStringLiteral("ab ") : QStringLiteral("\u00e9\U0001F600");
        e.SetText("first\r\n" + line + "\r\n" + line);
        e.show();
        auto boundary = [&](long p) { return e.SendScintilla(S::SCI_POSITIONAFTER, e.SendScintilla(S::SCI_POSITIONBEFORE, p)); };
        auto expected = [&](long pos) {
            const long l = e.SendScintilla(S::SCI_LINEFROMPOSITION, pos), start = e.SendScintilla(S::SCI_POSITIONFROMLINE, l);
            return std::pair(int(l), int(QString::fromUtf8(e.Utf8Text().mid(start, pos - start)).size()));
        };
        const QList<QByteArray> inserts{"x", "\u00e9", "\U0001F600", "\r\n", "\n", "\r", "a b"};
        QRandomGenerator rng(7);
        for (int step = 0; step < 600; ++step) {
            const long length = e.SendScintilla(S::SCI_GETLENGTH), p = boundary(rng.bounded(int(length) + 1));
            switch (rng.bounded(5)) {
            case 0: e.SendScintilla(S::SCI_INSERTTEXT, p, inserts[rng.bounded(int(inserts.size()))].constData()); break;
            case 1: e.SendScintilla(S::SCI_DELETERANGE, p, boundary(p + rng.bounded(4)) - p); break;
            case 2: e.Undo(); break;
            case 3: QTest::keyClick(&e, 'x'); break;
            default: e.SendScintilla(S::SCI_SETSEL, boundary(rng.bounded(int(length) + 1)), p);
            }
            const CodeMaxRange r = e.GetSel(false);
            const auto [anchorLine, anchorCol] = expected(e.SendScintilla(S::SCI_GETANCHOR));
            const auto [caretLine, caretCol] = expected(e.SendScintilla(S::SCI_GETCURRENTPOS));
            QCOMPARE(r, (CodeMaxRange{anchorLine, anchorCol, caretLine, caretCol}));
        }
    }

    // Selections set either way round or past the end come back in order and in range; lines are read and deleted.
    void selectionAndLines()
    {
        using S = CodeMaxRange;
        CodeMax1 e;
        e.SetText("a\u00e9\U0001F600x\r\nabc\r\n\r\nlast");
        for (const auto& [set, normalised, selText] : QList<std::tuple<S, S, QString>>{
                 {{0, 1, 0, 4}, {0, 1, 0, 4}, "\u00e9\U0001F600"}, {{1, 2, 0, 2}, {0, 2, 1, 2}, "\U0001F600x\r\nab"},
                 {{0, 0, 0, 50}, {0, 0, 0, 5}, "a\u00e9\U0001F600x"}, {{0, 5, 9, 0}, {0, 5, 3, 4}, "\r\nabc\r\n\r\nlast"}}) {
            e.SetSel(set);
            const S n = e.GetSel(true), raw = e.GetSel(false);
            QCOMPARE(n, normalised);
            QVERIFY(raw == n || (set.startLine > set.endLine && raw == S{n.endLine, n.endCol, n.startLine, n.startCol}));
            QCOMPARE(e.SelText() + "/" + QString::number(e.SelLength()), selText + "/" + QString::number(selText.size()));
        }
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
