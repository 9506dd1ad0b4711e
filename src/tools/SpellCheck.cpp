// The spell check: words of the page's visible text, the dictionary and the session.
#include "tools/SpellCheck.h"

#include "base/Prompter.h"
#include "base/ShellRoutines.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "tools/ToolFiles.h"
#include "tools/frmSpell.h"

#include <hunspell/hunspell.hxx>

#include <QCoreApplication>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// One translation context for the whole file, named so that lupdate finds it.
struct SpellCheck {
    Q_DECLARE_TR_FUNCTIONS(SpellCheck)
};

// The dictionary chosen last in this run of the program.
QString g_chosenDictionary;
} // namespace

// ---------------------------------------------------------------- dictionary

SpellDictionary::SpellDictionary() = default;
SpellDictionary::~SpellDictionary() = default;

QStringList SpellDictionary::Installed()
{
    QStringList names;
    for (const QString& dic : Probe::Dictionaries()) {
        const QString name = QFileInfo(dic).completeBaseName();
        if (!names.contains(name))
            names << name;
    }
    names.sort();
    return names;
}

QString SpellDictionary::DefaultName()
{
    const QStringList names = Installed();
    if (!g_chosenDictionary.isEmpty() && names.contains(g_chosenDictionary))
        return g_chosenDictionary;
    const QString locale = QLocale::system().name();
    if (names.contains(locale))
        return locale;
    if (names.contains(QStringLiteral("en_US")))
        return QStringLiteral("en_US");
    return names.isEmpty() ? QString() : names.first();
}

QString SpellDictionary::PersonalListPath()
{
    return ToolFiles::ProgramFolder() + QStringLiteral("personal_words.txt");
}

bool SpellDictionary::Load(const QString& name, QString* error)
{
    QString dicPath;
    for (const QString& dic : Probe::Dictionaries()) {
        if (QFileInfo(dic).completeBaseName() == name) {
            dicPath = dic;
            break;
        }
    }
    const QString affPath = dicPath.left(dicPath.size() - 4) + QStringLiteral(".aff");
    if (dicPath.isEmpty() || !QFileInfo(affPath).isReadable()) {
        if (error)
            *error = QStringLiteral("53: ") +
                     SpellCheck::tr("The spelling dictionary '%1' could not be found.").arg(name);
        return false;
    }
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                               QFile::encodeName(dicPath).constData());
    m_hunspell = std::move(hunspell);
    m_name = name;
    const QString encoding = QString::fromStdString(m_hunspell->get_dict_encoding()).toUpper();
    m_utf8 = encoding.isEmpty() || encoding == QLatin1String("UTF-8");
    if (!m_utf8 && !QStringEncoder(encoding.toLatin1().constData()).isValid()) {
        m_hunspell.reset();
        if (error)
            *error = QStringLiteral("53: ") +
                     SpellCheck::tr("The spelling dictionary '%1' uses the unknown encoding %2.").arg(name, encoding);
        return false;
    }
    if (!m_utf8)
        m_encoding = encoding;
    QFile personal(PersonalListPath());
    if (personal.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : personal.readAll().split('\n')) {
            const QString word = QString::fromUtf8(line).trimmed();
            if (!word.isEmpty())
                m_hunspell->add(encode(word));
        }
    }
    g_chosenDictionary = name;
    return true;
}

std::string SpellDictionary::encode(const QString& word) const
{
    if (m_utf8)
        return word.toStdString();
    QStringEncoder encoder(m_encoding.toLatin1().constData());
    const QByteArray bytes = encoder.encode(word);
    return bytes.toStdString();
}

QString SpellDictionary::decode(const std::string& word) const
{
    if (m_utf8)
        return QString::fromStdString(word);
    QStringDecoder decoder(m_encoding.toLatin1().constData());
    return decoder.decode(QByteArray::fromStdString(word));
}

bool SpellDictionary::Check(const QString& word) const
{
    if (!m_hunspell)
        return true;
    QString w = word;
    w.replace(QChar(0x2019), QLatin1Char('\''));
    return m_hunspell->spell(encode(w));
}

QStringList SpellDictionary::Suggest(const QString& word) const
{
    QStringList out;
    if (!m_hunspell)
        return out;
    QString w = word;
    w.replace(QChar(0x2019), QLatin1Char('\''));
    for (const std::string& s : m_hunspell->suggest(encode(w)))
        out << decode(s);
    return out;
}

