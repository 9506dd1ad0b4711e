// The edit control as the rest of the program uses it: numbered commands,
// key bindings, colour slots, selection and the control's own dialogs.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjava.h>

#include "ScriptedPrompter.h"
#include "document/CodeMax1.h"

Q_DECLARE_METATYPE(CodeMaxRange)

namespace QTest {
template <>
char* toString(const CodeMaxRange& r)
{
    return qstrdup(QStringLiteral("(%1,%2)-(%3,%4)").arg(r.startLine).arg(r.startCol).arg(r.endLine).arg(r.endCol)
                       .toUtf8().constData());
}
} // namespace QTest

namespace {

CodeMaxRange range(int sl, int sc, int el, int ec)
{
    return CodeMaxRange{sl, sc, el, ec};
}

CodeMaxRange caret(int line, int col)
{
    return CodeMaxRange{line, col, line, col};
}

// Drives the find or replace dialog: fills it, clicks the named buttons in order, closes it.
std::function<int(QDialog*)> driveFindDialog(const QString& find, const QString& replace, bool matchCase,
                                             bool wholeWord, const QStringList& clicks)
{
    return [=](QDialog* dialog) {
        auto* findEdit = dialog->findChild<QLineEdit*>(QStringLiteral("txtFind"));
        auto* replaceEdit = dialog->findChild<QLineEdit*>(QStringLiteral("txtReplace"));
        auto* caseBox = dialog->findChild<QCheckBox*>(QStringLiteral("chkMatchCase"));
        auto* wordBox = dialog->findChild<QCheckBox*>(QStringLiteral("chkWholeWord"));
        if (!findEdit || !replaceEdit || !caseBox || !wordBox)
            return -1;
        findEdit->setText(find);
        replaceEdit->setText(replace);
        caseBox->setChecked(matchCase);
        wordBox->setChecked(wholeWord);
        for (const QString& name : clicks) {
            auto* button = dialog->findChild<QPushButton*>(name);
            if (!button)
                return -2;
            button->click();
        }
        if (auto* close = dialog->findChild<QPushButton*>(QStringLiteral("cmdClose")))
            close->click();
        return dialog->result();
    };
}

} // namespace

class CodeMaxTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_prompter = ScriptedPrompter::install(); }
    void cleanup() { Prompter::Install(nullptr); }

    void defaults();
    void executeCmd_data();
    void executeCmd();
    void unknownCommand();
    void undoRedoCutCopyPaste();
    void bookmarks();
    void findDialog_data();
    void findDialog();
    void findNextWrapsAndReportsMissing();
    void replaceAllCommand_data();
    void replaceAllCommand();
    void replaceDialog();
    void gotoLine_data();
    void gotoLine();
    void repeatCount_data();
    void repeatCount();
    void hotKeysRemoved_data();
    void hotKeysRemoved();
    void keyDown_data();
    void keyDown();
    void rightClickShowsNoMenu();
    void colourSlots_data();
    void colourSlots();
    void colourSlotsSurviveLanguageChange();
    void fontStyles();
    void plainTextWithoutColouring();
    void textLengthFollowsEdits();
    void nulCharactersKept();
    void getSel_data();
    void getSel();
    void lines_data();
    void lines();
    void modifiedAndSignals();
    void enterUsesDocumentLineBreak_data();
    void enterUsesDocumentLineBreak();
    void printToPdf();

private:
    ScriptedPrompter* m_prompter = nullptr;
};

void CodeMaxTest::defaults()
{
    CodeMax1 editor;
    QCOMPARE(editor.objectName(), QStringLiteral("CodeMax1"));
    QCOMPARE(editor.Language(), QStringLiteral("HTML"));
    QVERIFY(editor.ColorSyntax());
    QVERIFY(qobject_cast<QsciLexerHTML*>(editor.lexer()));
    QCOMPARE(editor.Font().pointSize(), 10);
    QCOMPARE(editor.LineBreak(), QStringLiteral("\r\n"));
    QCOMPARE(editor.SendScintilla(QsciScintillaBase::SCI_GETCODEPAGE), long(QsciScintillaBase::SC_CP_UTF8));

    // Ctrl+A belongs to redo, so that it reaches the Redo menu item once the
    // document window removes the redo bindings.
    QList<QKeySequence> redoKeys;
    for (int i = 0; i < editor.GetHotKeyCount(CmCmd::Redo); ++i)
        redoKeys << editor.GetHotKey(CmCmd::Redo, i);
    QVERIFY(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_A)));
    QVERIFY(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    for (int i = 0; i < editor.GetHotKeyCount(CmCmd::SelectAll); ++i)
        QVERIFY(editor.GetHotKey(CmCmd::SelectAll, i) != QKeySequence(Qt::CTRL | Qt::Key_A));
}

