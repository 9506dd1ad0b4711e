// The numbered commands of the edit control: the table, the actions behind it and their key bindings.
#include "document/CodeMaxCommands.h"

#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/FindDialog.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <algorithm>

namespace {

using S = QsciScintillaBase;

// The control's text as FindReplace searches it, with Scintilla's own matching of plain text.
class EditorText : public FindReplace::Text {
public:
    explicit EditorText(CodeMax1& editor) : m_editor(editor) {}

    qint64 length() const override { return m_editor.SendScintilla(S::SCI_GETLENGTH); }

    bool find(const QByteArray& needle, bool matchCase, bool wholeWord, qint64 from, qint64 to, qint64* start,
              qint64* end) const override
    {
        int flags = 0;
        if (matchCase)
            flags |= S::SCFIND_MATCHCASE;
        if (wholeWord)
            flags |= S::SCFIND_WHOLEWORD;
        m_editor.SendScintilla(S::SCI_SETSEARCHFLAGS, flags);
        m_editor.SendScintilla(S::SCI_SETTARGETRANGE, long(from), long(to));
        const auto size = static_cast<unsigned long>(needle.size());
        if (m_editor.SendScintilla(S::SCI_SEARCHINTARGET, size, needle.constData()) < 0)
            return false;
        *start = m_editor.SendScintilla(S::SCI_GETTARGETSTART);
        *end = m_editor.SendScintilla(S::SCI_GETTARGETEND);
        return true;
    }

    qint64 replace(qint64 start, qint64 end, const QByteArray& with) override
    {
        m_editor.SendScintilla(S::SCI_SETTARGETRANGE, long(start), long(end));
        m_editor.SendScintilla(S::SCI_REPLACETARGET, static_cast<unsigned long>(with.size()), with.constData());
        return m_editor.SendScintilla(S::SCI_GETTARGETEND);
    }

    QByteArrayView bytes(qint64 from, qint64 length) const override { return m_editor.Utf8Range(from, length); }
    QByteArray lineBreak() const override { return m_editor.LineBreak().toUtf8(); }

private:
    CodeMax1& m_editor;
};

} // namespace

const CodeMaxCommands::Row* CodeMaxCommands::row(int number)
{
    using E = CodeMax1;
    using Q = QsciCommand;
    static const Row table[] = {
        {CmCmd::WordRight, [](E& e, const QVariant&) { e.SendScintilla(S::SCI_WORDRIGHT); }, true, Q::WordRight},
        {CmCmd::UpperCaseSelection, [](E& e, const QVariant&) { changeCase(e, true); }, true, Q::SelectionUpperCase},
        {CmCmd::LowerCaseSelection, [](E& e, const QVariant&) { changeCase(e, false); }, true, Q::SelectionLowerCase},
        {CmCmd::Undo, [](E& e, const QVariant&) { e.Undo(); }, true, Q::Undo},
        {CmCmd::Redo, [](E& e, const QVariant&) { e.Redo(); }, true, Q::Redo},
        {CmCmd::Paste, [](E& e, const QVariant&) { e.Paste(); }, true, Q::Paste},
        {CmCmd::Cut, [](E& e, const QVariant&) { e.Cut(); }, false, Q::SelectionCut},
        {CmCmd::Copy, [](E& e, const QVariant&) { e.Copy(); }, false, Q::SelectionCopy},
        // Caret at the end, where a user continues.
        {CmCmd::SelectAll,
         [](E& e, const QVariant&) { e.SendScintilla(S::SCI_SETSEL, 0L, e.SendScintilla(S::SCI_GETLENGTH)); }, false,
         Q::SelectAll},
        {CmCmd::LineUp, [](E& e, const QVariant&) { lineUpKeepingColumn(e); }, true, Q::LineUp},
        {CmCmd::LineDelete, [](E& e, const QVariant&) { e.SendScintilla(S::SCI_LINEDELETE); }, true, Q::LineDelete},
        {CmCmd::LineCut, [](E& e, const QVariant&) { e.SendScintilla(S::SCI_LINECUT); }, true, Q::LineCut},
        {CmCmd::Delete, [](E& e, const QVariant&) { e.SendScintilla(S::SCI_CLEAR); }, true, Q::Delete},
        {CmCmd::CharRight, [](E& e, const QVariant& data) {
             const int count = data.isValid() && data.canConvert<int>() ? data.toInt() : 1;
             for (int i = 0; i < count; ++i)
                 charMove(e, true);
         }, true, Q::CharRight},
        {CmCmd::CharLeft, [](E& e, const QVariant& data) {
             const int count = data.isValid() && data.canConvert<int>() ? data.toInt() : 1;
             for (int i = 0; i < count; ++i)
                 charMove(e, false);
         }, true, Q::CharLeft},
        {CmCmd::GotoLine, [](E& e, const QVariant& data) {
             if (!data.isValid() || data.toInt() < 0)
                 gotoLinePrompt(e);
             else
                 gotoLine(e, data.toInt());
         }, false, 0},
        {CmCmd::FindReplace, [](E& e, const QVariant&) { showFindDialog(e, true); }, false, 0},
        {CmCmd::Find, [](E& e, const QVariant&) { showFindDialog(e, false); }, false, 0},
        {CmCmd::FindNext, [](E& e, const QVariant&) {
             if (e.m_find.findText.isEmpty())
                 showFindDialog(e, false);
             else
                 findNext(e, true);
         }, true, 0},
        {CmCmd::ReplaceAll, [](E& e, const QVariant&) { replaceAll(e); }, false, 0},
        {CmCmd::SetFindText, [](E& e, const QVariant& data) { e.m_find.findText = data.toString(); }, false, 0},
        {CmCmd::SetReplaceText, [](E& e, const QVariant& data) { e.m_find.replaceText = data.toString(); }, false, 0},
        {CmCmd::RepeatCount, [](E& e, const QVariant&) { repeatCountPrompt(e); }, false, 0},
        {CmCmd::BookmarkToggle, [](E& e, const QVariant&) { toggleBookmark(e); }, true, 0},
        {CmCmd::BookmarkPrev, [](E& e, const QVariant&) { moveBookmark(e, false); }, true, 0},
        {CmCmd::BookmarkNext, [](E& e, const QVariant&) { moveBookmark(e, true); }, true, 0},
        {CmCmd::BookmarkClearAll, [](E& e, const QVariant&) { e.m_bookmarks.clear(); }, false, 0},
    };
    for (const Row& r : table)
        if (r.number == number)
            return &r;
    return nullptr;
}

