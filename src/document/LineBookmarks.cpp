// Bookmarks of the edit control, kept as Scintilla markers, and brought back with the text by Undo and Redo.
#include "document/LineBookmarks.h"

#include <Qsci/qsciscintilla.h>

using S = QsciScintillaBase;

QVector<int> LineBookmarks::lines() const
{
    QVector<int> lines;
    const long mask = 1L << Marker;
    for (long line = m_editor.SendScintilla(S::SCI_MARKERNEXT, 0L, mask); line >= 0;
         line = m_editor.SendScintilla(S::SCI_MARKERNEXT, line + 1, mask))
        lines.append(int(line));
    return lines;
}

void LineBookmarks::setLines(const QVector<int>& lines)
{
    m_editor.markerDeleteAll(Marker);
    for (int line : lines)
        m_editor.markerAdd(line, Marker);
}

void LineBookmarks::toggle(int line)
{
    if (m_editor.markersAtLine(line) & (1 << Marker))
        m_editor.markerDelete(line, Marker);
    else
        m_editor.markerAdd(line, Marker);
}

void LineBookmarks::clear()
{
    m_editor.markerDeleteAll(Marker);
}

long LineBookmarks::next(long line, bool forward) const
{
    const long mask = 1L << Marker;
    long target;
    if (forward) {
        target = m_editor.SendScintilla(S::SCI_MARKERNEXT, line + 1, mask);
        if (target < 0)
            target = m_editor.SendScintilla(S::SCI_MARKERNEXT, 0L, mask);
    } else {
        target = line > 0 ? m_editor.SendScintilla(S::SCI_MARKERPREVIOUS, line - 1, mask) : -1;
        if (target < 0) {
            const long last = m_editor.SendScintilla(S::SCI_GETLINECOUNT) - 1;
            target = m_editor.SendScintilla(S::SCI_MARKERPREVIOUS, last, mask);
        }
    }
    return target;
}

int LineBookmarks::recordStep(const QVector<int>& after)
{
    const int token = m_nextToken;
    m_nextToken += 2;
    m_steps.insert(token, lines());
    m_steps.insert(token + 1, after);
    return token;
}

void LineBookmarks::onStep(int type, int token)
{
    // The first mark of a step, undone, or the second, redone: the text of that side is back.
    const bool before = token % 2 == 0;
    const bool undone = (type & S::SC_PERFORMED_UNDO) != 0;
    const bool redone = (type & S::SC_PERFORMED_REDO) != 0;
    if (!(undone && before) && !(redone && !before))
        return;
    auto it = m_steps.constFind(token);
    if (it == m_steps.constEnd())
        return;
    m_pending = *it;
    // Not inside Scintilla's own undo: the text is complete once it returns.
    QMetaObject::invokeMethod(&m_editor, [this] { applyPending(); }, Qt::QueuedConnection);
}

void LineBookmarks::applyPending()
{
    if (!m_pending)
        return;
    setLines(*m_pending);
    m_pending.reset();
}
