// Find and replace over any FindReplace::Text: wrap-around and replace-all.
#include "document/FindReplace.h"

bool FindReplace::search(const Text& text, qint64 from, qint64 to, qint64* start, qint64* end) const
{
    const QByteArray needle = findText.toUtf8();
    if (needle.isEmpty() || to <= from)
        return false;
    return text.find(needle, matchCase, wholeWord, from, to, start, end);
}

bool FindReplace::next(const Text& text, qint64 from, qint64* start, qint64* end) const
{
    const qint64 length = text.length();
    return search(text, from, length, start, end) || search(text, 0, length, start, end);
}

int FindReplace::replaceAll(Text& text) const
{
    const QByteArray replacement = replaceText.toUtf8();
    int count = 0;
    qint64 pos = 0;
    qint64 start = 0, end = 0;
    while (search(text, pos, text.length(), &start, &end)) {
        pos = text.replace(start, end, replacement);
        ++count;
    }
    return count;
}

bool FindReplace::isMatch(const QString& selected) const
{
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return !selected.isEmpty() && selected.compare(findText, cs) == 0;
}
