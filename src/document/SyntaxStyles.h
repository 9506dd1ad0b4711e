// Colours, fonts and margins of the edit control: each language's lexer and the colour slot of each lexer style.
#pragma once
#include <QFont>
#include <QPair>
#include <QString>
#include <QVector>

class QsciLexer;
class QsciScintilla;

// 31 colour slots (colorRef = red + 256*green + 65536*blue) and 13 style slots
// (bit 0 bold, bit 1 italic), as the options store them.
class SyntaxStyles {
public:
    SyntaxStyles(QsciScintilla* editor, int bookmarkMarker);

    QString language() const { return m_language; }
    void setLanguage(const QString& language);
    bool colorSyntax() const { return m_colorSyntax; }
    void setColorSyntax(bool on);
    QFont font() const { return m_font; }
    void setFont(const QFont& font);
    int color(int slot) const;
    void setColor(int slot, int colorRef);
    int fontStyle(int slot) const;
    void setFontStyle(int slot, int style);
    bool lineNumbering() const { return m_lineNumbering; }
    void setLineNumbering(bool on);

    // Builds the lexer of the language (none without colouring) and pushes every slot to the control.
    void applyLexer();
    // The line-number margin grows with the number of lines; call after a change of the text.
    void updateLineNumberWidth();
    // Takes the lexer off the control and deletes it, before the control goes.
    void dropLexer();

private:
    QFont elementFont(int element) const;
    void applyElement(int element);
    void applyWindowBackground();
    void applyMarginsAndMarkers();

    QsciScintilla* m_editor;
    int m_bookmarkMarker;
    QString m_language = QStringLiteral("HTML");
    bool m_colorSyntax = true;
    bool m_lineNumbering = false;
    QFont m_font;
    QsciLexer* m_lexer = nullptr;
    int m_colors[31] = {};
    int m_styles[13] = {};
    int m_lineNumberDigits = 0;
    // (lexer style, element) pairs of the current lexer; element = (text-colour slot - 4) / 2
    QVector<QPair<int, int>> m_lexerStyles;
};
