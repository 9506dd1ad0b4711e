// Closing tags as they are typed: a forward reading of the text before the caret, much as a browser reads it.
#include "document/TagCompletion.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QStringList>

namespace {

// Where the text read ends: between tags, or inside one of them.
enum class End { Text, StartTag, EndTag, Other, RawText };

// A start tag read up to where its attributes have got.
struct TagState {
    QChar quote;            // inside a value in these quotes
    bool unquoted = false;  // inside a value without quotes, which a ">" ends
    bool afterEquals = false;
    bool slash = false;     // the last character was a "/" outside any value
};

struct Reading {
    QStringList open;       // elements open, the innermost last, as typed
    End end = End::Text;
    QString name;           // StartTag or RawText: the element's name
    TagState tag;           // StartTag: how far its attributes have got
};

bool asciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

qsizetype nameEnd(QStringView s, qsizetype k)
{
    while (k < s.size() && (s[k].isLetterOrNumber() || s[k] == QLatin1Char('-') || s[k] == QLatin1Char('_') ||
                            s[k] == QLatin1Char(':') || s[k] == QLatin1Char('.')))
        ++k;
    return k;
}

// Elements whose content is text up to their own end tag, "<" and all.
bool rawText(QStringView name)
{
    for (const char* raw : {"script", "style", "textarea", "title", "xmp"})
        if (name.compare(QLatin1String(raw), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The ">" that ends a start tag's attributes from k on, or -1; *state as they are there.
qsizetype tagEnd(QStringView s, qsizetype k, TagState* state)
{
    TagState& t = *state;
    for (; k < s.size(); ++k) {
        const QChar c = s[k];
        if (!t.quote.isNull()) {
            if (c == t.quote)
                t.quote = QChar();
        } else if (t.unquoted) {
            if (c == QLatin1Char('>'))
                return k;
            t.unquoted = !c.isSpace();
        } else if (c == QLatin1Char('>')) {
            return k;
        } else if (c.isSpace()) {
            t.slash = false;
        } else if (c == QLatin1Char('=')) {
            t.afterEquals = true;
            t.slash = false;
        } else if (t.afterEquals) {
            t.afterEquals = false;
            if (c == QLatin1Char('"') || c == QLatin1Char('\''))
                t.quote = c;
            else
                t.unquoted = true;
        } else {
            t.slash = c == QLatin1Char('/');
        }
    }
    return -1;
}

Reading read(QStringView s)
{
    Reading r;
    qsizetype i = 0;
    // Past the first `close` from `from`; false when the text ends first, inside something that is no element.
    const auto skipPast = [&](QStringView close, qsizetype from) {
        const qsizetype at = s.indexOf(close, from);
        if (at < 0) {
            r.end = End::Other;
            return false;
        }
        i = at + close.size();
        return true;
    };
    // Constructs that are no elements, each read past its own end ("<!--" before "<!").
    static constexpr std::pair<const char16_t*, const char16_t*> notElements[] = {
        {u"<!--", u"-->"}, {u"<![CDATA[", u"]]>"}, {u"<?", u"?>"}, {u"<%", u"%>"}, {u"<!", u">"}};
    while (true) {
        const qsizetype lt = s.indexOf(QLatin1Char('<'), i);
        if (lt < 0)
            return r;
        const QStringView rest = s.sliced(lt);
        const auto* skipped = std::find_if(std::begin(notElements), std::end(notElements),
                                           [&](const auto& pair) { return rest.startsWith(QStringView(pair.first)); });
        if (skipped != std::end(notElements)) {
            if (!skipPast(QStringView(skipped->second), lt + QStringView(skipped->first).size()))
                return r;
        } else if (rest.startsWith(u"</")) {
            const QStringView name = s.sliced(lt + 2, nameEnd(s, lt + 2) - lt - 2);
            const qsizetype gt = s.indexOf(QLatin1Char('>'), lt + 2);
            if (gt < 0) {
                r.end = End::EndTag;
                return r;
            }
            // It closes its element and whatever was left open inside it; a stray one closes nothing.
            for (qsizetype e = r.open.size() - 1; e >= 0 && !name.isEmpty(); --e)
                if (name.compare(r.open.at(e), Qt::CaseInsensitive) == 0) {
                    r.open.resize(e);
                    break;
                }
            i = gt + 1;
        } else if (rest.size() > 1 && asciiLetter(rest[1])) {
            const qsizetype k = nameEnd(s, lt + 1);
            const QString name = s.sliced(lt + 1, k - lt - 1).toString();
            TagState tag;
            const qsizetype gt = tagEnd(s, k, &tag);
            if (gt < 0) {
                r.end = End::StartTag;
                r.name = name;
                r.tag = tag;
                return r;
            }
            i = gt + 1;
            if (tag.slash || TagCompletion::IsVoid(name))
                continue;
            r.open << name;
            if (rawText(name)) {
                const qsizetype close = s.indexOf(QStringLiteral("</") + name, i, Qt::CaseInsensitive);
                if (close < 0) {
                    r.open.removeLast();
                    r.end = End::RawText;
                    r.name = name;
                    return r;
                }
                i = close;   // its end tag is read as any other
            }
        } else {
            i = lt + 1;   // a "<" of the text
        }
    }
}

} // namespace

namespace TagCompletion {

bool IsVoid(QStringView name)
{
    static const char* const voids[] = {"area",  "base",  "basefont", "bgsound", "br",     "col",  "command",
                                        "embed", "frame", "hr",       "image",   "img",    "input", "isindex",
                                        "keygen", "link", "meta",     "mvcommercestop",    "param", "snd",
                                        "source", "spacer", "track",  "wbr"};
    for (const char* v : voids)
        if (name.compare(QLatin1String(v), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString AfterTyping(QStringView before, const QSet<QString>& closable)
{
    if (before.endsWith(u"</")) {
        const Reading r = read(before.chopped(2));
        if (r.end == End::RawText)
            return r.name + QLatin1Char('>');
        if (r.end == End::Text && !r.open.isEmpty())
            return r.open.last() + QLatin1Char('>');
        return QString();
    }
    if (!before.endsWith(QLatin1Char('>')))
        return QString();
    const Reading r = read(before.chopped(1));
    // Typed inside quotes, the ">" is part of a value; right after a "/", the tag closes itself.
    if (r.end != End::StartTag || !r.tag.quote.isNull() || r.tag.slash)
        return QString();
    if (!closable.contains(r.name.toUpper()) || IsVoid(r.name))
        return QString();
    return QStringLiteral("</") + r.name + QLatin1Char('>');
}

} // namespace TagCompletion
