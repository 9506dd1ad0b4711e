// Line breaks for very long lines of HTML, put only where they cannot change the page.
#include "tools/BreakLines.h"

#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QCoreApplication>

#include <Qsci/qsciscintillabase.h>

#include <algorithm>
#include <cstring>
#include <string.h>   // memrchr
#include <vector>

namespace {
// Byte classes for the tokenizer, which reads a CR as a line feed.
enum : unsigned char { Space = 1, Slash = 2, Gt = 4, Equals = 8 };

struct Classes {
    unsigned char of[256] = {};
    constexpr Classes()
    {
        for (unsigned char c : {' ', '\t', '\n', '\r', '\f'})
            of[c] = Space;
        of[(unsigned char)'/'] = Slash;
        of[(unsigned char)'>'] = Gt;
        of[(unsigned char)'='] = Equals;
    }
};
constexpr Classes classes;

bool is(char c, unsigned char mask)
{
    return classes.of[(unsigned char)c] & mask;
}

bool isSpace(char c)
{
    return is(c, Space);
}

bool isAlpha(char c)
{
    const char lower = char(c | 0x20);
    return lower >= 'a' && lower <= 'z';
}

// What ends a tag name, or an attribute name but for '='.
bool endsName(char c)
{
    return is(c, Space | Slash | Gt);
}

// Compares len bytes with a lower-case ASCII name, ignoring case.
bool sameName(const char* s, qsizetype len, const char* lower)
{
    for (qsizetype j = 0; j < len; ++j)
        if (lower[j] == 0 || char(s[j] | 0x20) != lower[j])
            return false;
    return lower[len] == 0;
}

// Start tags whose content is read other than as plain markup.
enum class Kind {
    Script,      // script data, with its own rules for "<!--" and "<script"
    Raw,         // raw text or RCDATA, up to the matching end tag
    Rest,        // the rest of the file is left alone: plaintext is text to its end, and in a
                 // frameset a browser skips script and style start tags, reading their content as markup
    Pre,         // markup, but a break inside would show on the page
    Foreign,     // SVG and MathML, where whether a CDATA section or a style is text depends on the tree
    Html,        // where SVG and MathML hold HTML, and where a browser may ignore "</svg>"
};

struct Special {
    const char* name;
    Kind kind;
};

const Special specials[] = {
    {"script", Kind::Script},    {"style", Kind::Raw},     {"textarea", Kind::Raw},
    {"title", Kind::Raw},        {"xmp", Kind::Raw},       {"iframe", Kind::Raw},
    {"noembed", Kind::Raw},      {"noframes", Kind::Raw},  {"noscript", Kind::Raw},
    {"plaintext", Kind::Rest},   {"frameset", Kind::Rest}, {"pre", Kind::Pre},
    {"listing", Kind::Pre},      {"svg", Kind::Foreign},   {"math", Kind::Foreign},
    {"foreignobject", Kind::Html}, {"desc", Kind::Html},   {"annotation-xml", Kind::Html},
    {"mi", Kind::Html},          {"mo", Kind::Html},       {"mn", Kind::Html},
    {"ms", Kind::Html},          {"mtext", Kind::Html},
};

// The tokenizer of the HTML standard, reduced to where its tokens begin and end. The main
// reading collects break spots; a check reads a stretch the main reading skipped (raw text,
// a server block) as a browser might read it in another place in the tree, and only when
// both readings end together does the main reading go on. Where they cannot be shown to,
// the main reading stops, and the rest of the file keeps its lines.
class Scanner {
public:
    Scanner(const QByteArray& text, qsizetype spacing) : p(text.constData()), n(text.size()), every(spacing) {}

    QVector<qsizetype> run()
    {
        scan(0, n, true);
        return breaks;
    }

private:
    const char* const p;
    const qsizetype n;
    const qsizetype every;
    QVector<qsizetype> breaks;
    std::vector<qsizetype> spots;   // of the start tag being read
    qsizetype lineStart = 0;
    qsizetype clean = 0;   // [lineStart, clean) is known to hold no line break
    int preDepth = 0;
    std::vector<int> foreign;   // for each open svg or math, the HTML parts open in it

    qsizetype find(char c, qsizetype from, qsizetype to) const
    {
        if (from >= to)
            return -1;
        const void* f = std::memchr(p + from, c, size_t(to - from));
        return f ? static_cast<const char*>(f) - p : -1;
    }

    // The position after the next c from `from` on; -1 when there is none.
    qsizetype after(char c, qsizetype from) const
    {
        const qsizetype at = find(c, from, n);
        return at < 0 ? -1 : at + 1;
    }

