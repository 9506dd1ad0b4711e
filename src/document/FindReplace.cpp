// Find and replace over any FindReplace::Text: wrap-around, replace-all and regular expressions.
#include "document/FindReplace.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <algorithm>

namespace {

// A pattern is matched window by window of the text, never the whole text at once:
// a match is usually near. A window ends where a match could still go on (a partial
// match), so it grows until the match is whole; the text before a window stays in
// view, as far as Context, for look-behinds, "^" and whole words.
constexpr qint64 FirstWindow = 1024;
constexpr qint64 SmallestWindow = 256;
constexpr qint64 LargestWindow = 4 * 1024 * 1024;
constexpr qint64 Context = 1024;
// A window that takes longer than this shrinks, so that the time limit is looked at often.
constexpr qint64 SlowWindowMs = 20;

bool continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// UTF-16 units of valid UTF-8: one for each byte that starts a character, two for a four-byte one.
qsizetype unitsOf(QByteArrayView utf8)
{
    qsizetype units = 0;
    for (const char c : utf8)
        if (!continuation(c))
            units += static_cast<unsigned char>(c) >= 0xF0 ? 2 : 1;
    return units;
}

// UTF-8 bytes of UTF-16 text; each half of a surrogate pair is two of the pair's four.
qint64 bytesOf(QStringView text)
{
    qint64 bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 || c.isSurrogate() ? 2 : 3;
    return bytes;
}

// The start of the character holding byte `pos`.
qint64 characterStart(const FindReplace::Text& text, qint64 pos)
{
    while (pos > 0 && continuation(text.bytes(pos, 1).front()))
        --pos;
    return pos;
}

// Whole words as the control's plain search has them: the match starts where a word
// or a run of punctuation starts, and ends where one ends.
const QString WordStart = QStringLiteral(R"((?:(?<!\w)(?=\w)|(?<![^\w\s])(?=[^\w\s])))");
const QString WordEnd = QStringLiteral(R"((?:(?<=\w)(?!\w)|(?<=[^\w\s])(?![^\w\s])))");

struct Found {
    qint64 start = 0;
    qint64 end = 0;
    QRegularExpressionMatch match;   // a pattern's groups
};

// One search, or a run of them for replace-all, with the pattern compiled once.
class Searcher {
public:
    Searcher(const FindReplace& find, const FindReplace::Text& text, FindReplace::Problem* problem)
        : m_find(find), m_text(text), m_problem(problem)
    {
        if (!find.regExp)
            return;
        const FindReplace::Problem bad = find.check();
        if (bad.kind != FindReplace::Problem::None) {
            fail(bad);
            return;
        }
        QRegularExpression::PatternOptions options =
            QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
        if (!find.matchCase)
            options |= QRegularExpression::CaseInsensitiveOption;
        // CR LF, LF and CR all end a line for "^", "$" and "."; leading (*...) settings stay first.
        static const QRegularExpression leadingVerbs(QStringLiteral(R"(^(?:\(\*[A-Z_]+(?:=\d+)?\))*)"));
        const qsizetype verbs = leadingVerbs.match(find.findText).capturedLength();
        QString pattern = QStringLiteral("(*ANYCRLF)") + find.findText.left(verbs);
        if (find.wholeWord)
            pattern += WordStart + QStringLiteral("(?:") + find.findText.mid(verbs) + QStringLiteral(")") + WordEnd;
        else
            pattern += find.findText.mid(verbs);
        m_re = QRegularExpression(pattern, options);
        if (!m_re.isValid()) {
            // Only whole-word wrapping can break a pattern that compiles alone ("(?x)a#").
            FindReplace::Problem wrapped;
            wrapped.kind = FindReplace::Problem::BadPattern;
            wrapped.reason = m_re.errorString();
            wrapped.offset = std::min(find.findText.size(), m_re.patternErrorOffset());
            fail(wrapped);
        }
    }

    bool failed() const { return m_failed; }

    // The first match within [from, to); an empty one right at from is passed over when skipEmpty.
    bool search(qint64 from, qint64 to, bool skipEmpty, Found* found)
    {
        if (m_failed)
            return false;
        if (!m_find.regExp) {
            const QByteArray needle = m_find.findText.toUtf8();
            return !needle.isEmpty() && from < to &&
                   m_text.find(needle, m_find.matchCase, m_find.wholeWord, from, to, &found->start, &found->end);
        }
        if (m_find.findText.isEmpty() || !searchPattern(from, to, found))
            return false;
        if (!skipEmpty || found->start != from || found->end != from)
            return true;
        return from < to && searchPattern(nextCharacter(from, to), to, found);
    }

