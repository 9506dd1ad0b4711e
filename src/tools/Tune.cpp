// Basic HTML compression of white space.
#include "tools/Tune.h"

#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QCoreApplication>

namespace {
// Each step writes into the buffer it reads from: every step only removes
// characters, so the write position never passes the read position. The steps
// look only at ASCII characters, so they work alike on UTF-16 text and on UTF-8
// bytes (no byte of a multi-byte UTF-8 sequence is ASCII).
template <typename Ch>
qsizetype dropPairs(Ch* d, qsizetype n, char first, char second, char keep)
{
    qsizetype w = 0;
    for (qsizetype r = 0; r < n;) {
        if (r + 1 < n && d[r] == Ch(first) && d[r + 1] == Ch(second)) {
            d[w++] = Ch(keep);
            r += 2;
        } else {
            d[w++] = d[r++];
        }
    }
    return w;
}

template <typename Ch>
qsizetype collapseSpaces(Ch* d, qsizetype n)
{
    qsizetype w = 0;
    for (qsizetype r = 0; r < n; ++r) {
        if (d[r] == Ch(' ') && w > 0 && d[w - 1] == Ch(' '))
            continue;
        d[w++] = d[r];
    }
    return w;
}

// Drops every line that is empty or a single space, with its line break.
// A blank last line has no break of its own: only its content goes, so the
// break ending the line before it stays.
template <typename Ch>
qsizetype dropBlankLines(Ch* d, qsizetype n)
{
    qsizetype w = 0;
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < n && d[end] != Ch('\n') && d[end] != Ch('\r'))
            ++end;
        qsizetype next = end;
        if (next < n)
            next += (d[next] == Ch('\r') && next + 1 < n && d[next + 1] == Ch('\n')) ? 2 : 1;
        const qsizetype length = end - start;
        const bool blank = length == 0 || (length == 1 && d[start] == Ch(' '));
        if (!blank) {
            for (qsizetype r = start; r < next; ++r)
                d[w++] = d[r];
        }
        if (end >= n)
            break;
        start = next;
    }
    return w;
}

// The whole pass on a buffer; returns the new length.
template <typename Ch>
qsizetype tune(Ch* d, qsizetype n)
{
    n = collapseSpaces(d, n);
    n = dropPairs(d, n, ' ', '>', '>');
    n = dropPairs(d, n, '<', ' ', '<');
    n = dropPairs(d, n, '=', ' ', '=');
    n = dropPairs(d, n, ' ', '=', '=');
    return dropBlankLines(d, n);
}
} // namespace

QString TuneText(const QString& text)
{
    QString s = text;
    s.detach();
    s.truncate(tune(reinterpret_cast<char16_t*>(s.data()), s.size()));
    return s;
}

QByteArray TuneUtf8(const QByteArray& text)
{
    QByteArray s = text;
    s.detach();
    s.truncate(tune(s.data(), s.size()));
    return s;
}

QString TuneReport(const TuneResult& r)
{
    if (r.newSize == r.oldSize)
        return QCoreApplication::translate("Tune", "No size reduction was possible in this pass - try a manual review.");
    const int saved = r.oldSize - r.newSize;
    const double percent = double(saved) / double(r.oldSize) * 100.0;
    return QString::number(percent, 'f', 2) + QCoreApplication::translate("Tune", "% decrease in size (") +
           QString::number(saved) + QCoreApplication::translate("Tune", " bytes).");
}

QVector<int> SurvivingBookmarks(const QByteArray& text, const QVector<int>& lines)
{
    // The pass deletes exactly the lines that hold nothing but blanks (the last
    // line keeps its place, only its content goes); every other line stays,
    // moved up by the lines deleted above it.
    QVector<int> out;
    qsizetype start = 0;
    int line = 0, dropped = 0;
    auto next = lines.constBegin();
    while (next != lines.constEnd()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const bool last = end >= text.size();
        bool blank = !last;
        for (qsizetype i = start; blank && i < end; ++i)
            blank = text[i] == ' ';
        if (line == *next) {
            if (!blank)
                out << line - dropped;
            ++next;
        }
        if (last)
            break;
        dropped += blank;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        ++line;
    }
    return out;
}

TuneResult TuneEditor(CodeMax1* editor)
{
    TuneResult r;
    r.oldSize = editor->TextLength();
    // On the editor's own UTF-8 bytes: no conversion of the whole page to and fro.
    const QByteArray before = editor->Utf8Text();
    const QByteArray after = TuneUtf8(before);
    if (after.size() != before.size())
        editor->ReplaceAllUtf8(after, SurvivingBookmarks(before, editor->Bookmarks()));
    // The find and replace texts end as the last literal pass left them.
    editor->ExecuteCmd(CmCmd::SetFindText, QStringLiteral(" ="));
    editor->ExecuteCmd(CmCmd::SetReplaceText, QStringLiteral("="));
    r.newSize = editor->TextLength();
    editor->SetCaretPos(0, 0);
    return r;
}

void fctnTune(frmDocument* doc)
{
    if (!doc)
        return;
    const TuneResult r = TuneEditor(doc->Editor());
    if (r.newSize != r.oldSize)
        doc->fctnRefreshStatus();
    MsgBox(TuneReport(r), MsgButtons::OKOnly, MsgIcon::Information, QStringLiteral("QRN"), doc->window());
    doc->Editor()->SetFocus();
}