bool CodeMaxCommands::execute(CodeMax1& e, int number, const QVariant& data)
{
    const Row* command = row(number);
    if (!command)
        return false;
    int times = 1;
    if (e.m_repeatPending > 0 && number != CmCmd::RepeatCount) {
        times = e.m_repeatPending;
        e.m_repeatPending = 0;
    }
    if (times > 1 && command->repeatable) {
        // Undo and redo step through history; everything else is one undo step.
        const bool group = number != CmCmd::Undo && number != CmCmd::Redo;
        if (group)
            e.SendScintilla(S::SCI_BEGINUNDOACTION);
        for (int i = 0; i < times; ++i)
            command->run(e, data);
        if (group)
            e.SendScintilla(S::SCI_ENDUNDOACTION);
    } else {
        command->run(e, data);
    }
    e.notifySelChange();
    return true;
}

// ---------------------------------------------------------------- key bindings

QsciCommand* CodeMaxCommands::keys(const CodeMax1& e, int number)
{
    const Row* r = row(number);
    if (!r || r->keys == 0)
        return nullptr;
    return const_cast<CodeMax1&>(e).standardCommands()->find(static_cast<QsciCommand::Command>(r->keys));
}

int CodeMaxCommands::hotKeyCount(const CodeMax1& e, int number)
{
    const QsciCommand* c = keys(e, number);
    if (!c)
        return 0;
    return (c->key() != 0 ? 1 : 0) + (c->alternateKey() != 0 ? 1 : 0);
}

QKeySequence CodeMaxCommands::hotKey(const CodeMax1& e, int number, int index)
{
    const QsciCommand* c = keys(e, number);
    if (!c)
        return QKeySequence();
    QList<int> bound;
    for (int key : {c->key(), c->alternateKey()})
        if (key != 0)
            bound.append(key);
    return (index >= 0 && index < bound.size()) ? QKeySequence(bound.at(index)) : QKeySequence();
}

void CodeMaxCommands::removeHotKey(CodeMax1& e, int number, int index)
{
    QsciCommand* c = keys(e, number);
    if (!c)
        return;
    QList<int> bound;
    for (int key : {c->key(), c->alternateKey()})
        if (key != 0)
            bound.append(key);
    if (index < 0 || index >= bound.size())
        return;
    bound.removeAt(index);
    // Unbinding also stops the control claiming the key as a shortcut override.
    c->setAlternateKey(0);
    c->setKey(bound.value(0, 0));
}

