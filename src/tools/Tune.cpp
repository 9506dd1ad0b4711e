// Basic HTML compression of white space.
#include "tools/Tune.h"

#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <iterator>
#ifdef __SSE2__
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

namespace {
// The six steps (collapse spaces; drop the space of " >", "< ", "= ", " =";
// drop blank lines) come to one rule per character, so one pass does them:
// after collapsing, a space has other characters either side, and removing a
// space never changes the neighbours of another one, nor where lines break.
// The pass looks at 64 characters at a time, one bit each, and only at ASCII
// characters, so it works alike on UTF-16 text and on UTF-8 bytes (no byte of
// a multi-byte UTF-8 sequence is ASCII). It writes to a new buffer: it copies
// in 8- and 16-byte pieces that may reach past what it has read.

// What a block needs to know about the characters before it.
struct Carry {
    quint64 lineStart = 1;   // the block starts a line (the text starts one)
    quint64 afterOpen = 0;   // the last character was '<' or '='
    quint64 leading = 0;     // the last character was a space a line starts with
    quint64 droppedCr = 0;   // the last character was a CR dropped with its blank line
    quint64 runOpen = 0;     // a run of spaces after '<' or '=' goes on
    quint64 runLead = 0;     // a run of spaces starting a line goes on
};

struct Classes {
    quint64 space = 0, cr = 0, lf = 0, lt = 0, gt = 0, eq = 0;
};

#ifdef __SSE2__
inline __m128i bytes16(const char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
// Characters above 0xFF become 0xFF or 0 here, neither of which is looked at.
inline __m128i bytes16(const char16_t* p)
{
    return _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)));
}
inline quint64 bits(__m128i v, char c, int at)
{
    return quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))))) << at;
}
template <typename Ch>
Classes classify(const Ch* p)
{
    Classes c;
    for (int i = 0; i < 64; i += 16) {
        const __m128i v = bytes16(p + i);
        c.space |= bits(v, ' ', i);
        c.cr |= bits(v, '\r', i);
        c.lf |= bits(v, '\n', i);
        c.lt |= bits(v, '<', i);
        c.gt |= bits(v, '>', i);
        c.eq |= bits(v, '=', i);
    }
    return c;
}
#else
template <typename Ch>
Classes classify(const Ch* p)
{
    Classes c;
    for (int i = 0; i < 64; ++i) {
        const quint64 b = quint64(1) << i;
        c.space |= p[i] == Ch(' ') ? b : 0;
        c.cr |= p[i] == Ch('\r') ? b : 0;
        c.lf |= p[i] == Ch('\n') ? b : 0;
        c.lt |= p[i] == Ch('<') ? b : 0;
        c.gt |= p[i] == Ch('>') ? b : 0;
        c.eq |= p[i] == Ch('=') ? b : 0;
    }
    return c;
}
#endif

// The spaces of the runs that begin at a bit of starts; carry continues a run
// from the block before and tells the next block whether one goes on.
inline quint64 runs(quint64 spaces, quint64 starts, quint64& carry)
{
    quint64 sum;
    const bool over = __builtin_add_overflow(spaces, starts, &sum);
    const bool over2 = __builtin_add_overflow(sum, carry, &sum);
    carry = over | over2;
    return (sum ^ spaces) & spaces;
}

// Which of the 64 characters at p go; p[64] must be readable (the character
// after the block, or a LF standing for the end of the text).
//
// Of a run of spaces the last stays, unless the character before the run is
// '<' or '=', or the one after it is '>' or '='. A line of nothing but spaces
// goes with its break (CR LF, a lone CR or a lone LF); the last line has no
// break, so only its spaces go.
template <typename Ch>
quint64 dropped(const Ch* p, Carry& k)
{
    const Classes c = classify(p);
    const Ch next = p[64];
    const quint64 nextSpace = next == Ch(' ');
    const quint64 nextLf = next == Ch('\n');
    const quint64 nextBreak = nextLf || next == Ch('\r');
    const quint64 nextClose = next == Ch('>') || next == Ch('=');

    const quint64 space = c.space, brk = c.cr | c.lf;
    const quint64 open = c.lt | c.eq, close = c.gt | c.eq;
    const quint64 breakEnd = c.lf | (c.cr & ~((c.lf >> 1) | (nextLf << 63)));
    const quint64 lineStart = (breakEnd << 1) | k.lineStart;
    const quint64 afterOpen = runs(space, space & ((open << 1) | k.afterOpen), k.runOpen);
    const quint64 leading = runs(space, space & lineStart, k.runLead);

    // Of a run of spaces only the last may stay, and not before '>' or '=',
    quint64 drop = space & ((space >> 1) | (nextSpace << 63) | (close >> 1) | (nextClose << 63));
    drop |= afterOpen;   // nor after '<' or '=',
    drop |= leading & ((brk >> 1) | (nextBreak << 63));   // nor on a line of spaces only,
    // whose break goes too. The LF of a CR LF neither starts a line nor follows
    // a space, so only whole breaks match here.
    const quint64 blankBreak = brk & (lineStart | (leading << 1) | k.leading);
    const quint64 blankCr = blankBreak & c.cr;
    drop |= blankBreak | (c.lf & ((blankCr << 1) | k.droppedCr));

    k.lineStart = breakEnd >> 63;
    k.afterOpen = open >> 63;
    k.leading = leading >> 63;
    k.droppedCr = blankCr >> 63;
    return drop;
}