void SpellDictionary::AddPersonal(const QString& word)
{
    if (m_hunspell)
        m_hunspell->add(encode(word));
    QFile file(PersonalListPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(word.toUtf8() + '\n');
}

// ---------------------------------------------------------------- readable text

namespace SpellText {
namespace {
bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':') || c == QLatin1Char('_');
}
} // namespace

QVector<Range> Readable(const QString& s)
{
    QVector<Range> out;
    const int n = int(s.size());
    int textStart = 0;
    int i = 0;
    auto flush = [&](int end) {
        if (end > textStart)
            out.push_back({textStart, end - textStart});
    };
    // Skips to just past the first occurrence of close from `from`, or to the end.
    auto skipPast = [&](const QString& close, int from) {
        const qsizetype at = s.indexOf(close, from);
        return at < 0 ? n : int(at + close.size());
    };
    while (i < n) {
        if (s[i] != QLatin1Char('<') || i + 1 >= n) {
            ++i;
            continue;
        }
        const QChar next = s[i + 1];
        if (s.mid(i, 4) == QLatin1String("<!--")) {
            flush(i);
            i = skipPast(QStringLiteral("-->"), i + 4);
        } else if (next == QLatin1Char('%')) {
            flush(i);
            i = skipPast(QStringLiteral("%>"), i + 2);
        } else if (next == QLatin1Char('!') || next == QLatin1Char('?') ||
                   (next == QLatin1Char('/') && i + 2 < n && s[i + 2].isLetter())) {
            flush(i);
            i = skipPast(QStringLiteral(">"), i + 2);
        } else if (next.isLetter()) {
            flush(i);
            int j = i + 1;
            while (j < n && isNameChar(s[j]))
                ++j;
            const QString tag = s.mid(i + 1, j - i - 1).toLower();
            Range value{0, 0};
            QString type;
            // Attributes up to the closing ">".
            while (j < n && s[j] != QLatin1Char('>')) {
                if (s[j].isSpace() || s[j] == QLatin1Char('/')) {
                    ++j;
                    continue;
                }
                const int nameStart = j;
                while (j < n && !s[j].isSpace() && s[j] != QLatin1Char('=') && s[j] != QLatin1Char('>'))
                    ++j;
                const QString attribute = s.mid(nameStart, j - nameStart).toLower();
                int k = j;
                while (k < n && s[k].isSpace())
                    ++k;
                if (k >= n || s[k] != QLatin1Char('='))
                    continue;
                ++k;
                while (k < n && s[k].isSpace())
                    ++k;
                int valueStart = k;
                int valueEnd;
                if (k < n && (s[k] == QLatin1Char('"') || s[k] == QLatin1Char('\''))) {
                    valueStart = k + 1;
                    const qsizetype close = s.indexOf(s[k], valueStart);
                    valueEnd = close < 0 ? n : int(close);
                    j = close < 0 ? n : valueEnd + 1;
                } else {
                    while (k < n && !s[k].isSpace() && s[k] != QLatin1Char('>'))
                        ++k;
                    valueEnd = k;
                    j = k;
                }
                if (valueEnd <= valueStart)
                    continue;
                if (attribute == QLatin1String("alt") || attribute == QLatin1String("title") ||
                    attribute == QLatin1String("placeholder") || attribute == QLatin1String("aria-label"))
                    out.push_back({valueStart, valueEnd - valueStart});
                else if (attribute == QLatin1String("value"))
                    value = {valueStart, valueEnd - valueStart};
                else if (attribute == QLatin1String("type"))
                    type = s.mid(valueStart, valueEnd - valueStart).trimmed().toLower();
            }
            // The caption of a button is what its value says.
            if (value.length > 0 && tag == QLatin1String("input") &&
                (type == QLatin1String("button") || type == QLatin1String("submit") || type == QLatin1String("reset")))
                out.push_back(value);
            i = j < n ? j + 1 : n;
            if (tag == QLatin1String("script") || tag == QLatin1String("style")) {
                const qsizetype end = s.indexOf(QStringLiteral("</") + tag, i, Qt::CaseInsensitive);
                i = end < 0 ? n : int(end);
            }
        } else {
            ++i;   // a "<" in running text
            continue;
        }
        textStart = i;
    }
    flush(n);
    // A button's value is known only at the end of its tag: in text order again.
    std::sort(out.begin(), out.end(), [](const Range& a, const Range& b) { return a.start < b.start; });
    return out;
}
} // namespace SpellText