void CodeMaxTest::executeCmd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<CodeMaxRange>("selection");  // start = anchor, end = caret
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QVariant>("data");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<CodeMaxRange>("expectedSel");

    QTest::newRow("103 word right") << "one two three" << caret(0, 0) << 103 << QVariant()
                                    << "one two three" << caret(0, 4);
    QTest::newRow("125 upper case") << "abc d\u00e9f" << range(0, 4, 0, 7) << 125 << QVariant()
                                    << "abc D\u00c9F" << range(0, 4, 0, 7);
    QTest::newRow("147 lower case") << "ABC DEF" << range(0, 0, 0, 3) << 147 << QVariant()
                                    << "abc DEF" << range(0, 0, 0, 3);
    QTest::newRow("147 backwards selection") << "ÉTÉ X" << range(0, 3, 0, 0) << 147 << QVariant()
                                             << "été X" << range(0, 3, 0, 0);
    QTest::newRow("125 longer result") << "straße" << range(0, 0, 0, 6) << 125 << QVariant()
                                       << "STRASSE" << range(0, 0, 0, 7);
    QTest::newRow("125 no selection") << "abc" << caret(0, 1) << 125 << QVariant() << "abc" << caret(0, 1);
    QTest::newRow("137 select all") << "a\r\nbc" << caret(0, 1) << 137 << QVariant()
                                    << "a\r\nbc" << range(0, 0, 1, 2);
    QTest::newRow("149 onto snippet's empty line") << "<P>\r\n\r\n</P>" << caret(2, 4) << 149 << QVariant()
                                                   << "<P>\r\n\r\n</P>" << caret(1, 0);
    QTest::newRow("149 keeps column") << "abcdef\r\nabcdefgh" << caret(1, 5) << 149 << QVariant()
                                      << "abcdef\r\nabcdefgh" << caret(0, 5);
    QTest::newRow("160 delete line") << "one\r\ntwo\r\nthree" << caret(1, 1) << 160 << QVariant()
                                     << "one\r\nthree" << caret(1, 0);
    QTest::newRow("160 last line") << "one\r\ntwo" << caret(1, 2) << 160 << QVariant() << "one\r\n" << caret(1, 0);
    QTest::newRow("195 deletes selection") << "hello world" << range(0, 0, 0, 6) << 195 << QVariant()
                                           << "world" << caret(0, 0);
    QTest::newRow("195 deletes next char") << "h\u00e9llo" << caret(0, 1) << 195 << QVariant()
                                           << "hllo" << caret(0, 1);
    QTest::newRow("195 at end") << "ab" << caret(0, 2) << 195 << QVariant() << "ab" << caret(0, 2);
    QTest::newRow("201 right default") << "h\u00e9llo" << caret(0, 1) << 201 << QVariant()
                                       << "h\u00e9llo" << caret(0, 2);
    QTest::newRow("201 right 3") << "h\u00e9llo" << caret(0, 0) << 201 << QVariant(3) << "h\u00e9llo" << caret(0, 3);
    QTest::newRow("201 over crlf") << "ab\r\ncd" << caret(0, 2) << 201 << QVariant(1) << "ab\r\ncd" << caret(1, 0);
    QTest::newRow("201 past surrogate pair") << "a\U0001F600b" << caret(0, 1) << 201 << QVariant(1)
                                             << "a\U0001F600b" << caret(0, 3);
    QTest::newRow("203 left 1") << "abcd" << caret(0, 3) << 203 << QVariant(1) << "abcd" << caret(0, 2);
    QTest::newRow("203 left 2 over crlf") << "ab\r\ncd" << caret(1, 1) << 203 << QVariant(2)
                                          << "ab\r\ncd" << caret(0, 2);
    QTest::newRow("203 at start") << "ab" << caret(0, 0) << 203 << QVariant(1) << "ab" << caret(0, 0);
}

void CodeMaxTest::executeCmd()
{
    QFETCH(QString, text);
    QFETCH(CodeMaxRange, selection);
    QFETCH(int, cmd);
    QFETCH(QVariant, data);
    QFETCH(QString, expectedText);
    QFETCH(CodeMaxRange, expectedSel);

    CodeMax1 editor;
    editor.SetText(text);
    editor.SetSel(selection);
    QCOMPARE(editor.GetSel(false), selection);
    QVERIFY(editor.ExecuteCmd(cmd, data));
    QCOMPARE(editor.Text(), expectedText);
    QCOMPARE(editor.GetSel(false), expectedSel);
    QCOMPARE(editor.TextLength(), expectedText.size());
    QVERIFY(m_prompter->asked.isEmpty());
}

void CodeMaxTest::unknownCommand()
{
    CodeMax1 editor;
    editor.SetText(QStringLiteral("abc"));
    QVERIFY(!editor.ExecuteCmd(999));
    QVERIFY(!editor.ExecuteCmd(0));
    QCOMPARE(editor.Text(), QStringLiteral("abc"));
}

