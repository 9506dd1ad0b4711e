#include "tools/Tune.h"

#include "app/Prompter.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QCoreApplication>

namespace {
// Each step writes into the buffer it reads from: every step only removes
// characters, so the write position never passes the read position.

// Literal, non-overlapping, left-to-right replacement of a two-character find
// text by its one character that stays, as a replace-all does.
void dropPairs(QString& s, char16_t first, char16_t second, char16_t keep)
{
    QChar* d = s.data();
    const qsizetype n = s.size();
    qsizetype w = 0;
    for (qsizetype r = 0; r < n;) {
        if (r + 1 < n && d[r].unicode() == first && d[r + 1].unicode() == second) {
            d[w++] = QChar(keep);
            r += 2;
        } else {
            d[w++] = d[r++];
        }
    }
    s.truncate(w);
}

void collapseSpaces(QString& s)
{
    QChar* d = s.data();
    const qsizetype n = s.size();
    qsizetype w = 0;
    for (qsizetype r = 0; r < n; ++r) {
        if (d[r].unicode() == u' ' && w > 0 && d[w - 1].unicode() == u' ')
            continue;
        d[w++] = d[r];
    }
    s.truncate(w);
}

// Drops every line that is empty or a single space, with its line break.
// A blank last line has no break of its own: only its content goes, so the
// break ending the line before it stays.
void dropBlankLines(QString& s)
{
    QChar* d = s.data();
    const qsizetype n = s.size();
    qsizetype w = 0;
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < n && d[end].unicode() != u'\n' && d[end].unicode() != u'\r')
            ++end;
        qsizetype next = end;
        if (next < n)
            next += (d[next].unicode() == u'\r' && next + 1 < n && d[next + 1].unicode() == u'\n') ? 2 : 1;
        const qsizetype length = end - start;
        const bool blank = length == 0 || (length == 1 && d[start].unicode() == u' ');
        if (!blank) {
            for (qsizetype r = start; r < next; ++r)
                d[w++] = d[r];
        }
        if (end >= n)
            break;
        start = next;
    }
    s.truncate(w);
}
} // namespace

QString TuneText(const QString& text)
{
    QString s = text;
    s.detach();
    collapseSpaces(s);
    dropPairs(s, u' ', u'>', u'>');
    dropPairs(s, u'<', u' ', u'<');
    dropPairs(s, u'=', u' ', u'=');
    dropPairs(s, u' ', u'=', u'=');
    dropBlankLines(s);
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

TuneResult TuneEditor(CodeMax1* editor)
{
    TuneResult r;
    r.oldSize = editor->TextLength();
    const QString before = editor->Text();
    const QString after = TuneText(before);
    if (after != before) {
        // Select everything without ExecuteCmd, which would use up a pending repeat count.
        const int last = editor->LineCount() - 1;
        editor->SetSel({0, 0, last, editor->GetLineLength(last)}, false);
        editor->SetSelText(after);
    }
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
