// Bookmarks of the edit control, and those of each side of a whole-text replacement for Undo and Redo.
#pragma once
#include <QHash>
#include <QVector>
#include <optional>

class QsciScintilla;

class LineBookmarks {
public:
    // The marker number bookmarks use.
    static constexpr int Marker = 1;

    explicit LineBookmarks(QsciScintilla& editor) : m_editor(editor) {}

    QVector<int> lines() const;   // ascending
    void setLines(const QVector<int>& lines);
    void toggle(int line);
    void clear();
    // The bookmarked line after (or before) line, round the ends; -1 when there is none.
    long next(long line, bool forward) const;

    // Keeps the bookmarks of now and of after a whole-text replacement. Returns the
    // undo token of the first; the second's is one more.
    int recordStep(const QVector<int>& after);
    // Scintilla's notice that one of those tokens was undone or redone.
    void onStep(int type, int token);
    // Puts back the bookmarks onStep left, once the text of that side is complete.
    void applyPending();

private:
    QsciScintilla& m_editor;
    // By undo token: even before the replacement, odd after it.
    QHash<int, QVector<int>> m_steps;
    int m_nextToken = 2;
    std::optional<QVector<int>> m_pending;
};