void CodeMaxCommands::bindKeys(CodeMax1& e)
{
    // Zoom belongs to the View menu, which zooms every document together.
    for (QsciCommand::Command zoom : {QsciCommand::ZoomIn, QsciCommand::ZoomOut})
        if (QsciCommand* c = e.standardCommands()->find(zoom)) {
            c->setKey(0);
            c->setAlternateKey(0);
        }
    const int ctrlA = (Qt::CTRL | Qt::Key_A).toCombined();
    if (QsciCommand* selectAll = keys(e, CmCmd::SelectAll)) {
        if (selectAll->key() == ctrlA)
            selectAll->setKey(0);
        if (selectAll->alternateKey() == ctrlA)
            selectAll->setAlternateKey(0);
    }
    if (QsciCommand* redo = keys(e, CmCmd::Redo)) {
        if (redo->key() == 0)
            redo->setKey(ctrlA);
        else
            redo->setAlternateKey(ctrlA);
    }
}

// ---------------------------------------------------------------- editing and moving

// Scintilla's own case commands leave non-ASCII letters as they are.
void CodeMaxCommands::changeCase(CodeMax1& e, bool upper)
{
    const QString selected = e.SelText();
    if (selected.isEmpty())
        return;
    const QString changed = upper ? selected.toUpper() : selected.toLower();
    if (changed == selected)
        return;
    const long anchor = e.SendScintilla(S::SCI_GETANCHOR);
    const long caret = e.SendScintilla(S::SCI_GETCURRENTPOS);
    const long start = qMin(anchor, caret);
    e.SetSelText(changed);
    const long end = start + changed.toUtf8().size();
    if (anchor <= caret)
        e.SendScintilla(S::SCI_SETSEL, start, end);
    else
        e.SendScintilla(S::SCI_SETSEL, end, start);
}

void CodeMaxCommands::lineUpKeepingColumn(CodeMax1& e)
{
    const long pos = e.SendScintilla(S::SCI_GETCURRENTPOS);
    const CodeMaxRange sel = e.GetSel(false);
    const int col = (e.m_virtualCol >= 0 && pos == e.m_virtualPos) ? e.m_virtualCol : sel.endCol;
    e.m_virtualCol = -1;
    if (sel.endLine == 0) {
        e.SendScintilla(S::SCI_LINEUP);
        return;
    }
    const int target = sel.endLine - 1;
    const int length = e.GetLineLength(target);
    e.SetCaretPos(target, std::min(col, length));
    if (col > length) {
        // Past the end of the shorter line: remember the column, as virtual space does.
        e.m_virtualCol = col;
        e.m_virtualPos = e.SendScintilla(S::SCI_GETCURRENTPOS);
    }
}

void CodeMaxCommands::charMove(CodeMax1& e, bool right)
{
    const long anchor = e.SendScintilla(S::SCI_GETANCHOR);
    const long pos = e.SendScintilla(S::SCI_GETCURRENTPOS);
    if (anchor != pos) {
        // A selection collapses to the side the caret moves towards.
        const long to = right ? std::max(anchor, pos) : std::min(anchor, pos);
        e.SendScintilla(S::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(to));
        e.m_virtualCol = -1;
        return;
    }
    if (!right && e.m_virtualCol >= 0 && pos == e.m_virtualPos) {
        const CodeMaxRange sel = e.GetSel(false);
        if (--e.m_virtualCol <= sel.endCol)
            e.m_virtualCol = -1;
        return;
    }
    e.m_virtualCol = -1;
    e.SendScintilla(right ? S::SCI_CHARRIGHT : S::SCI_CHARLEFT);
}

void CodeMaxCommands::gotoLine(CodeMax1& e, int line)
{
    line = qBound(0, line, e.LineCount() - 1);
    e.SetCaretPos(line, 0);
    e.SendScintilla(S::SCI_ENSUREVISIBLEENFORCEPOLICY, line);
}

void CodeMaxCommands::gotoLinePrompt(CodeMax1& e)
{
    const int current = int(e.SendScintilla(S::SCI_LINEFROMPOSITION, e.SendScintilla(S::SCI_GETCURRENTPOS)));
    const auto answer = Prompter::Current().InputBox(&e, CodeMax1::tr("Line number:"), CodeMax1::tr("Go To Line"),
                                                     QString::number(current + 1));
    if (!answer)
        return;
    bool ok = false;
    const int number = answer->trimmed().toInt(&ok);
    if (!ok)
        return;
    gotoLine(e, number - 1);
}

void CodeMaxCommands::repeatCountPrompt(CodeMax1& e)
{
    const auto answer =
        Prompter::Current().InputBox(&e, CodeMax1::tr("Repeat count:"), CodeMax1::tr("Repeat"), QString());
    if (!answer)
        return;
    bool ok = false;
    const int count = answer->trimmed().toInt(&ok);
    if (ok && count > 0)
        e.m_repeatPending = count;
}

