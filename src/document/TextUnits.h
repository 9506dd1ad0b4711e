// Character positions over the edit control's UTF-8 text, counted in UTF-16 units as its callers count them.
#pragma once

#include <QByteArray>

class QsciScintillaBase;

// Length in bytes of the longest line; CR LF, CR and LF end lines.
qsizetype LongestLine(const QByteArray& utf8);
// Lines longer than this make typing in them slow: the control lays out a whole line per key.
constexpr qsizetype SlowLineLength = 100 * 1024;

// Columns and lengths are UTF-16 units, as QString counts them.
class TextUnits {
public:
    explicit TextUnits(const QsciScintillaBase& editor) : m_editor(editor) {}

    // The length of the whole text, kept up to date by beforeChange without ever copying the text.
    int count() const;
    // Scintilla's notice of an insertion or deletion about to happen.
    void beforeChange(int position, int type, const char* text, int length);
    // Counts an insertion announced without its text, now that it is in the buffer.
    void settle() const;

    int unitsBetween(long from, long to) const;
    // The byte position of a line and column; before the first line 0, past the last the end.
    long positionAt(int line, int col) const;
    void lineColAt(long pos, int* line, int* col) const;

private:
    // A column already counted: the caret and the anchor are asked for again
    // and again a few bytes from where they were, and a line may be megabytes long.
    struct Mark {
        long lineStart = -1;   // -1: not set
        long pos = 0;
        int col = 0;
    };
    void moveMarks(long position, int type, const char* text, int length);

    const QsciScintillaBase& m_editor;
    mutable Mark m_marks[2];
    mutable int m_nextMark = 0;
    mutable int m_count = 0;
    mutable long m_pendingPos = -1;
    mutable long m_pendingLength = 0;
};