// Copies the characters of the block at p that drop leaves to out[w...];
// returns the new end of out. Up to 16 bytes past the block are read and past
// the new end written.
template <typename Ch>
qsizetype keepRuns(const Ch* p, quint64 drop, Ch* out, qsizetype w)
{
    constexpr int step = 16 / sizeof(Ch);
    int pos = 0;
    for (;;) {
        const int stop = drop ? __builtin_ctzll(drop) : 64;
        for (int i = pos; i < stop; i += step)
            std::memcpy(out + w + (i - pos), p + i, 16);
        w += stop - pos;
        if (!drop)
            return w;
        pos = stop + 1;
        drop &= drop - 1;
    }
}

#ifdef __SSE2__
// For each set of kept characters among 8 bytes: the byte shuffle that moves
// them to the front, and how many bytes they take.
template <typename Ch>
struct Gather {
    static constexpr int chars = 8 / sizeof(Ch);
    quint8 index[1 << chars][8] = {};
    quint8 bytes[1 << chars] = {};
    constexpr Gather()
    {
        for (int kept = 0; kept < (1 << chars); ++kept) {
            int to = 0;
            for (int c = 0; c < chars; ++c)
                if (kept >> c & 1)
                    for (unsigned b = 0; b < sizeof(Ch); ++b)
                        index[kept][to++] = quint8(c * sizeof(Ch) + b);
            bytes[kept] = quint8(to);
        }
    }
};
template <typename Ch>
inline constexpr Gather<Ch> gather;

// As keepRuns, without a branch for each dropped character: a page dense with
// spaces to drop goes over half as fast again this way. Up to 8 bytes past the
// new end of out are written.
template <typename Ch>
__attribute__((target("ssse3"))) qsizetype keepShuffled(const Ch* p, quint64 drop, Ch* out, qsizetype w)
{
    constexpr int chars = Gather<Ch>::chars;
    const char* from = reinterpret_cast<const char*>(p);
    char* to = reinterpret_cast<char*>(out + w);
    quint64 kept = ~drop;
    for (int i = 0; i < 64 * int(sizeof(Ch)); i += 8, kept >>= chars) {
        const unsigned m = unsigned(kept) & ((1u << chars) - 1);
        const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(from + i));
        const __m128i order = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(gather<Ch>.index[m]));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi8(v, order));
        to += gather<Ch>.bytes[m];
    }
    return w + (to - reinterpret_cast<char*>(out + w)) / qsizetype(sizeof(Ch));
}
#endif

// A block with a drop or two goes by runs, as every block does on processors
// without SSSE3: so both ways are taken on any page.
template <typename Ch>
qsizetype keep(const Ch* p, quint64 drop, Ch* out, qsizetype w)
{
#ifdef __SSE2__
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    const quint64 rest = drop & (drop - 1);
    if (shuffle && (rest & (rest - 1)))
        return keepShuffled(p, drop, out, w);
#endif
    return keepRuns(p, drop, out, w);
}

constexpr qsizetype Slack = 16;   // bytes the output may be written past its end

// The whole pass from in to out, which has room for n characters and Slack
// bytes more; returns the length written.
template <typename Ch>
qsizetype tuneInto(const Ch* in, qsizetype n, Ch* out)
{
    constexpr qsizetype reach = 64 + 16 / sizeof(Ch);   // a block and what keep() reads past it
    Carry k;
    qsizetype r = 0, w = 0;
    for (; n - r >= reach; r += 64)
        w = keep(in + r, dropped(in + r, k), out, w);
    // The rest, padded with line feeds: to the pass they look like the end of the text.
    Ch tail[2 * reach];
    std::fill(std::begin(tail), std::end(tail), Ch('\n'));
    std::copy(in + r, in + n, tail);
    for (qsizetype t = 0; r + t < n; t += 64) {
        const qsizetype left = n - r - t;
        const quint64 outside = left >= 64 ? 0 : ~quint64(0) << left;
        w = keep(tail + t, dropped(tail + t, k) | outside, out, w);
    }
    return w;
}
} // namespace

QString TuneText(const QString& text)
{
    const qsizetype n = text.size();
    QString out(n + Slack / 2, Qt::Uninitialized);
    const qsizetype w =
        tuneInto(reinterpret_cast<const char16_t*>(text.constData()), n, reinterpret_cast<char16_t*>(out.data()));
    if (w == n)
        return text;
    out.truncate(w);
    return out;
}

QByteArray TuneUtf8(const QByteArray& text)
{
    const qsizetype n = text.size();
    QByteArray out(n + Slack, Qt::Uninitialized);
    const qsizetype w = tuneInto(text.constData(), n, out.data());
    if (w == n)
        return text;
    out.truncate(w);
    return out;
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
    // On the editor's own UTF-8 bytes, in place: no copy, no conversion to and fro.
    const QByteArray before = editor->Utf8View();
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