    bool startsWith(qsizetype i, const char* s) const
    {
        const auto len = qsizetype(std::strlen(s));
        return n - i >= len && std::memcmp(p + i, s, size_t(len)) == 0;
    }

    // "</name" or "<name" (slash 0) at i, ended as the tokenizer ends it in raw text.
    bool tagAt(qsizetype i, const char* name, int slash) const
    {
        const auto len = qsizetype(std::strlen(name));
        const qsizetype end = i + 1 + slash + len;
        return end < n && (slash == 0 || p[i + 1] == '/') && sameName(p + i + 1 + slash, len, name) &&
               endsName(p[end]);
    }

    const Special* special(qsizetype from, qsizetype to) const
    {
        if (to - from < 2 || to - from > 14)
            return nullptr;
        const char first = char(p[from] | 0x20);
        for (const Special& s : specials)
            if (s.name[0] == first && sameName(p + from, to - from, s.name))
                return &s;
        return nullptr;
    }

    // Reads markup from i, in the data state, to `to`. True when the reading gets there between
    // two tokens; false when a token runs past it or the main reading cannot go on.
    bool scan(qsizetype i, const qsizetype to, const bool main)
    {
        for (;;) {
            const qsizetype lt = find('<', i, to);
            if (lt < 0)
                return true;
            i = markup(lt, to, main);
            if (i < 0 || i > to)
                return false;
        }
    }

    // Where reading goes on after the '<' at i; -1 when that never ends.
    qsizetype markup(qsizetype i, qsizetype to, bool main)
    {
        if (i + 1 >= n)
            return n;
        switch (p[i + 1]) {
        case '!':
            if (startsWith(i, "<!--"))
                return commentEnd(i + 4);
            if (startsWith(i, "<![CDATA[")) {
                // A comment up to the first '>' in HTML, a CDATA section up to "]]>" in SVG
                // and MathML: go on only when the two end together.
                const qsizetype gt = find('>', i + 9, n);
                return gt >= i + 11 && p[gt - 1] == ']' && p[gt - 2] == ']' ? gt + 1 : -1;
            }
            return after('>', i + 2);   // a DOCTYPE or other declaration ends at the first '>', even a quoted one
        case '?': {
            const qsizetype gt = after('>', i + 2);   // a comment to a browser
            if (!main || gt < 0)
                return gt;
            // A server block <?php ... ?>: the browser's reading must end with it.
            const qsizetype close = blockEnd('?', i + 2);
            return close > 0 && (close == gt || scan(gt, close, false)) ? close : -1;
        }
        case '%': {
            if (!main)
                return i + 1;   // text to a browser
            const qsizetype close = blockEnd('%', i + 2);
            return close > 0 && scan(i + 1, close, false) ? close : -1;
        }
        case '/':
            return endTag(i, main);
        default:
            return isAlpha(p[i + 1]) ? startTag(i, to, main) : i + 1;
        }
    }

    // After "c>" from `from` on (the end of a server block).
    qsizetype blockEnd(char c, qsizetype from) const
    {
        for (qsizetype gt = find('>', from, n); gt >= 0; gt = find('>', gt + 1, n))
            if (gt - 1 >= from && p[gt - 1] == c)
                return gt + 1;
        return -1;
    }

    // The end of a comment whose text starts at s: "-->" or "--!>", or at once "<!-->" and "<!--->".
    qsizetype commentEnd(qsizetype s) const
    {
        if (s < n && p[s] == '>')
            return s + 1;
        if (s + 1 < n && p[s] == '-' && p[s + 1] == '>')
            return s + 2;
        for (qsizetype gt = find('>', s, n); gt >= 0; gt = find('>', gt + 1, n)) {
            if (gt - 2 >= s && p[gt - 1] == '-' && p[gt - 2] == '-')
                return gt + 1;
            if (gt - 3 >= s && p[gt - 1] == '!' && p[gt - 2] == '-' && p[gt - 3] == '-')
                return gt + 1;
        }
        return -1;
    }

    qsizetype nameEnd(qsizetype i) const
    {
        while (i < n && !endsName(p[i]))
            ++i;
        return i;
    }

    qsizetype endTag(qsizetype i, bool main)
    {
        if (i + 2 >= n)
            return n;   // "</" at the end is text
        if (p[i + 2] == '>')
            return i + 3;   // "</>" is dropped
        if (!isAlpha(p[i + 2]))
            return after('>', i + 2);   // a comment to a browser
        const qsizetype nameTo = nameEnd(i + 2);
        const Special* s = special(i + 2, nameTo);
        const qsizetype end = attributes(nameTo, false, nullptr);
        if (end > 0 && main && s) {
            if (s->kind == Kind::Pre)
                preDepth = std::max(preDepth - 1, 0);
            else if (s->kind == Kind::Html && !foreign.empty())
                foreign.back() = std::max(foreign.back() - 1, 0);
            else if (s->kind == Kind::Foreign && !foreign.empty() && foreign.back() == 0)
                foreign.pop_back();   // inside an HTML part, a browser may ignore it: so do we
        }
        return end;
    }