void CodeMaxTest::undoRedoCutCopyPaste()
{
    CodeMax1 editor;
    editor.SetText(QStringLiteral("alpha beta"));
    QVERIFY(!editor.CanUndo());
    QVERIFY(!editor.CanCopy());
    QVERIFY(!editor.CanCut());

    editor.SetSel(range(0, 0, 0, 6));
    QVERIFY(editor.CanCopy());
    QVERIFY(editor.CanCut());
    editor.setReadOnly(true);
    QVERIFY(!editor.CanCut());
    QVERIFY(editor.CanCopy());
    editor.setReadOnly(false);

    QVERIFY(editor.ExecuteCmd(197));  // cut
    QCOMPARE(editor.Text(), QStringLiteral("beta"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("alpha "));
    QVERIFY(editor.CanPaste());
    editor.SetCaretPos(0, 4);
    QVERIFY(editor.ExecuteCmd(140));  // paste
    QCOMPARE(editor.Text(), QStringLiteral("betaalpha "));

    QVERIFY(editor.CanUndo());
    QVERIFY(editor.ExecuteCmd(129));
    QCOMPARE(editor.Text(), QStringLiteral("beta"));
    QVERIFY(editor.CanRedo());
    QVERIFY(editor.ExecuteCmd(139));
    QCOMPARE(editor.Text(), QStringLiteral("betaalpha "));
    QVERIFY(!editor.CanRedo());

    editor.SetSel(range(0, 0, 0, 4));
    QVERIFY(editor.ExecuteCmd(198));  // copy
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("beta"));
    QCOMPARE(editor.Text(), QStringLiteral("betaalpha "));

    editor.SetText(QStringLiteral("first\r\nsecond"));
    editor.SetCaretPos(0, 2);
    QVERIFY(editor.ExecuteCmd(161));  // line cut
    QCOMPARE(editor.Text(), QStringLiteral("second"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("first\r\n"));
}

void CodeMaxTest::bookmarks()
{
    CodeMax1 editor;
    editor.SetText(QStringLiteral("0\r\n1\r\n2\r\n3\r\n4"));
    editor.SetCaretPos(1, 0);
    editor.ExecuteCmd(204);
    editor.SetCaretPos(3, 1);
    editor.ExecuteCmd(204);
    QCOMPARE(editor.Bookmarks(), (QVector<int>{1, 3}));

    editor.SetCaretPos(0, 0);
    editor.ExecuteCmd(206);
    QCOMPARE(editor.GetSel(true).startLine, 1);
    editor.ExecuteCmd(206);
    QCOMPARE(editor.GetSel(true).startLine, 3);
    editor.ExecuteCmd(206);  // wraps to the top
    QCOMPARE(editor.GetSel(true).startLine, 1);
    editor.ExecuteCmd(205);  // wraps to the bottom
    QCOMPARE(editor.GetSel(true).startLine, 3);
    editor.ExecuteCmd(205);
    QCOMPARE(editor.GetSel(true).startLine, 1);

    editor.ExecuteCmd(204);  // toggles off
    QCOMPARE(editor.Bookmarks(), (QVector<int>{3}));
    editor.ExecuteCmd(207);
    QVERIFY(editor.Bookmarks().isEmpty());
    editor.SetCaretPos(2, 0);
    editor.ExecuteCmd(206);  // nothing to go to
    QCOMPARE(editor.GetSel(true), caret(2, 0));
}

void CodeMaxTest::findDialog_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<CodeMaxRange>("start");
    QTest::addColumn<CodeMaxRange>("expected");

    QTest::newRow("ignores case") << "abc ABC abc" << "abc" << false << false << caret(0, 1) << range(0, 4, 0, 7);
    QTest::newRow("match case") << "abc ABC abc" << "abc" << true << false << caret(0, 1) << range(0, 8, 0, 11);
    QTest::newRow("whole word") << "cat concat cat" << "cat" << false << true << caret(0, 1)
                                << range(0, 11, 0, 14);
    QTest::newRow("part of word") << "cat concat cat" << "cat" << false << false << caret(0, 1)
                                  << range(0, 7, 0, 10);
    QTest::newRow("wraps to top") << "x\r\nfoo\r\nbar" << "x" << false << false << caret(2, 1) << range(0, 0, 0, 1);
    QTest::newRow("after multibyte") << "\u00e9t\u00e9 \u00e9t\u00e9" << "t\u00e9" << false << false
                                     << caret(0, 2) << range(0, 5, 0, 7);
}

void CodeMaxTest::findDialog()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(CodeMaxRange, start);
    QFETCH(CodeMaxRange, expected);

    CodeMax1 editor;
    editor.SetText(text);
    editor.SetSel(start);
    m_prompter->queueDialog(driveFindDialog(find, QString(), matchCase, wholeWord, {QStringLiteral("cmdFindNext")}));
    QVERIFY(editor.ExecuteCmd(178));
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked.at(0).text, QStringLiteral("dlgFind"));
    QVERIFY(m_prompter->unexpected.isEmpty());
    QCOMPARE(editor.GetSel(false), expected);
    QCOMPARE(editor.FindText(), find);
    QCOMPARE(editor.Text(), text);
}