// ---------------------------------------------------------------- session

namespace {
bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// Length of a character reference ("&amp;", "&#233;") starting at i, or 0.
int entityLength(const QString& s, int i, int end)
{
    int j = i + 1;
    while (j < end && j - i <= 32 && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('#')))
        ++j;
    return (j < end && j > i + 1 && s[j] == QLatin1Char(';')) ? j + 1 - i : 0;
}

// The letter a character reference stands for ("&eacute;", "&#233;"), or empty
// for a sign or a reference not known here.
QString decodeLetter(QStringView ref)
{
    const QStringView body = ref.mid(1, ref.size() - 2);
    char32_t code = 0;
    if (body.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = body.size() > 1 && (body[1] == QLatin1Char('x') || body[1] == QLatin1Char('X'));
        code = hex ? body.mid(2).toUInt(&ok, 16) : body.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF)
            return QString();
    } else {
        // The Latin-1 letters by name, in code order from U+00C0; the two signs there are left out.
        static const char* const latin1[64] = {
            "Agrave", "Aacute", "Acirc", "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc",
            "Euml", "Igrave", "Iacute", "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde",
            "Ouml", "", "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave",
            "aacute", "acirc", "atilde", "auml", "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml",
            "igrave", "iacute", "icirc", "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "",
            "oslash", "ugrave", "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml"};
        for (int k = 0; k < 64 && !code; ++k)
            if (*latin1[k] && body == QLatin1String(latin1[k]))
                code = 0xC0 + k;
        if (!code)
            return QString();
    }
    const QString text = QString::fromUcs4(&code, 1);
    return text.at(0).isLetter() ? text : QString();
}
} // namespace

SpellSession::SpellSession(const QString& text, SpellDictionary* dictionary)
    : m_text(text), m_dictionary(dictionary), m_ranges(SpellText::Readable(text))
{
}

bool SpellSession::Next()
{
    m_wordStart = -1;
    m_wordLength = 0;
    for (; m_rangeIndex < m_ranges.size(); ++m_rangeIndex) {
        const SpellText::Range& r = m_ranges.at(m_rangeIndex);
        // Every change so far lies before this range's end, so its end moved by the
        // whole shift; its start did too unless the search is already inside it.
        int end = r.start + r.length + m_shift;
        int i = qMax(r.start + m_shift, m_pos);
        while (i < end) {
            const QChar c = m_text[i];
            if (!c.isLetterOrNumber() && c != QLatin1Char('&')) {
                ++i;
                continue;
            }
            // A token: letters, digits, inner apostrophes and references to letters
            // ("caf&eacute;"); a reference to a sign ("&lt;") separates words.
            const int tokenStart = i;
            bool skip = false;
            QString word;
            while (i < end) {
                const QChar t = m_text[i];
                if (t.isLetter() || t.isMark()) {
                    word += t;
                    ++i;
                } else if (t.isDigit()) {
                    skip = true;
                    ++i;
                } else if (t == QLatin1Char('&')) {
                    const int len = entityLength(m_text, i, end);
                    const QString letter = len ? decodeLetter(QStringView(m_text).mid(i, len)) : QString();
                    if (letter.isEmpty())
                        break;
                    word += letter;
                    i += len;
                } else if (isApostrophe(t) && i + 1 < end && m_text[i + 1].isLetter() && i > tokenStart) {
                    word += t;
                    ++i;
                } else {
                    break;
                }
            }
            if (i == tokenStart) {
                // A lone "&", or a reference to a sign: passed over whole.
                const int len = entityLength(m_text, i, end);
                i += len ? len : 1;
                continue;
            }
            m_pos = i;
            if (skip)
                continue;
            if (m_ignored.contains(word))
                continue;
            if (m_changeAll.contains(word)) {
                m_wordStart = tokenStart;
                m_wordLength = i - tokenStart;
                replaceCurrent(m_changeAll.value(word));
                m_wordStart = -1;
                m_wordLength = 0;
                i = m_pos;
                end = r.start + r.length + m_shift;
                continue;
            }
            if (!m_dictionary->Check(word)) {
                m_wordStart = tokenStart;
                m_wordLength = i - tokenStart;
                m_word = word;
                return true;
            }
        }
    }
    return false;
}

