// Character counts and positions of the edit control's text, read in place from Scintilla's buffer.
#include "document/TextUnits.h"

#include "document/FileText.h"

#include <Qsci/qsciscintillabase.h>

#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using S = QsciScintillaBase;

// UTF-16 units in a stretch of valid UTF-8: a unit for each byte that starts a
// character, two for a four-byte one. Runs of ASCII, most of a page, go eight
// bytes at a time: whole texts are counted when they are replaced.
int countUnits(const char* p, long n)
{
    long units = 0;
    long i = 0;
    while (i < n) {
        const long ascii = FileText::SkipAsciiWords(p, i, n);
        units += ascii - i;
        i = ascii;
        const long end = std::min(n, i + 64);
        for (; i < end; ++i) {
            const auto b = static_cast<unsigned char>(p[i]);
            if ((b & 0xC0) != 0x80)
                units += b >= 0xF0 ? 2 : 1;
        }
    }
    return int(units);
}

int sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

int TextUnits::count() const
{
    settle();
    return m_count;
}

void TextUnits::beforeChange(int position, int type, const char* text, int length)
{
    // Notifications come before the change; an insertion whose text Scintilla
    // does not pass along is counted once it is in the buffer.
    settle();
    moveMarks(position, type, text, length);
    if (type & S::SC_MOD_BEFOREINSERT) {
        if (text) {
            m_count += countUnits(text, length);
        } else {
            m_pendingPos = position;
            m_pendingLength = length;
        }
    } else if (type & S::SC_MOD_BEFOREDELETE) {
        // The whole text going, as when all of it is replaced, needs no count.
        const bool all = position == 0 && length == m_editor.SendScintilla(S::SCI_GETLENGTH);
        m_count = all ? 0 : m_count - unitsBetween(position, position + length);
    }
}

void TextUnits::settle() const
{
    if (m_pendingPos < 0)
        return;
    m_count += unitsBetween(m_pendingPos, m_pendingPos + m_pendingLength);
    m_pendingPos = -1;
}

int TextUnits::unitsBetween(long from, long to) const
{
    if (to <= from)
        return 0;
    const auto* data = reinterpret_cast<const char*>(m_editor.SendScintilla(S::SCI_GETRANGEPOINTER, from, to - from));
    return countUnits(data, to - from);
}

long TextUnits::positionAt(int line, int col) const
{
    const int lines = int(m_editor.SendScintilla(S::SCI_GETLINECOUNT));
    if (line < 0)
        return 0;
    if (line >= lines)
        return m_editor.SendScintilla(S::SCI_GETLENGTH);
    const long start = m_editor.SendScintilla(S::SCI_POSITIONFROMLINE, line);
    const long end = m_editor.SendScintilla(S::SCI_GETLINEENDPOSITION, line);
    const auto* data =
        reinterpret_cast<const unsigned char*>(m_editor.SendScintilla(S::SCI_GETRANGEPOINTER, start, end - start));
    long i = 0;
    int units = 0;
    while (i < end - start && units < col) {
        const int len = sequenceLength(data[i]);
        units += len == 4 ? 2 : 1;
        i += len;
    }
    return start + qMin(i, end - start);
}

void TextUnits::lineColAt(long pos, int* line, int* col) const
{
    const int l = int(m_editor.SendScintilla(S::SCI_LINEFROMPOSITION, pos));
    const long start = m_editor.SendScintilla(S::SCI_POSITIONFROMLINE, l);
    *line = l;
    // Count from the nearest mark on this line, or from the line's start.
    Mark* nearest = nullptr;
    long distance = pos - start;
    for (Mark& m : m_marks) {
        if (m.lineStart == start && std::abs(pos - m.pos) < distance) {
            nearest = &m;
            distance = std::abs(pos - m.pos);
        }
    }
    if (!nearest)
        *col = unitsBetween(start, pos);
    else if (pos >= nearest->pos)
        *col = nearest->col + unitsBetween(nearest->pos, pos);
    else
        *col = nearest->col - unitsBetween(pos, nearest->pos);
    // Keep the mark just used, or replace the other one.
    Mark& keep = nearest ? *nearest : m_marks[m_nextMark];
    if (!nearest)
        m_nextMark = 1 - m_nextMark;
    keep = {start, pos, *col};
}

void TextUnits::moveMarks(long position, int type, const char* text, int length)
{
    const bool insert = type & S::SC_MOD_BEFOREINSERT;
    for (Mark& m : m_marks) {
        if (m.lineStart < 0 || position >= m.pos)
            continue;   // after the counted stretch
        if (position < m.lineStart) {
            m.lineStart = -1;   // the line itself may have moved or joined another
        } else if (insert && text && !std::memchr(text, '\n', size_t(length)) && !std::memchr(text, '\r', size_t(length))) {
            m.col += countUnits(text, length);
            m.pos += length;
        } else if (!insert && position + length <= m.pos) {
            // The counted stretch holds no line break, so neither does this.
            m.col -= unitsBetween(position, position + length);
            m.pos -= length;
        } else {
            m.lineStart = -1;
        }
    }
}

qsizetype LongestLine(const QByteArray& utf8)
{
    const char* p = utf8.constData();
    const qsizetype n = utf8.size();
    qsizetype longest = 0;
    for (qsizetype start = 0; start <= n;) {
        const void* lf = std::memchr(p + start, '\n', size_t(n - start));
        const qsizetype end = lf ? static_cast<const char*>(lf) - p : n;
        // Lone CRs split [start, end) further, which only matters when it is longer than the longest yet.
        if (end - start > longest) {
            for (qsizetype s = start; s <= end;) {
                const void* cr = std::memchr(p + s, '\r', size_t(end - s));
                const qsizetype e = cr ? static_cast<const char*>(cr) - p : end;
                longest = std::max(longest, e - s);
                s = e + 1;
            }
        }
        start = end + 1;
    }
    return longest;
}