void CodeMaxTest::findNextWrapsAndReportsMissing()
{
    CodeMax1 editor;
    editor.SetText(QStringLiteral("one two one"));
    editor.ExecuteCmd(179, QStringLiteral("one"));
    QCOMPARE(editor.FindText(), QStringLiteral("one"));
    editor.ExecuteCmd(176);
    QCOMPARE(editor.GetSel(false), range(0, 0, 0, 3));
    editor.ExecuteCmd(176);
    QCOMPARE(editor.GetSel(false), range(0, 8, 0, 11));
    editor.ExecuteCmd(176);
    QCOMPARE(editor.GetSel(false), range(0, 0, 0, 3));
    QVERIFY(m_prompter->asked.isEmpty());

    editor.ExecuteCmd(179, QStringLiteral("three"));
    m_prompter->queueMsgBox(MsgAnswer::OK);
    editor.ExecuteCmd(176);
    QCOMPARE(m_prompter->messages(), QStringList{QStringLiteral("Cannot find \"three\".")});
    QCOMPARE(m_prompter->asked.at(0).title, QStringLiteral("QRN"));
    QCOMPARE(editor.GetSel(false), range(0, 0, 0, 3));
}

void CodeMaxTest::replaceAllCommand_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("expected");

    QTest::newRow("simple") << "a-b-a-b" << "a" << "xyz" << "xyz-b-xyz-b";
    QTest::newRow("replacement contains find") << "aaa" << "a" << "aa" << "aaaaaa";
    QTest::newRow("ignores case") << "Tag tag TAG" << "tag" << "p" << "p p p";
    QTest::newRow("multibyte") << "caf\u00e9 \u00e9t\u00e9" << "\u00e9" << "e" << "cafe ete";
    QTest::newRow("to nothing") << "<B>x</B>" << "<B>" << "" << "x</B>";
    QTest::newRow("not found") << "abc" << "z" << "y" << "abc";
    QTest::newRow("across lines") << "a\r\nb\r\n" << "\r\n" << "\n" << "a\nb\n";
}

void CodeMaxTest::replaceAllCommand()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(QString, expected);

    CodeMax1 editor;
    editor.SetText(text);
    editor.ExecuteCmd(179, find);
    editor.ExecuteCmd(180, replace);
    QCOMPARE(editor.ReplaceText(), replace);
    QVERIFY(editor.ExecuteCmd(171));
    QCOMPARE(editor.Text(), expected);
    QCOMPARE(editor.TextLength(), expected.size());
    QVERIFY(m_prompter->asked.isEmpty());
    // All replacements are one undo step.
    editor.Undo();
    QCOMPARE(editor.Text(), text);
}

void CodeMaxTest::replaceDialog()
{
    CodeMax1 editor;
    editor.SetText(QStringLiteral("foo x foo y foo"));
    editor.SetCaretPos(0, 0);
    // Replace: the selection is not a match yet, so it finds the first one;
    // Replace again replaces it and finds the next one.
    m_prompter->queueDialog(driveFindDialog(QStringLiteral("foo"), QStringLiteral("bar"), false, false,
                                            {QStringLiteral("cmdReplace"), QStringLiteral("cmdReplace")}));
    editor.ExecuteCmd(169);
    QCOMPARE(m_prompter->asked.at(0).text, QStringLiteral("dlgReplace"));
    QCOMPARE(editor.Text(), QStringLiteral("bar x foo y foo"));
    QCOMPARE(editor.GetSel(false), range(0, 6, 0, 9));

    m_prompter->queueDialog(driveFindDialog(QStringLiteral("foo"), QStringLiteral("qux"), false, false,
                                            {QStringLiteral("cmdReplaceAll")}));
    m_prompter->queueMsgBox(MsgAnswer::OK);
    editor.ExecuteCmd(169);
    QCOMPARE(editor.Text(), QStringLiteral("bar x qux y qux"));
    QCOMPARE(m_prompter->messages(), QStringList{QStringLiteral("2 occurrence(s) replaced.")});
    QVERIFY(m_prompter->unexpected.isEmpty());
    QCOMPARE(editor.FindText(), QStringLiteral("foo"));
    QCOMPARE(editor.ReplaceText(), QStringLiteral("qux"));
}

void CodeMaxTest::gotoLine_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("expectedLine");

    QTest::newRow("line 3") << std::optional<QString>(QStringLiteral("3")) << 2;
    QTest::newRow("spaces") << std::optional<QString>(QStringLiteral(" 4 ")) << 3;
    QTest::newRow("beyond end") << std::optional<QString>(QStringLiteral("99")) << 4;
    QTest::newRow("zero") << std::optional<QString>(QStringLiteral("0")) << 0;
    QTest::newRow("negative") << std::optional<QString>(QStringLiteral("-5")) << 0;
    QTest::newRow("not a number") << std::optional<QString>(QStringLiteral("abc")) << 1;
    QTest::newRow("cancel") << std::optional<QString>() << 1;
}

void CodeMaxTest::gotoLine()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, expectedLine);

    CodeMax1 editor;
    editor.SetText(QStringLiteral("a\r\nbb\r\nccc\r\ndddd\r\neeeee"));
    editor.SetCaretPos(1, 1);
    m_prompter->queueInput(answer);
    QVERIFY(editor.ExecuteCmd(168, -1));
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked.at(0).kind, QStringLiteral("InputBox"));
    QCOMPARE(m_prompter->asked.at(0).text, QStringLiteral("Line number:"));
    QCOMPARE(m_prompter->asked.at(0).title, QStringLiteral("Go To Line"));
    const CodeMaxRange sel = editor.GetSel(true);
    QCOMPARE(sel.startLine, expectedLine);
    QCOMPARE(sel.startCol, expectedLine == 1 ? 1 : 0);
}

