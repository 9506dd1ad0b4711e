#pragma once
// Spelling of a page's readable text with Hunspell: the dictionary, the
// parts of the markup that are checked, and the walk from one misspelled
// word to the next.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class Hunspell;
class Workspace;

class SpellDictionary {
public:
    SpellDictionary();
    ~SpellDictionary();

    // Installed dictionaries by name ("en_US"), each once, sorted.
    static QStringList Installed();
    // The user's locale when installed, else en_US, else the first one.
    static QString DefaultName();
    // Words the user added, one a line, kept per user.
    static QString PersonalListPath();

    bool Load(const QString& name, QString* error);
    QString Name() const { return m_name; }
    bool IsLoaded() const { return m_hunspell != nullptr; }
    bool Check(const QString& word) const;
    QStringList Suggest(const QString& word) const;
    // Accepts the word from now on and keeps it in the personal list.
    void AddPersonal(const QString& word);

private:
    std::string encode(const QString& word) const;
    QString decode(const std::string& word) const;

    std::unique_ptr<Hunspell> m_hunspell;
    QString m_name;
    bool m_utf8 = true;
    QString m_encoding;   // when not UTF-8
};

namespace SpellText {
struct Range {
    int start = 0;
    int length = 0;
    bool operator==(const Range&) const = default;
};
// The parts of HTML a reader sees: text between tags and the values of the
// "alt" and "title" attributes. Tags, other attributes, comments, server
// script blocks and the contents of script and style elements are left out.
QVector<Range> Readable(const QString& html);
}

// One check of a text: finds the misspelled words in turn and applies the
// user's decisions to its own copy of the text.
class SpellSession {
public:
    SpellSession(const QString& text, SpellDictionary* dictionary);

    // Moves to the next misspelled word; false when there is none left.
    bool Next();
    // The word as checked, references decoded ("caf&eacute;" is "café").
    QString Word() const { return m_wordStart < 0 ? QString() : m_word; }
    int WordStart() const { return m_wordStart; }
    QStringList Suggestions() const;
    // The line around the current word and the word's offset in it.
    QString Context(int* wordOffset) const;

    void Change(const QString& replacement);
    void ChangeAll(const QString& replacement);
    void Ignore();
    void IgnoreAll();
    void Add();
    // Another dictionary: the current word is checked again.
    void SetDictionary(SpellDictionary* dictionary);

    QString Text() const { return m_text; }
    SpellDictionary* Dictionary() const { return m_dictionary; }

private:
    void replaceCurrent(const QString& replacement);

    QString m_text;
    SpellDictionary* m_dictionary;
    QVector<SpellText::Range> m_ranges;   // in the text as it was at the start
    int m_rangeIndex = 0;
    int m_shift = 0;                      // length change made so far
    int m_pos = 0;                        // where the search goes on
    int m_wordStart = -1;
    int m_wordLength = 0;
    QString m_word;
    QSet<QString> m_ignored;
    QHash<QString, QString> m_changeAll;
};

// The Tools menu command: checks the active document's selection, or its
// whole text when nothing is selected.
void fctnSpellCheck(Workspace* main);