// ---------------------------------------------------------------- bookmarks

void CodeMaxCommands::toggleBookmark(CodeMax1& e)
{
    const long line = e.SendScintilla(S::SCI_LINEFROMPOSITION, e.SendScintilla(S::SCI_GETCURRENTPOS));
    e.m_bookmarks.toggle(int(line));
}

void CodeMaxCommands::moveBookmark(CodeMax1& e, bool forward)
{
    const long line = e.SendScintilla(S::SCI_LINEFROMPOSITION, e.SendScintilla(S::SCI_GETCURRENTPOS));
    const long target = e.m_bookmarks.next(line, forward);
    if (target >= 0)
        gotoLine(e, int(target));
}

// ---------------------------------------------------------------- find and replace

// A pattern that does not compile, or one that gave up, is told; "not found" would be wrong.
void CodeMaxCommands::reportProblem(CodeMax1& e, const FindReplace::Problem& problem, int replaced)
{
    QString text;
    if (problem.kind == FindReplace::Problem::BadPattern) {
        text = CodeMax1::tr("\"%1\" is not a valid regular expression: %2 at offset %3.")
                   .arg(e.m_find.findText, problem.reason)
                   .arg(problem.offset);
    } else {
        text = CodeMax1::tr("The search for \"%1\" was stopped: the regular expression needs too much time or "
                            "memory on this text.")
                   .arg(e.m_find.findText);
        if (replaced > 0)
            text += QLatin1Char('\n') + CodeMax1::tr("%1 occurrence(s) had been replaced; Undo takes them back.")
                                            .arg(replaced);
    }
    Prompter::Current().MsgBox(&e, text, MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"));
}

void CodeMaxCommands::findNext(CodeMax1& e, bool showMessage)
{
    const EditorText text(e);
    qint64 start = 0, end = 0;
    FindReplace::Problem problem;
    // From the caret to the end, then round from the top.
    if (!e.m_find.next(text, e.SendScintilla(S::SCI_GETSELECTIONEND), &start, &end, &problem)) {
        if (problem.kind != FindReplace::Problem::None)
            reportProblem(e, problem, 0);
        else if (showMessage)
            Prompter::Current().MsgBox(&e, CodeMax1::tr("Cannot find \"%1\".").arg(e.m_find.findText),
                                       MsgButtons::OKOnly, MsgIcon::Information, QStringLiteral("QRN"));
        return;
    }
    e.SendScintilla(S::SCI_SETSEL, long(start), long(end));
    e.SendScintilla(S::SCI_CHOOSECARETX);
    e.SendScintilla(S::SCI_SCROLLRANGE, long(start), long(end));
    e.notifySelChange();
}

void CodeMaxCommands::replaceSelection(CodeMax1& e)
{
    if (e.m_find.findText.isEmpty())
        return;
    if (!e.isReadOnly()) {
        EditorText text(e);
        const long start = e.SendScintilla(S::SCI_GETSELECTIONSTART);
        qint64 after = 0;
        FindReplace::Problem problem;
        e.SendScintilla(S::SCI_BEGINUNDOACTION);
        const bool replaced =
            e.m_find.replaceMatch(text, start, e.SendScintilla(S::SCI_GETSELECTIONEND), &after, &problem);
        e.SendScintilla(S::SCI_ENDUNDOACTION);
        if (problem.kind != FindReplace::Problem::None) {
            reportProblem(e, problem, 0);
            return;
        }
        // The replacement stays selected, so finding goes on after it.
        if (replaced)
            e.SendScintilla(S::SCI_SETSEL, start, long(after));
    }
    findNext(e, true);
}

int CodeMaxCommands::replaceAll(CodeMax1& e)
{
    if (e.m_find.findText.isEmpty() || e.isReadOnly())
        return 0;
    EditorText text(e);
    FindReplace::Problem problem;
    e.SendScintilla(S::SCI_BEGINUNDOACTION);
    const int count = e.m_find.replaceAll(text, &problem);
    e.SendScintilla(S::SCI_ENDUNDOACTION);
    e.notifySelChange();
    if (problem.kind == FindReplace::Problem::None)
        return count;
    reportProblem(e, problem, count);
    return -1;
}

void CodeMaxCommands::showFindDialog(CodeMax1& e, bool replace)
{
    FindDialog::Exec(&e, e.m_find, replace, [&e] { findNext(e, true); }, [&e] { replaceSelection(e); },
                     [&e] { return replaceAll(e); });
}