void CodeMaxTest::repeatCount_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("afterKey");
    QTest::addColumn<int>("caretAfterCmd");

    QTest::newRow("3") << std::optional<QString>(QStringLiteral("3")) << "xxxabcdefgh" << 3;
    QTest::newRow("1") << std::optional<QString>(QStringLiteral("1")) << "xabcdefgh" << 1;
    QTest::newRow("cancel") << std::optional<QString>() << "xabcdefgh" << 1;
    QTest::newRow("zero") << std::optional<QString>(QStringLiteral("0")) << "xabcdefgh" << 1;
    QTest::newRow("text") << std::optional<QString>(QStringLiteral("many")) << "xabcdefgh" << 1;
}

void CodeMaxTest::repeatCount()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, afterKey);
    QFETCH(int, caretAfterCmd);

    // The count applies to the next typed key, as one undo step...
    CodeMax1 editor;
    editor.SetText(QStringLiteral("abcdefgh"));
    m_prompter->queueInput(answer);
    QVERIFY(editor.ExecuteCmd(187));
    QCOMPARE(m_prompter->asked.at(0).text, QStringLiteral("Repeat count:"));
    QCOMPARE(m_prompter->asked.at(0).title, QStringLiteral("Repeat"));
    QTest::keyClick(&editor, Qt::Key_X);
    QCOMPARE(editor.Text(), afterKey);
    QTest::keyClick(&editor, Qt::Key_Y);  // only the next key
    QCOMPARE(editor.Text().count(QLatin1Char('y')), 1);
    editor.Undo();
    editor.Undo();
    QCOMPARE(editor.Text(), QStringLiteral("abcdefgh"));

    // ...or to the next numbered command.
    m_prompter->queueInput(answer);
    editor.ExecuteCmd(187);
    editor.ExecuteCmd(201);
    QCOMPARE(editor.GetSel(false), caret(0, caretAfterCmd));
    editor.ExecuteCmd(201);
    QCOMPARE(editor.GetSel(false), caret(0, caretAfterCmd + 1));
}

void CodeMaxTest::hotKeysRemoved_data()
{
    QTest::addColumn<int>("cmd");
    for (int cmd : {129, 139, 140, 160, 161, 197, 198})
        QTest::newRow(qPrintable(QString::number(cmd))) << cmd;
}

void CodeMaxTest::hotKeysRemoved()
{
    QFETCH(int, cmd);
    QWidget window;
    auto* editor = new CodeMax1(&window);
    editor->SetText(QStringLiteral("line one\r\nline two"));
    editor->SetSel(range(0, 0, 0, 4));

    const int count = editor->GetHotKeyCount(cmd);
    QVERIFY(count > 0);
    QList<QAction*> actions;
    for (int i = 0; i < count; ++i) {
        const QKeySequence key = editor->GetHotKey(cmd, i);
        QVERIFY(!key.isEmpty());
        auto* action = new QAction(&window);
        action->setShortcut(key);
        window.addAction(action);
        actions << action;
    }
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->setFocus();

    // While bound, the control takes the key itself.
    for (int i = 0; i < count; ++i) {
        QSignalSpy spy(actions[i], &QAction::triggered);
        const QKeyCombination key = actions[i]->shortcut()[0];
        QTest::keyClick(editor, key.key(), key.keyboardModifiers());
        QCOMPARE(spy.count(), 0);
    }

    while (editor->GetHotKeyCount(cmd) > 0)
        editor->RemoveHotKey(cmd, 0);
    QCOMPARE(editor->GetHotKeyCount(cmd), 0);

    editor->SetText(QStringLiteral("line one\r\nline two"));
    editor->SetSel(range(0, 0, 0, 4));
    for (int i = 0; i < count; ++i) {
        QSignalSpy spy(actions[i], &QAction::triggered);
        const QKeyCombination key = actions[i]->shortcut()[0];
        QTest::keyClick(editor, key.key(), key.keyboardModifiers());
        QCOMPARE(spy.count(), 1);
    }
    QCOMPARE(editor->Text(), QStringLiteral("line one\r\nline two"));
}

void CodeMaxTest::keyDown_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shift");

    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << 93 << 0;
    QTest::newRow("slash") << int(Qt::Key_Slash) << int(Qt::NoModifier) << 191 << 0;
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 32 << 0;
    QTest::newRow("ctrl+space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << 32 << 2;
    QTest::newRow("letter") << int(Qt::Key_Q) << int(Qt::NoModifier) << 81 << 0;
    QTest::newRow("shift+letter") << int(Qt::Key_Q) << int(Qt::ShiftModifier) << 81 << 1;
    QTest::newRow("ctrl+shift+letter") << int(Qt::Key_B) << int(Qt::ControlModifier | Qt::ShiftModifier) << 66 << 3;
    QTest::newRow("alt+digit") << int(Qt::Key_7) << int(Qt::AltModifier) << 55 << 4;
    QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier) << 113 << 0;
    QTest::newRow("return") << int(Qt::Key_Return) << int(Qt::NoModifier) << 13 << 0;
}

