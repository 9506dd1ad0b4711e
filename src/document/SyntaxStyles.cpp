// Colours, fonts and margins of the edit control: lexers, the slot tables and pushing them to QScintilla.
#include "document/SyntaxStyles.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qscilexerxml.h>
#include <Qsci/qsciscintilla.h>

namespace {

using S = QsciScintillaBase;

// Elements of the colour table: element e uses colour slots 4 + 2e (text) and
// 5 + 2e (background) and style slot e.
enum Element {
    ElText = 0,
    ElNumber = 1,
    ElKeyword = 2,
    ElOperator = 3,
    ElScope = 4,
    ElComment = 5,
    ElString = 6,
    ElTagText = 7,
    ElEntity = 8,
    ElTagName = 9,
    ElAttribute = 10,
    ElLineNumber = 11,
};

QColor fromColorRef(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

// A script language embedded in HTML: its styles follow one another from a base.
int scriptElement(int offset, const int* table, int count)
{
    return offset < count ? table[offset] : ElText;
}

int htmlElement(int style)
{
    static const int js[] = {ElScope, ElText, ElComment, ElComment, ElComment, ElNumber, ElText,
                             ElKeyword, ElString, ElString, ElOperator, ElString, ElString};
    static const int vb[] = {ElScope, ElText, ElComment, ElNumber, ElKeyword, ElString, ElText, ElString};
    static const int py[] = {ElScope, ElText, ElComment, ElNumber, ElString, ElString, ElKeyword,
                             ElString, ElString, ElText, ElText, ElOperator, ElText};
    using L = QsciLexerHTML;
    if (style >= L::JavaScriptStart && style <= L::JavaScriptRegex)
        return scriptElement(style - L::JavaScriptStart, js, 13);
    if (style >= L::ASPJavaScriptStart && style <= L::ASPJavaScriptRegex)
        return scriptElement(style - L::ASPJavaScriptStart, js, 13);
    if (style >= L::VBScriptStart && style <= L::VBScriptUnclosedString)
        return scriptElement(style - L::VBScriptStart, vb, 8);
    if (style >= L::ASPVBScriptStart && style <= L::ASPVBScriptUnclosedString)
        return scriptElement(style - L::ASPVBScriptStart, vb, 8);
    if (style >= L::PythonStart && style <= L::PythonIdentifier)
        return scriptElement(style - L::PythonStart, py, 13);
    if (style >= L::ASPPythonStart && style <= L::ASPPythonIdentifier)
        return scriptElement(style - L::ASPPythonStart, py, 13);
    switch (style) {
    case L::Tag: case L::UnknownTag: case L::OtherInTag: case L::XMLTagEnd: case L::XMLStart:
    case L::XMLEnd: case L::Script: case L::SGMLDefault: case L::SGMLCommand:
        return ElTagName;
    case L::Attribute: case L::UnknownAttribute: case L::SGMLParameter:
        return ElAttribute;
    case L::HTMLNumber: case L::PHPNumber:
        return ElNumber;
    case L::HTMLDoubleQuotedString: case L::HTMLSingleQuotedString: case L::HTMLValue:
    case L::SGMLDoubleQuotedString: case L::SGMLSingleQuotedString: case L::PHPDoubleQuotedString:
    case L::PHPSingleQuotedString: case L::PHPDoubleQuotedVariable:
        return ElString;
    case L::HTMLComment: case L::ASPXCComment: case L::SGMLComment: case L::SGMLParameterComment:
    case L::PHPComment: case L::PHPCommentLine:
        return ElComment;
    case L::Entity: case L::SGMLEntity: case L::SGMLSpecial:
        return ElEntity;
    case L::ASPAtStart: case L::ASPStart: case L::PHPStart:
        return ElScope;
    case L::PHPKeyword:
        return ElKeyword;
    case L::PHPOperator:
        return ElOperator;
    default:
        return ElText;
    }
}

int cppElement(int style)
{
    using L = QsciLexerCPP;
    switch (style & ~64) {  // inactive (preprocessor-disabled) styles look like active ones
    case L::Comment: case L::CommentLine: case L::CommentDoc: case L::CommentLineDoc:
    case L::CommentDocKeyword: case L::CommentDocKeywordError: case L::PreProcessorComment:
    case L::PreProcessorCommentLineDoc: case L::TaskMarker:
        return ElComment;
    case L::Number: case L::UUID: case L::UserLiteral:
        return ElNumber;
    case L::Keyword: case L::KeywordSet2: case L::GlobalClass:
        return ElKeyword;
    case L::DoubleQuotedString: case L::SingleQuotedString: case L::UnclosedString:
    case L::VerbatimString: case L::Regex: case L::RawString: case L::TripleQuotedVerbatimString:
    case L::HashQuotedString: case L::EscapeSequence:
        return ElString;
    case L::PreProcessor:
        return ElScope;
    case L::Operator:
        return ElOperator;
    default:
        return ElText;
    }
}

} // namespace

SyntaxStyles::SyntaxStyles(QsciScintilla* editor, int bookmarkMarker)
    : m_editor(editor)
    , m_bookmarkMarker(bookmarkMarker)
    , m_font(QStringLiteral("Courier"), 10)
{
    // A usable look before the owner pushes its colour scheme.
    const int white = 0xFFFFFF, grey = 0x808080;
    for (int slot = 0; slot < 31; ++slot)
        m_colors[slot] = (slot % 2 == 1 || slot == 0) ? white : 0;
    m_colors[1] = grey;
    m_colors[2] = white;
    m_colors[3] = 0;
    m_colors[12] = m_colors[22] = 0xFF0000;  // tags
    m_colors[10] = m_colors[24] = 0xA00000;  // attribute names
    m_colors[6] = m_colors[16] = 0x008200;   // attribute values
    m_colors[14] = m_colors[30] = 0x0000FF;  // comments: red on yellow
    m_colors[15] = 0x00FFFF;
    m_colors[8] = m_colors[20] = grey;       // entities
    m_colors[26] = white;                    // line numbers: white on grey
    m_colors[27] = grey;
    m_colors[28] = m_colors[29] = white;
}

void SyntaxStyles::setLanguage(const QString& language)
{
    if (language == m_language)
        return;
    m_language = language;
    applyLexer();
}

void SyntaxStyles::setColorSyntax(bool on)
{
    if (on == m_colorSyntax)
        return;
    m_colorSyntax = on;
    applyLexer();
}

void SyntaxStyles::dropLexer()
{
    m_editor->setLexer(nullptr);
    delete m_lexer;
    m_lexer = nullptr;
}

void SyntaxStyles::applyLexer()
{
    QsciLexer* lexer = nullptr;
    m_lexerStyles.clear();
    if (m_colorSyntax) {
        int (*element)(int) = htmlElement;
        if (m_language.compare(QLatin1String("HTML"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerHTML(m_editor);
        } else if (m_language.compare(QLatin1String("XML"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerXML(m_editor);
        } else if (m_language.compare(QLatin1String("Java"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerJava(m_editor);
            element = cppElement;
        } else if (m_language.compare(QLatin1String("C/C++"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerCPP(m_editor);
            element = cppElement;
        }
        if (lexer) {
            for (int style = 0; style < 128; ++style)
                if (!lexer->description(style).isEmpty())
                    m_lexerStyles.append({style, element(style)});
        }
    }
    // Give the new lexer every slot before the control takes it, so the text
    // never shows the lexer's own colours.
    QsciLexer* old = m_lexer;
    m_lexer = lexer;
    if (lexer) {
        lexer->setDefaultFont(elementFont(ElText));
        lexer->setDefaultColor(fromColorRef(m_colors[4]));
        lexer->setDefaultPaper(fromColorRef(m_colors[0]));
    }
    for (int e = 0; e <= ElAttribute; ++e)
        applyElement(e);
    m_editor->setLexer(lexer);
    delete old;
    // Setting a lexer resets the default style; take back ours.
    applyElement(ElText);
    applyWindowBackground();
    applyMarginsAndMarkers();
}

QFont SyntaxStyles::elementFont(int element) const
{
    QFont font = m_font;
    const int style = (element >= 0 && element < 13) ? m_styles[element] : 0;
    font.setBold(m_font.bold() || (style & 1));
    font.setItalic(m_font.italic() || (style & 2));
    return font;
}

void SyntaxStyles::applyElement(int element)
{
    if (element == ElLineNumber) {
        applyMarginsAndMarkers();
        return;
    }
    const QColor fore = fromColorRef(m_colors[4 + 2 * element]);
    const QColor back = fromColorRef(m_colors[5 + 2 * element]);
    const QFont font = elementFont(element);
    // The caret in the text's colour stays visible on any background the scheme has.
    if (element == ElText)
        m_editor->setCaretForegroundColor(fore);
    if (m_lexer) {
        for (const auto& [style, e] : m_lexerStyles) {
            if (e != element)
                continue;
            m_lexer->setColor(fore, style);
            m_lexer->setPaper(back, style);
            m_lexer->setFont(font, style);
        }
        if (element == ElText) {
            m_lexer->setDefaultColor(fore);
            m_lexer->setDefaultFont(font);
        }
        return;
    }
    if (element != ElText)
        return;
    // Plain text: the default style, copied to every style, then the text style's own background.
    const QByteArray family = font.family().toUtf8();
    const long size = long(font.pointSizeF() * int(S::SC_FONT_SIZE_MULTIPLIER));
    m_editor->SendScintilla(S::SCI_STYLESETFONT, S::STYLE_DEFAULT, family.constData());
    m_editor->SendScintilla(S::SCI_STYLESETSIZEFRACTIONAL, S::STYLE_DEFAULT, size);
    m_editor->SendScintilla(S::SCI_STYLESETBOLD, S::STYLE_DEFAULT, font.bold() ? 1 : 0);
    m_editor->SendScintilla(S::SCI_STYLESETITALIC, S::STYLE_DEFAULT, font.italic() ? 1 : 0);
    m_editor->SendScintilla(S::SCI_STYLESETFORE, S::STYLE_DEFAULT, fore);
    m_editor->SendScintilla(S::SCI_STYLESETBACK, S::STYLE_DEFAULT, fromColorRef(m_colors[0]));
    m_editor->SendScintilla(S::SCI_STYLECLEARALL);
    m_editor->SendScintilla(S::SCI_STYLESETBACK, 0, back);
    applyMarginsAndMarkers();
}

void SyntaxStyles::applyWindowBackground()
{
    const QColor back = fromColorRef(m_colors[0]);
    if (m_lexer)
        m_lexer->setDefaultPaper(back);
    m_editor->SendScintilla(S::SCI_STYLESETBACK, S::STYLE_DEFAULT, back);
}

void SyntaxStyles::applyMarginsAndMarkers()
{
    QFont font = m_font;
    font.setBold(m_styles[ElLineNumber] & 1);
    font.setItalic(m_styles[ElLineNumber] & 2);
    m_editor->setMarginsFont(font);
    m_editor->setMarginsForegroundColor(fromColorRef(m_colors[26]));
    m_editor->setMarginsBackgroundColor(fromColorRef(m_colors[27]));
    m_editor->setMarginBackgroundColor(1, fromColorRef(m_colors[1]));
    m_editor->setMarkerForegroundColor(fromColorRef(m_colors[2]), m_bookmarkMarker);
    m_editor->setMarkerBackgroundColor(fromColorRef(m_colors[3]), m_bookmarkMarker);
    m_lineNumberDigits = 0;
    updateLineNumberWidth();
}

void SyntaxStyles::updateLineNumberWidth()
{
    if (!m_lineNumbering) {
        m_editor->setMarginWidth(0, 0);
        return;
    }
    const int digits = int(QString::number(int(m_editor->SendScintilla(S::SCI_GETLINECOUNT))).size());
    if (digits == m_lineNumberDigits)
        return;
    m_lineNumberDigits = digits;
    m_editor->setMarginWidth(0, QString(qMax(digits, 2) + 1, QLatin1Char('9')));
}

void SyntaxStyles::setColor(int slot, int colorRef)
{
    if (slot < 0 || slot > 30)
        return;
    m_colors[slot] = colorRef;
    if (slot == 0)
        applyWindowBackground();
    else if (slot >= 4 && slot <= 27)
        applyElement((slot - 4) / 2);
    else if (slot <= 3)
        applyMarginsAndMarkers();
    // 28 and 29 (divider lines) and 30 (highlighted line) have no counterpart here.
}

int SyntaxStyles::color(int slot) const
{
    return (slot >= 0 && slot <= 30) ? m_colors[slot] : 0;
}

void SyntaxStyles::setFontStyle(int slot, int style)
{
    if (slot < 0 || slot > 12)
        return;
    m_styles[slot] = style & 3;
    if (slot <= ElLineNumber)
        applyElement(slot);
}

int SyntaxStyles::fontStyle(int slot) const
{
    return (slot >= 0 && slot <= 12) ? m_styles[slot] : 0;
}

void SyntaxStyles::setFont(const QFont& font)
{
    m_font = font;
    if (m_lexer)
        m_lexer->setDefaultFont(elementFont(ElText));
    for (int e = 0; e <= ElLineNumber; ++e)
        applyElement(e);
}

void SyntaxStyles::setLineNumbering(bool on)
{
    m_lineNumbering = on;
    m_lineNumberDigits = 0;
    updateLineNumberWidth();
}

