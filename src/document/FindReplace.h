// Find and replace with no window: the texts and options last used, the next match round from a position, replace-all.
#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class FindReplace {
public:
    // The text searched. The edit control gives its own, with its own matching
    // (case folding, word characters); positions are its UTF-8 byte offsets.
    class Text {
    public:
        virtual ~Text() = default;
        virtual qint64 length() const = 0;
        // The first match of needle within [from, to).
        virtual bool find(const QByteArray& needle, bool matchCase, bool wholeWord, qint64 from, qint64 to,
                          qint64* start, qint64* end) const = 0;
        // The bytes of [from, from + length), valid until the text changes.
        virtual QByteArrayView bytes(qint64 from, qint64 length) const = 0;
        // What a line break in a replacement becomes.
        virtual QByteArray lineBreak() const { return QByteArrayLiteral("\n"); }
        // Replaces [start, end); returns where the replacement ends.
        virtual qint64 replace(qint64 start, qint64 end, const QByteArray& with) = 0;
    };

    // Why a search has no answer, when it is not that nothing matched.
    struct Problem {
        enum Kind { None, BadPattern, TooHard };
        Kind kind = None;
        QString reason;          // BadPattern: the pattern's error
        qsizetype offset = -1;   // BadPattern: where in the pattern
    };

    QString findText;
    QString replaceText;
    bool matchCase = false;
    bool wholeWord = false;
    // findText is a regular expression (PCRE), and replaceText may name its groups:
    // \0 the whole match, \1 to \9 a group, \n (or \r\n) a line break as the text
    // makes them, \t a tab, \\ a backslash; any other backslash stays as typed.
    bool regExp = false;
    // A pattern search that has found nothing for this long gives up (TooHard),
    // as does one that PCRE stops at its own backtracking limit.
    int timeLimitMs = 3000;

    // BadPattern when findText is a regular expression that does not compile.
    Problem check() const;
    // The first match from `from` to the end, else the first from the top. An empty
    // match right at `from` is passed over there, so that finding again moves on.
    bool next(const Text& text, qint64 from, qint64* start, qint64* end, Problem* problem = nullptr) const;
    // Replaces every match from the top and returns how many. Searching goes on
    // after each replacement, so a replacement holding the find text is not replaced
    // again, and after an empty match from the next character.
    int replaceAll(Text& text, Problem* problem = nullptr) const;
    // Replaces [start, end) when it is the match a search from start finds, as a
    // selection left by finding is; *after is where the replacement ends.
    bool replaceMatch(Text& text, qint64 start, qint64 end, qint64* after, Problem* problem = nullptr) const;
};
