#pragma once
// Line breaks for very long lines of HTML, put only where they cannot change the page.
#include <QByteArray>
#include <QVector>

// Ascending byte offsets of single spaces or tabs that can become line breaks: white space
// before an attribute in a start tag. Never in text, attribute values, comments, declarations,
// CDATA or server blocks, nor inside (or in the start tags of) pre, listing, textarea, script,
// style and the other elements whose content a browser keeps as written, nor inside SVG or
// MathML, nor after a plaintext or frameset start tag. Once `every` bytes have passed since a
// line's start or the last break, the next such place gets one, so lines no longer than `every`
// are left alone. Bytes, not characters, are counted: only ASCII bytes matter to the scan, and
// no byte of a multi-byte UTF-8 sequence is ASCII.
QVector<qsizetype> LongLineBreaks(const QByteArray& utf8, qsizetype every = 2000);

// utf8 with the byte at each offset of `at` (from LongLineBreaks) replaced by eol ("\n" or "\r\n").
QByteArray ApplyLineBreaks(const QByteArray& utf8, const QVector<qsizetype>& at, const QByteArray& eol);

class CodeMax1;
class frmDocument;
// Breaks the editor's long lines as one Undo step; returns the number of breaks made.
int BreakLongLines(CodeMax1* editor, qsizetype every = 2000);
// The Tools command: breaks the document's long lines, or says why none could be broken.
void fctnBreakLongLines(frmDocument* doc);