void CodeMaxTest::keyDown()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QFETCH(int, shift);

    CodeMax1 editor;
    editor.SetText(QStringLiteral("abc"));
    int seenCode = -1, seenShift = -1;
    bool stop = true;
    connect(&editor, &CodeMax1::KeyDown, &editor, [&](int c, int s, bool* handled) {
        seenCode = c;
        seenShift = s;
        *handled = stop;
    });
    QTest::keyClick(&editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(seenCode, code);
    QCOMPARE(seenShift, shift);
    QCOMPARE(editor.Text(), QStringLiteral("abc"));  // handled: the key goes no further

    stop = false;
    editor.SetText(QStringLiteral("abc"));
    QTest::keyClick(&editor, Qt::Key_Z);
    QCOMPARE(seenCode, int('Z'));
    QCOMPARE(editor.Text(), QStringLiteral("zabc"));
}

void CodeMaxTest::rightClickShowsNoMenu()
{
    CodeMax1 editor;
    editor.show();
    QSignalSpy spy(&editor, &CodeMax1::RightClick);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(105, 205));
    QApplication::sendEvent(editor.viewport(), &event);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last().at(0).toPoint(), QPoint(105, 205));
    QVERIFY(!QApplication::activePopupWidget());
}

void CodeMaxTest::colourSlots_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("htmlStyle");
    QTest::addColumn<bool>("background");

    using L = QsciLexerHTML;
    QTest::newRow("tag element name") << 22 << int(L::Tag) << false;
    QTest::newRow("tag element background") << 23 << int(L::Tag) << true;
    QTest::newRow("unknown tag") << 22 << int(L::UnknownTag) << false;
    QTest::newRow("attribute name") << 24 << int(L::Attribute) << false;
    QTest::newRow("attribute value") << 16 << int(L::HTMLDoubleQuotedString) << false;
    QTest::newRow("single-quoted value") << 16 << int(L::HTMLSingleQuotedString) << false;
    QTest::newRow("number in tag") << 6 << int(L::HTMLNumber) << false;
    QTest::newRow("comment") << 14 << int(L::HTMLComment) << false;
    QTest::newRow("comment background") << 15 << int(L::HTMLComment) << true;
    QTest::newRow("entity") << 20 << int(L::Entity) << false;
    QTest::newRow("plain text") << 4 << int(L::Default) << false;
    QTest::newRow("plain background") << 5 << int(L::Default) << true;
    QTest::newRow("script keyword") << 8 << int(L::JavaScriptKeyword) << false;
    QTest::newRow("script string") << 16 << int(L::JavaScriptDoubleQuotedString) << false;
    QTest::newRow("script comment") << 14 << int(L::JavaScriptCommentLine) << false;
    QTest::newRow("script operator") << 10 << int(L::JavaScriptSymbol) << false;
    QTest::newRow("script number") << 6 << int(L::JavaScriptNumber) << false;
    QTest::newRow("asp start") << 12 << int(L::ASPStart) << false;
    QTest::newRow("window") << 0 << int(QsciScintillaBase::STYLE_DEFAULT) << true;
    QTest::newRow("line numbers") << 26 << int(QsciScintillaBase::STYLE_LINENUMBER) << false;
    QTest::newRow("line numbers background") << 27 << int(QsciScintillaBase::STYLE_LINENUMBER) << true;
}

void CodeMaxTest::colourSlots()
{
    QFETCH(int, slot);
    QFETCH(int, htmlStyle);
    QFETCH(bool, background);

    CodeMax1 editor;
    editor.SetText(QStringLiteral("<P CLASS=\"x\">&amp;</P><!-- c -->"));
    const int colour = 0x123456;  // blue 0x12, green 0x34, red 0x56
    editor.SetColor(slot, colour);
    QCOMPARE(editor.GetColor(slot), colour);
    const int message = background ? QsciScintillaBase::SCI_STYLEGETBACK : QsciScintillaBase::SCI_STYLEGETFORE;
    QCOMPARE(int(editor.SendScintilla(message, htmlStyle)), colour);
}

void CodeMaxTest::colourSlotsSurviveLanguageChange()
{
    CodeMax1 editor;
    editor.SetColor(22, 0x0000A0);
    editor.SetColor(8, 0x00AA00);
    editor.SetColor(14, 0x0000FF);
    editor.SetColor(15, 0x00FFFF);

    editor.SetLanguage(QStringLiteral("Java"));
    QVERIFY(qobject_cast<QsciLexerJava*>(editor.lexer()));
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerJava::Keyword)), 0x00AA00);
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerJava::Comment)), 0x0000FF);
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, QsciLexerJava::CommentLine)), 0x00FFFF);

    editor.SetLanguage(QStringLiteral("C/C++"));
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerCPP::Keyword)), 0x00AA00);

    editor.SetLanguage(QStringLiteral("XML"));
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerHTML::Tag)), 0x0000A0);

    editor.SetLanguage(QStringLiteral("HTML"));
    QVERIFY(qobject_cast<QsciLexerHTML*>(editor.lexer()));
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerHTML::Tag)), 0x0000A0);
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerHTML::HTMLComment)), 0x0000FF);
}