    QByteArray replacement(const Found& found) const
    {
        if (!m_find.regExp)
            return m_find.replaceText.toUtf8();
        const QString& with = m_find.replaceText;
        const QString lineBreak = QString::fromUtf8(m_text.lineBreak());
        QString out;
        for (qsizetype i = 0; i < with.size(); ++i) {
            const QChar c = with.at(i);
            if (c != QLatin1Char('\\') || i + 1 == with.size()) {
                out += c;
                continue;
            }
            const QChar n = with.at(++i);
            if (n >= QLatin1Char('0') && n <= QLatin1Char('9')) {
                out += found.match.captured(n.digitValue());
            } else if (n == QLatin1Char('n')) {
                out += lineBreak;
            } else if (n == QLatin1Char('r') && with.mid(i + 1, 2) == QLatin1String("\\n")) {
                out += lineBreak;
                i += 2;
            } else if (n == QLatin1Char('t')) {
                out += QLatin1Char('\t');
            } else if (n == QLatin1Char('\\')) {
                out += n;
            } else {
                out += c;
                out += n;
            }
        }
        return out.toUtf8();
    }

private:
    void fail(const FindReplace::Problem& problem)
    {
        m_failed = true;
        if (m_problem)
            *m_problem = problem;
    }

    // Past the character at pos, and past a whole CR LF: no match starts inside one.
    qint64 nextCharacter(qint64 pos, qint64 to) const
    {
        const QByteArrayView two = m_text.bytes(pos, std::min<qint64>(2, to - pos));
        if (two.size() == 2 && two[0] == '\r' && two[1] == '\n')
            return pos + 2;
        ++pos;
        while (pos < to && continuation(m_text.bytes(pos, 1).front()))
            ++pos;
        return pos;
    }

    bool searchPattern(qint64 from, qint64 to, Found* found)
    {
        QElapsedTimer clock;
        clock.start();
        qint64 at = from;   // no match starts before this
        qint64 window = FirstWindow;
        while (true) {
            qint64 end = to;
            if (at + window < to)
                end = std::max(at + 1, characterStart(m_text, at + window));
            const bool last = end >= to;
            const qint64 context = characterStart(m_text, std::max<qint64>(0, at - Context));
            const QByteArrayView bytes = m_text.bytes(context, end - context);
            const QString subject = QString::fromUtf8(bytes);
            const qsizetype offset = unitsOf(bytes.first(at - context));
            const qint64 started = clock.elapsed();
            // A partial match is one the end of the window cut short: it may go on past it.
            const QRegularExpressionMatch match =
                m_re.match(subject, offset, last ? QRegularExpression::NormalMatch
                                                 : QRegularExpression::PartialPreferFirstMatch,
                           QRegularExpression::DontCheckSubjectStringMatchOption);
            // No match and not valid: PCRE gave up (its backtracking or stack limit).
            if (!match.isValid()) {
                fail({FindReplace::Problem::TooHard, QString(), -1});
                return false;
            }
            if (match.hasMatch()) {
                const QStringView view(subject);
                found->start = context + bytesOf(view.first(match.capturedStart()));
                found->end = found->start + bytesOf(view.sliced(match.capturedStart(), match.capturedLength()));
                found->match = match;
                return true;
            }
            if (last)
                return false;
            if (match.hasPartialMatch()) {
                // Nothing starts before the partial match; again from there, with more text.
                at = context + bytesOf(QStringView(subject).first(std::max(offset, match.capturedStart())));
                // Past the old end whatever the characters there: no cap, or a long match grows slowly.
                window = std::max(window * 2, end - at + 4);
            } else {
                at = end;
                const bool slow = clock.elapsed() - started > SlowWindowMs;
                window = slow ? std::max(window / 4, SmallestWindow) : std::min(window * 2, LargestWindow);
            }
            if (clock.elapsed() > m_find.timeLimitMs) {
                fail({FindReplace::Problem::TooHard, QString(), -1});
                return false;
            }
        }
    }

    const FindReplace& m_find;
    const FindReplace::Text& m_text;
    FindReplace::Problem* m_problem;
    QRegularExpression m_re;
    bool m_failed = false;
};

} // namespace

FindReplace::Problem FindReplace::check() const
{
    Problem problem;
    if (!regExp)
        return problem;
    const QRegularExpression re(findText);
    if (!re.isValid()) {
        problem.kind = Problem::BadPattern;
        problem.reason = re.errorString();
        problem.offset = re.patternErrorOffset();
    }
    return problem;
}

bool FindReplace::next(const Text& text, qint64 from, qint64* start, qint64* end, Problem* problem) const
{
    Searcher searcher(*this, text, problem);
    Found found;
    const qint64 length = text.length();
    if (!searcher.search(from, length, true, &found) &&
        (searcher.failed() || !searcher.search(0, length, false, &found)))
        return false;
    *start = found.start;
    *end = found.end;
    return true;
}

int FindReplace::replaceAll(Text& text, Problem* problem) const
{
    Searcher searcher(*this, text, problem);
    int count = 0;
    qint64 pos = 0;
    bool afterEmpty = false;
    Found found;
    while (searcher.search(pos, text.length(), afterEmpty, &found)) {
        pos = text.replace(found.start, found.end, searcher.replacement(found));
        afterEmpty = found.start == found.end;
        ++count;
    }
    return count;
}

bool FindReplace::replaceMatch(Text& text, qint64 start, qint64 end, qint64* after, Problem* problem) const
{
    Searcher searcher(*this, text, problem);
    Found found;
    if (!searcher.search(start, text.length(), false, &found) || found.start != start || found.end != end)
        return false;
    *after = text.replace(start, end, searcher.replacement(found));
    return true;
}
