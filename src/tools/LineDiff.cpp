// Myers' O((N+M)D) difference over line numbers, after the common head and tail are set aside.
#include "tools/LineDiff.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace LineDiff {

namespace {
// The middle of a and b (lines as numbers) as an edit script; false past maxD changes.
bool Myers(const std::vector<int>& a, const std::vector<int>& b, int maxD, QList<Kind>* script)
{
    const int n = int(a.size()), m = int(b.size());
    const int offset = n + m + 1;
    std::vector<int> v(2 * offset + 1, 0);
    std::vector<std::vector<int>> trace;   // v over k in [-d, d] after each round d
    int found = -1;
    for (int d = 0; d <= std::min(maxD, n + m) && found < 0; ++d) {
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                  : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a[x] == b[y])
                ++x, ++y;
            v[offset + k] = x;
            if (x >= n && y >= m)
                found = d;
        }
        trace.emplace_back(v.begin() + offset - d, v.begin() + offset + d + 1);
    }
    if (found < 0)
        return false;

    QList<Kind> reversed;
    int x = n, y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& prev = trace[d - 1];   // prev[j] is k = j - (d - 1)
        auto at = [&](int k) { return prev[k + d - 1]; };
        const int k = x - y;
        const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = at(prevK), prevY = prevX - prevK;
        while (x > prevX && y > prevY) {
            reversed.append(Kind::Same);
            --x, --y;
        }
        reversed.append(down ? Kind::Added : Kind::Removed);
        x = prevX, y = prevY;
    }
    for (; x > 0; --x)
        reversed.append(Kind::Same);
    script->reserve(reversed.size());
    std::reverse_copy(reversed.begin(), reversed.end(), std::back_inserter(*script));
    return true;
}
} // namespace

QList<Line> Compare(const QStringList& a, const QStringList& b, int maxChanges)
{
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;

    QList<Line> out;
    for (qsizetype i = 0; i < head; ++i)
        out.append({Kind::Same, a[i]});

    // Lines compared as numbers: equal text, equal number.
    QHash<QString, int> ids;
    auto numbers = [&](const QStringList& lines) {
        std::vector<int> result;
        result.reserve(size_t(lines.size() - head - tail));
        for (qsizetype i = head; i < lines.size() - tail; ++i)
        {
            auto it = ids.constFind(lines[i]);
            if (it == ids.constEnd())
                it = ids.insert(lines[i], int(ids.size()));
            result.push_back(it.value());
        }
        return result;
    };
    const std::vector<int> na = numbers(a), nb = numbers(b);
    QList<Kind> script;
    if (!Myers(na, nb, maxChanges, &script)) {
        script.clear();
        script.fill(Kind::Removed, qsizetype(na.size()));
        script.append(QList<Kind>(qsizetype(nb.size()), Kind::Added));
    }
    qsizetype i = head, j = head;
    for (Kind kind : script) {
        if (kind == Kind::Added)
            out.append({kind, b[j++]});
        else {
            out.append({kind, a[i++]});
            if (kind == Kind::Same)
                ++j;
        }
    }
    for (qsizetype t = a.size() - tail; t < a.size(); ++t)
        out.append({Kind::Same, a[t]});
    return out;
}

QStringList SplitLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(breaks);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString Unified(const QStringList& a, const QStringList& b, const QString& aName, const QString& bName, int context)
{
    const QList<Line> lines = Compare(a, b);
    QString out;
    qsizetype i = 0;
    int oldLine = 0, newLine = 0;   // before lines[i]
    auto range = [](int start, int count) {
        // An empty side names the line before it; a single line needs no count.
        if (count == 1)
            return QString::number(start + 1);
        return QStringLiteral("%1,%2").arg(count == 0 ? start : start + 1).arg(count);
    };
    while (i < lines.size()) {
        if (lines[i].kind == Kind::Same) {
            ++i, ++oldLine, ++newLine;
            continue;
        }
        // A hunk: back up over the context, then run on while the next change is near.
        qsizetype start = i;
        int back = 0;
        while (start > 0 && back < context && lines[start - 1].kind == Kind::Same)
            --start, ++back;
        qsizetype end = i;
        for (;;) {
            while (end < lines.size() && lines[end].kind != Kind::Same)
                ++end;
            qsizetype same = end;
            while (same < lines.size() && lines[same].kind == Kind::Same)
                ++same;
            if (same < lines.size() && same - end <= 2 * context) {
                end = same;   // the next change is near: one hunk
                continue;
            }
            end = std::min(end + context, lines.size());
            break;
        }
        int oldCount = 0, newCount = 0;
        QString body;
        for (qsizetype h = start; h < end; ++h) {
            const Line& line = lines[h];
            const QChar mark = line.kind == Kind::Same ? QLatin1Char(' ') : line.kind == Kind::Removed ? QLatin1Char('-')
                                                                                                      : QLatin1Char('+');
            body += mark + line.text + QLatin1Char('\n');
            oldCount += line.kind != Kind::Added;
            newCount += line.kind != Kind::Removed;
        }
        const int oldStart = oldLine - back, newStart = newLine - back;
        if (out.isEmpty())
            out = QStringLiteral("--- %1\n+++ %2\n").arg(aName, bName);
        out += QStringLiteral("@@ -%1 +%2 @@\n").arg(range(oldStart, oldCount), range(newStart, newCount)) + body;
        oldLine = oldStart + oldCount;
        newLine = newStart + newCount;
        i = end;
    }
    return out;
}
} // namespace LineDiff