QStringList SpellSession::Suggestions() const
{
    return m_wordStart < 0 ? QStringList() : m_dictionary->Suggest(Word());
}

QString SpellSession::Context(int* wordOffset) const
{
    if (m_wordStart < 0) {
        *wordOffset = 0;
        return QString();
    }
    int from = m_wordStart;
    int count = 0;
    while (from > 0 && count < 80 && m_text[from - 1] != QLatin1Char('\n') && m_text[from - 1] != QLatin1Char('\r'))
        --from, ++count;
    int to = m_wordStart + m_wordLength;
    count = 0;
    while (to < m_text.size() && count < 80 && m_text[to] != QLatin1Char('\n') && m_text[to] != QLatin1Char('\r'))
        ++to, ++count;
    *wordOffset = m_wordStart - from;
    return m_text.mid(from, to - from);
}

void SpellSession::replaceCurrent(const QString& replacement)
{
    m_text.replace(m_wordStart, m_wordLength, replacement);
    m_shift += int(replacement.size()) - m_wordLength;
    m_pos = m_wordStart + int(replacement.size());
}

void SpellSession::Change(const QString& replacement)
{
    if (m_wordStart >= 0)
        replaceCurrent(replacement);
}

void SpellSession::ChangeAll(const QString& replacement)
{
    if (m_wordStart < 0)
        return;
    m_changeAll.insert(Word(), replacement);
    replaceCurrent(replacement);
}

void SpellSession::Ignore()
{
}

void SpellSession::IgnoreAll()
{
    if (m_wordStart >= 0)
        m_ignored.insert(Word());
}

void SpellSession::Add()
{
    if (m_wordStart >= 0)
        m_dictionary->AddPersonal(Word());
}

void SpellSession::SetDictionary(SpellDictionary* dictionary)
{
    m_dictionary = dictionary;
    if (m_wordStart >= 0)
        m_pos = m_wordStart;
}

// ---------------------------------------------------------------- command

void fctnSpellCheck(Workspace* main)
{
    frmDocument* doc = main->ActiveDocument();
    if (!doc || !doc->IsEditMode() || doc->IsBusy())
        return;
    CodeMax1* editor = doc->Editor();
    auto finish = [&](const CodeMaxRange& range) {
        editor->SetSel(range, true);
        editor->SetFocus();
    };
    const CodeMaxRange remembered = editor->GetSel(false);
    if (editor->SelLength() == 0) {
        const int last = editor->LineCount() - 1;
        editor->SetSel({0, 0, last, editor->GetLineLength(last)}, false);
    }
    const QString text = editor->SelText();
    if (text.isEmpty()) {
        MsgBox(SpellCheck::tr("There is no spelling to check."), MsgButtons::OKOnly, MsgIcon::Information,
               QStringLiteral("QRN"), main);
        finish(remembered);
        return;
    }
    SpellDictionary dictionary;
    QString error;
    const QString name = SpellDictionary::DefaultName();
    if (!dictionary.Load(name.isEmpty() ? QStringLiteral("en_US") : name, &error)) {
        // The check ends here with the document as it was.
        MsgBox(error, MsgButtons::OKOnly, MsgIcon::None, QStringLiteral("QRN"), main);
        finish(remembered);
        return;
    }
    SpellSession session(text, &dictionary);
    if (session.Next()) {
        frmSpell dialog(main, &session);
        Prompter::Current().ExecDialog(&dialog);
    }
    // Corrections made before a Cancel are kept, as a word processor keeps them.
    QString result;
    if (session.Text() != text) {
        editor->SetSelText(session.Text());
        result = SpellCheck::tr("The document has been updated.");
    } else {
        result = SpellCheck::tr("No changes were made.");
    }
    MsgBox(SpellCheck::tr("The spelling check is complete. ") + result, MsgButtons::OKOnly, MsgIcon::Information,
           QStringLiteral("QRN"), main);
    finish(remembered);
}
