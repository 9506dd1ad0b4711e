#pragma once
// Line-by-line comparison of two texts, and its unified-diff form, for showing
// what a rewrite of the document would change before it is applied.
#include <QList>
#include <QString>
#include <QStringList>

namespace LineDiff {
enum class Kind { Same, Removed, Added };
struct Line {
    Kind kind;
    QString text;
    bool operator==(const Line& other) const { return kind == other.kind && text == other.text; }
};

// An edit script turning a into b: the shortest one while the two differ in up to
// maxChanges lines, else the differing middle removed and added as one block, so that
// a text rewritten throughout costs no more than a pass over it.
QList<Line> Compare(const QStringList& a, const QStringList& b, int maxChanges = 2000);

// The texts' lines: CR LF, LF and lone CR all break a line; a final break opens no empty line.
QStringList SplitLines(const QString& text);

// GNU-style unified diff with `context` unchanged lines around each change and
// "@@ -start,count +start,count @@" hunk heads; empty when the texts are equal.
QString Unified(const QStringList& a, const QStringList& b, const QString& aName, const QString& bName,
                int context = 3);
}