    qsizetype startTag(qsizetype i, qsizetype to, bool main)
    {
        const qsizetype nameTo = nameEnd(i + 1);
        const Special* s = special(i + 1, nameTo);
        const bool mayBreak = main && !s && preDepth == 0 && foreign.empty();
        if (mayBreak)
            spots.clear();
        bool selfClosing = false;
        const qsizetype end = attributes(nameTo, mayBreak, &selfClosing);
        if (end < 0)
            return -1;   // a tag cut off by the end of the file is dropped
        if (mayBreak && !serverCodeIn(i + 1, end))
            for (qsizetype k : spots)
                offer(k);
        if (!s)
            return end;
        switch (s->kind) {
        case Kind::Pre:
            if (main)
                ++preDepth;
            return end;
        case Kind::Foreign:
            if (!main)
                return -1;   // would change how what follows is read
            if (!selfClosing)
                foreign.push_back(0);
            return end;
        case Kind::Html:
            if (main && !selfClosing && !foreign.empty())
                ++foreign.back();
            return end;
        case Kind::Rest:
            return -1;
        case Kind::Script:
        case Kind::Raw:
            break;
        }
        if (!main) {
            // Inside a check, only raw text that reads alike as markup: none of it markup.
            const qsizetype close = rawEnd(end, s->name);
            return close >= 0 && close <= to && find('<', end, close) < 0 ? close : -1;
        }
        const qsizetype close = s->kind == Kind::Script ? scriptEnd(end) : rawEnd(end, s->name);
        if (close < 0)
            return -1;
        // In a select, SVG or MathML a browser may read this text as markup.
        const bool check = s->kind == Kind::Raw || !foreign.empty();
        return !check || scan(end, close, false) ? close : -1;
    }

    bool serverCodeIn(qsizetype from, qsizetype to) const
    {
        for (qsizetype lt = find('<', from, to); lt >= 0; lt = find('<', lt + 1, to))
            if (lt + 1 < n && (p[lt + 1] == '?' || p[lt + 1] == '%'))
                return true;
        return false;
    }

    // The '<' of the end tag closing raw text that starts at i.
    qsizetype rawEnd(qsizetype i, const char* name) const
    {
        for (qsizetype lt = find('<', i, n); lt >= 0; lt = find('<', lt + 1, n))
            if (tagAt(lt, name, 1))
                return lt;
        return -1;
    }

    // The same for a script, where "</script>" does not end the script inside "<!--" after "<script".
    qsizetype scriptEnd(qsizetype i) const
    {
        enum { Data, Escaped, DoubleEscaped } state = Data;
        int dashes = 0;
        while (i < n) {
            if (state == Data) {
                i = find('<', i, n);
                if (i < 0)
                    return -1;
                if (tagAt(i, "script", 1))
                    return i;
                if (startsWith(i, "<!--")) {
                    state = Escaped;
                    dashes = 2;
                    i += 4;
                } else {
                    ++i;
                }
                continue;
            }
            const char c = p[i];
            if (c == '-') {
                ++dashes;
                ++i;
                continue;
            }
            if (c == '>' && dashes >= 2) {
                state = Data;
                ++i;
                continue;
            }
            dashes = 0;
            if (c == '<' && state == Escaped) {
                if (tagAt(i, "script", 1))
                    return i;
                if (tagAt(i, "script", 0)) {
                    state = DoubleEscaped;
                    i += 7;
                    continue;
                }
            } else if (c == '<' && tagAt(i, "script", 1)) {
                state = Escaped;
                i += 8;
                continue;
            }
            ++i;
        }
        return -1;
    }

