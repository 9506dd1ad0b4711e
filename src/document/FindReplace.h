// Find and replace with no window: the texts and options last used, the next match round from a position, replace-all.
#pragma once
#include <QByteArray>
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
        // Replaces [start, end); returns where the replacement ends.
        virtual qint64 replace(qint64 start, qint64 end, const QByteArray& with) = 0;
    };

    QString findText;
    QString replaceText;
    bool matchCase = false;
    bool wholeWord = false;

    // The first match from `from` to the end, else the first from the top.
    bool next(const Text& text, qint64 from, qint64* start, qint64* end) const;
    // Replaces every match from the top and returns how many. Searching goes on
    // after each replacement, so a replacement holding the find text is not replaced again.
    int replaceAll(Text& text) const;
    // Whether a selection is what is looked for, so that Replace may replace it.
    bool isMatch(const QString& selected) const;

private:
    bool search(const Text& text, qint64 from, qint64 to, qint64* start, qint64* end) const;
};