void CodeMaxTest::fontStyles()
{
    CodeMax1 editor;
    QFont font(QStringLiteral("Courier"), 12);
    editor.SetFont(font);
    editor.SetFontStyle(9, 1);   // tag element name: bold
    editor.SetFontStyle(5, 2);   // comment: italic
    editor.SetFontStyle(10, 3);  // attribute: both
    QCOMPARE(editor.GetFontStyle(10), 3);
    // QScintilla hands fonts to Scintilla from the lexer's per-style fonts.
    auto font_ = [&](int style) { return editor.lexer()->font(style); };
    QVERIFY(font_(QsciLexerHTML::Tag).bold());
    QVERIFY(!font_(QsciLexerHTML::Tag).italic());
    QVERIFY(font_(QsciLexerHTML::UnknownTag).bold());
    QVERIFY(!font_(QsciLexerHTML::HTMLComment).bold());
    QVERIFY(font_(QsciLexerHTML::HTMLComment).italic());
    QVERIFY(font_(QsciLexerHTML::Attribute).bold());
    QVERIFY(font_(QsciLexerHTML::Attribute).italic());
    QVERIFY(!font_(QsciLexerHTML::Default).bold());
    QCOMPARE(font_(QsciLexerHTML::Tag).pointSize(), 12);
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, QsciLexerHTML::Default)), 12);
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETITALIC, QsciLexerHTML::HTMLComment)), 1);

    editor.SetFontStyle(9, 0);
    QVERIFY(!font_(QsciLexerHTML::Tag).bold());
    // A bold face makes every style bold.
    font.setBold(true);
    editor.SetFont(font);
    QVERIFY(font_(QsciLexerHTML::Default).bold());
    QVERIFY(font_(QsciLexerHTML::HTMLComment).italic());
}

void CodeMaxTest::plainTextWithoutColouring()
{
    CodeMax1 editor;
    editor.SetColor(4, 0x112233);
    editor.SetColor(22, 0x445566);
    editor.SetColorSyntax(false);
    QVERIFY(!editor.lexer());
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, 0)), 0x112233);
    editor.SetColor(4, 0x010203);
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, 0)), 0x010203);
    editor.SetColorSyntax(true);
    QVERIFY(qobject_cast<QsciLexerHTML*>(editor.lexer()));
    QCOMPARE(int(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, QsciLexerHTML::Tag)), 0x445566);
}

void CodeMaxTest::textLengthFollowsEdits()
{
    CodeMax1 editor;
    auto check = [&](const char* step) {
        QVERIFY2(editor.TextLength() == editor.Text().size(),
                 qPrintable(QStringLiteral("%1: %2 vs %3").arg(QLatin1String(step)).arg(editor.TextLength())
                                .arg(editor.Text().size())));
    };
    editor.SetText(QStringLiteral("h\u00e9llo \U0001F600 \u20ac"));
    QCOMPARE(editor.TextLength(), 10);
    check("set");
    editor.SetCaretPos(0, 2);
    editor.SetSelText(QStringLiteral("\u20ac\u20ac\r\n"));
    check("insert");
    editor.SetSel(range(0, 0, 1, 3));
    QCOMPARE(editor.SelLength(), 9);  // "h\u00e9\u20ac\u20ac", CR LF, "llo"
    editor.ExecuteCmd(195);
    check("delete");
    editor.Undo();
    check("undo");
    editor.Redo();
    check("redo");
    // Typed text that QTest::keyClicks cannot produce (non-ASCII).
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00fc"));
    QApplication::sendEvent(&editor, &press);
    QInputMethodEvent compose;  // characters beyond the keyboard come from the input method
    compose.setCommitString(QStringLiteral("\U0001F600"));
    QApplication::sendEvent(&editor, &compose);
    QTest::keyClick(&editor, Qt::Key_B);
    QVERIFY2(editor.Text().contains(QStringLiteral("\u00fc\U0001F600b")), qPrintable(editor.Text()));
    check("typed");
    QTest::keyClick(&editor, Qt::Key_Backspace);
    check("backspace");
    editor.ExecuteCmd(137);
    QCOMPARE(editor.SelLength(), editor.Text().size());
    editor.SetText(QString());
    QCOMPARE(editor.TextLength(), 0);
}

void CodeMaxTest::nulCharactersKept()
{
    CodeMax1 editor;
    const QString text = QString::fromUtf16(u"a\0b\r\n\0c", 7);
    editor.SetText(text);
    QCOMPARE(editor.Text(), text);
    QCOMPARE(editor.TextLength(), 7);
    QCOMPARE(editor.GetLine(0), QString::fromUtf16(u"a\0b", 3));
    editor.SetCaretPos(1, 1);
    editor.SetSelText(QString::fromUtf16(u"\0x", 2));
    QCOMPARE(editor.Text(), QString::fromUtf16(u"a\0b\r\n\0\0xc", 9));
}