    // Reads a tag from the end of its name to after its '>'; -1 when the file ends inside it.
    // With `collect`, the white space before each attribute goes into spots.
    qsizetype attributes(qsizetype i, bool collect, bool* selfClosing)
    {
        enum { BeforeName, Name, AfterName, BeforeValue, Unquoted, AfterQuoted } state = BeforeName;
        qsizetype space = i;   // where the white space before i starts
        while (i < n) {
            const char c = p[i];
            switch (state) {
            case BeforeName:
            case AfterName:
                if (isSpace(c)) {
                    ++i;
                } else if (c == '>') {
                    return i + 1;
                } else if (c == '/') {
                    if (i + 1 < n && p[i + 1] == '>') {
                        if (selfClosing)
                            *selfClosing = true;
                        return i + 2;
                    }
                    state = BeforeName;
                    space = ++i;
                } else if (c == '=' && state == AfterName) {
                    state = BeforeValue;
                    ++i;
                } else {
                    if (collect && i > space)
                        spot(space, i);
                    state = Name;
                    ++i;
                }
                break;
            case Name:
                while (i < n && !is(p[i], Space | Slash | Gt | Equals))
                    ++i;
                if (i < n && p[i] == '=') {
                    state = BeforeValue;
                    ++i;
                } else {
                    state = AfterName;
                    space = i;
                }
                break;
            case BeforeValue:
                if (isSpace(c)) {
                    ++i;
                } else if (c == '"' || c == '\'') {
                    i = after(c, i + 1);
                    if (i < 0)
                        return -1;
                    state = AfterQuoted;
                } else if (c == '>') {
                    return i + 1;
                } else {
                    state = Unquoted;
                }
                break;
            case Unquoted:
                while (i < n && !is(p[i], Space | Gt))
                    ++i;
                if (i < n && p[i] == '>')
                    return i + 1;
                state = BeforeName;
                space = i;
                break;
            case AfterQuoted:
                state = BeforeName;   // even with no white space between: a new attribute
                space = i;
                break;
            }
        }
        return -1;
    }

    // White space [from, to) before an attribute: its last byte may become a break,
    // unless the run already holds one.
    void spot(qsizetype from, qsizetype to)
    {
        for (qsizetype k = from; k < to; ++k)
            if (p[k] == '\n' || p[k] == '\r')
                return;
        if (p[to - 1] == ' ' || p[to - 1] == '\t')
            spots.push_back(to - 1);
    }

    // A break at k when enough of its line has passed.
    void offer(qsizetype k)
    {
        if (k - lineStart < every)
            return;
        const qsizetype from = std::max(lineStart, clean);
        const qsizetype lineEnd = std::max(lastOf('\n', from, k), lastOf('\r', from, k));
        clean = k;
        if (lineEnd >= 0) {
            lineStart = lineEnd + 1;
            if (k - lineStart < every)
                return;
        }
        breaks.append(k);
        lineStart = clean = k + 1;
    }

    qsizetype lastOf(char c, qsizetype from, qsizetype to) const
    {
        if (from >= to)
            return -1;
        const void* f = ::memrchr(p + from, c, size_t(to - from));
        return f ? static_cast<const char*>(f) - p : -1;
    }
};
} // namespace

QVector<qsizetype> LongLineBreaks(const QByteArray& utf8, qsizetype every)
{
    return Scanner(utf8, every).run();
}

QByteArray ApplyLineBreaks(const QByteArray& utf8, const QVector<qsizetype>& at, const QByteArray& eol)
{
    QByteArray out;
    out.reserve(utf8.size() + at.size() * (eol.size() - 1));
    qsizetype from = 0;
    for (qsizetype k : at) {
        if (k < from || k >= utf8.size())
            continue;   // not from LongLineBreaks for this text
        out.append(utf8.constData() + from, k - from);
        out.append(eol);
        from = k + 1;
    }
    out.append(utf8.constData() + from, utf8.size() - from);
    return out;
}

int BreakLongLines(CodeMax1* editor, qsizetype every)
{
    using S = QsciScintillaBase;
    const QVector<qsizetype> at = LongLineBreaks(editor->Utf8View(), every);
    if (at.isEmpty())
        return 0;
    // One small replacement each, from the end so that the offsets still hold: bookmarks
    // and the caret stay on their text, and Undo keeps only what changed.
    const QByteArray eol = editor->Format().lineBreak.toUtf8();
    editor->SendScintilla(S::SCI_BEGINUNDOACTION);
    for (auto i = at.crbegin(); i != at.crend(); ++i) {
        editor->SendScintilla(S::SCI_SETTARGETRANGE, long(*i), long(*i + 1));
        editor->SendScintilla(S::SCI_REPLACETARGET, static_cast<unsigned long>(eol.size()), eol.constData());
    }
    editor->SendScintilla(S::SCI_ENDUNDOACTION);
    return int(at.size());
}

void fctnBreakLongLines(frmDocument* doc)
{
    if (!doc)
        return;
    const int breaks = BreakLongLines(doc->Editor());
    doc->CheckLongLines(true);
    if (breaks == 0)
        MsgBox(QCoreApplication::translate("BreakLines",
                                           "No line could be broken: a line break is put only between the attributes of a "
                                           "tag, where it cannot change the page, and this text has no such place on a long line."),
               MsgButtons::OKOnly, MsgIcon::Information, QStringLiteral("QRN"), doc->window());
    doc->Editor()->SetFocus();
}