void CodeMaxTest::getSel_data()
{
    QTest::addColumn<CodeMaxRange>("set");
    QTest::addColumn<CodeMaxRange>("normalised");
    QTest::addColumn<QString>("selText");

    QTest::newRow("forwards") << range(0, 1, 0, 4) << range(0, 1, 0, 4) << "\u00e9\U0001F600";
    QTest::newRow("backwards") << range(1, 2, 0, 2) << range(0, 2, 1, 2) << "\U0001F600x\r\nab";
    QTest::newRow("caret only") << caret(1, 1) << caret(1, 1) << "";
    QTest::newRow("column past end") << range(0, 0, 0, 50) << range(0, 0, 0, 5) << "a\u00e9\U0001F600x";
    QTest::newRow("line past end") << range(0, 5, 9, 0) << range(0, 5, 1, 3) << "\r\nabc";
}

void CodeMaxTest::getSel()
{
    QFETCH(CodeMaxRange, set);
    QFETCH(CodeMaxRange, normalised);
    QFETCH(QString, selText);

    CodeMax1 editor;
    editor.SetText(QStringLiteral("a\u00e9\U0001F600x\r\nabc"));
    editor.SetSel(set);
    QCOMPARE(editor.GetSel(true), normalised);
    const CodeMaxRange raw = editor.GetSel(false);
    const bool backwards = set.endLine < set.startLine || (set.endLine == set.startLine && set.endCol < set.startCol);
    if (backwards)
        QCOMPARE(raw, (CodeMaxRange{normalised.endLine, normalised.endCol, normalised.startLine, normalised.startCol}));
    else
        QCOMPARE(raw, normalised);
    QCOMPARE(editor.SelText(), selText);
    QCOMPARE(editor.SelLength(), selText.size());
}

void CodeMaxTest::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("lineText");
    QTest::addColumn<QString>("afterDelete");

    QTest::newRow("first crlf") << "one\r\ntw\u00f6\r\nthree" << 0 << "one" << "tw\u00f6\r\nthree";
    QTest::newRow("middle multibyte") << "one\r\ntw\u00f6\r\nthree" << 1 << "tw\u00f6" << "one\r\nthree";
    QTest::newRow("last line") << "one\ntwo" << 1 << "two" << "one\n";
    QTest::newRow("empty line") << "a\n\nb" << 1 << "" << "a\nb";
    QTest::newRow("out of range") << "a\nb" << 5 << "" << "a\nb";
}

void CodeMaxTest::lines()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, lineText);
    QFETCH(QString, afterDelete);

    CodeMax1 editor;
    editor.SetText(text);
    QCOMPARE(editor.GetLine(line), lineText);
    QCOMPARE(editor.GetLineLength(line), lineText.size());
    editor.DeleteLine(line);
    QCOMPARE(editor.Text(), afterDelete);
}

void CodeMaxTest::modifiedAndSignals()
{
    CodeMax1 editor;
    editor.SetText(QStringLiteral("abc"));
    QVERIFY(!editor.Modified());
    QSignalSpy changes(&editor, &CodeMax1::Change);
    QSignalSpy selections(&editor, &CodeMax1::SelChange);

    for (int i = 1; i <= 3; ++i) {
        QTest::keyClick(&editor, Qt::Key_X);
        QCOMPARE(changes.count(), i);
        QCOMPARE(selections.count(), i);
    }
    QVERIFY(editor.Modified());
    QTest::keyClick(&editor, Qt::Key_Left);
    QCOMPARE(selections.count(), 4);
    QCOMPARE(changes.count(), 3);
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(&editor, &compose);
    QCOMPARE(changes.count(), 4);
    QCOMPARE(selections.count(), 5);
    QCOMPARE(editor.Text(), QStringLiteral("xx\u00e9xabc"));

    editor.SetModified(false);
    QVERIFY(!editor.Modified());
    editor.Undo();
    QVERIFY(editor.Modified());
    editor.SetModified(false);
    editor.SetModified(true);
    QVERIFY(editor.Modified());
}

void CodeMaxTest::enterUsesDocumentLineBreak_data()
{
    QTest::addColumn<QString>("lineBreak");
    QTest::newRow("crlf") << "\r\n";
    QTest::newRow("lf") << "\n";
}

void CodeMaxTest::enterUsesDocumentLineBreak()
{
    QFETCH(QString, lineBreak);
    CodeMax1 editor;
    FileFormat format;
    format.lineBreak = lineBreak;
    editor.SetFormat(format);
    editor.SetText(QStringLiteral("ab"));
    editor.SetCaretPos(0, 1);
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(editor.Text(), QStringLiteral("a") + lineBreak + QStringLiteral("b"));
    QCOMPARE(editor.LineBreak(), lineBreak);
}

void CodeMaxTest::printToPdf()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    CodeMax1 editor;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("<P>Line %1</P>\r\n").arg(i);
    editor.SetText(text);
    QVERIFY(editor.PrintContents(&printer));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    // 200 lines do not fit on one page.
    const auto pages = QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")).globalMatch(QString::fromLatin1(bytes));
    int count = 0;
    for (auto it = pages; it.hasNext(); it.next())
        ++count;
    QVERIFY2(count >= 2, qPrintable(QString::number(count)));
}

QTEST_MAIN(CodeMaxTest)
#include "tst_codemax.moc"
