#pragma once
// The syntax-colouring edit control of every document window, of the options
// sample and of the Tidy dialog. Raw SendScintilla calls stay inside this class
// and the parts it is made of (SyntaxStyles, TextUnits, LineBookmarks, CodeMaxCommands).
#include <Qsci/qsciscintilla.h>
#include <QKeySequence>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

#include "document/FileText.h"
#include "document/FindReplace.h"
#include "document/LineBookmarks.h"
#include "document/SyntaxStyles.h"
#include "document/TextUnits.h"

class QPrinter;

// A selection as line/column pairs counted from 0 (columns in characters).
struct CodeMaxRange {
    int startLine = 0;
    int startCol = 0;
    int endLine = 0;
    int endCol = 0;
    bool operator==(const CodeMaxRange&) const = default;
};

// Numbered commands of ExecuteCmd.
namespace CmCmd {
enum : int {
    WordRight = 103,
    UpperCaseSelection = 125,
    Undo = 129,
    SelectAll = 137,
    Redo = 139,
    Paste = 140,
    LineUp = 149,
    LineDelete = 160,
    LineCut = 161,
    GotoLine = 168,
    FindReplace = 169,
    ReplaceAll = 171,
    FindNext = 176,
    Find = 178,
    SetFindText = 179,
    SetReplaceText = 180,
    LowerCaseSelection = 147,
    RepeatCount = 187,
    Delete = 195,
    Cut = 197,
    Copy = 198,
    CharRight = 201,
    CharLeft = 203,
    BookmarkToggle = 204,
    BookmarkPrev = 205,
    BookmarkNext = 206,
    BookmarkClearAll = 207,
};
}

class CodeMax1 : public QsciScintilla {
    Q_OBJECT
public:
    explicit CodeMax1(QWidget* parent = nullptr);
    ~CodeMax1() override;

    // --- text ---
    QString Text() const;                 // whole text, NUL characters included
    void SetText(const QString& text);    // replaces everything; clears undo; Modified false
    // The text as the control holds it, UTF-8, in one copy.
    QByteArray Utf8Text() const;
    // The same bytes in place, without a copy: valid only until the text next changes.
    QByteArray Utf8View() const;
    // A piece of it without a copy, valid until the next change; and its whole length in bytes.
    QByteArrayView Utf8Range(qint64 from, qint64 length) const;
    qint64 Utf8Length() const;
    // Replaces the whole text with UTF-8 bytes as one undo step; the caret goes to the start.
    // With bookmarksAfter, those lines are bookmarked after it, and Undo and Redo
    // bring back the bookmarks of either side.
    void ReplaceAllUtf8(const QByteArray& bytes, const std::optional<QVector<int>>& bookmarksAfter = std::nullopt);
    // Like SetText, from UTF-8 bytes. False when CancelLoad stopped it (the text is then empty).
    bool SetUtf8Text(const QByteArray& bytes);
    // A new text in pieces, with no undo history: Begin, Append for each piece, End.
    void BeginUtf8Text(qsizetype reserve);
    void AppendUtf8(const char* data, qsizetype size);
    void EndUtf8Text();
    // Stops a running OpenFile or SetUtf8Text of a very large text at its next piece.
    void CancelLoad();
    QString SelText() const;
    void SetSelText(const QString& text); // replaces the selection or inserts at the caret (one undo step); line breaks as given
    int SelLength() const;                // in characters
    int TextLength() const;               // in characters; cheap (no copy of the text)
    int LineCount() const;

    bool Modified() const;
    void SetModified(bool modified);

    // "HTML", "Java", "C/C++", "XML"
    QString Language() const;
    void SetLanguage(const QString& language);
    bool ColorSyntax() const;
    void SetColorSyntax(bool on);         // false: plain text, no lexer

    bool LineNumbering() const;
    void SetLineNumbering(bool on);
    bool DisplayLeftMargin() const;
    void SetDisplayLeftMargin(bool on);
    bool DisplayWhitespace() const;
    void SetDisplayWhitespace(bool on);
    // View > Fold margin and Word wrap.
    bool FoldMargin() const { return m_fold; }
    void SetFoldMargin(bool on);
    bool WordWrap() const;
    void SetWordWrap(bool on);

    QFont Font() const;
    void SetFont(const QFont& font);      // face, size, bold, italic for every style

    bool CanUndo() const;
    bool CanRedo() const;
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;

    // --- files: bytes are never lost; see FileText ---
    // On failure returns false, sets *error to a sentence naming the reason, and leaves the text as it was.
    // With an encoding the document had (a restored session), the file is read as LoadAgain reads it.
    bool OpenFile(const QString& path, QString* error = nullptr, std::optional<TextEncoding> had = std::nullopt);
    // Writes through a temporary file and rename; keeps encoding, BOM, line endings, symlinks
    // and permissions. Clears Modified on success; on failure leaves everything as it was.
    // Replaces the text with the file's as one Undo step; Modified false after. With an
    // encoding, the file is read in it and the document takes it; bytes that are not text
    // in it fail the reload. Without, a chosen Windows-1252 or ISO-8859-15 stays (LoadAgain).
    bool ReloadFile(const QString& path, QString* error = nullptr, std::optional<TextEncoding> encoding = std::nullopt);
    bool SaveFile(const QString& path, bool unused = false, QString* error = nullptr);
    const FileFormat& Format() const { return m_format; }
    void SetFormat(const FileFormat& format);
    // "\r\n" or "\n": the convention new line breaks take in this document.
    QString LineBreak() const;
    // Every line break to "\n" or "\r\n" as one Undo step; new ones follow.
    void ConvertLineBreaks(const QString& lineBreak);

    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    // Prints the whole text; returns false when the printer could not be started.
    bool PrintContents(QPrinter* printer);

    // --- selection ---
    CodeMaxRange GetSel(bool normalised) const;
    void SetSel(const CodeMaxRange& range, bool scrollToCaret = true);

    // --- colour and style slots (31 colour slots, 13 style slots) ---
    void SetColor(int slot, int colorRef);   // colorRef = red + 256*green + 65536*blue
    int GetColor(int slot) const;
    void SetFontStyle(int slot, int style);  // bit 0 bold, bit 1 italic
    int GetFontStyle(int slot) const;

    // --- lines ---
    QString GetLine(int line) const;         // without its line break
    int GetLineLength(int line) const;       // in characters, without the line break
    void DeleteLine(int line);
    void SetCaretPos(int line, int col);

    // --- key bindings of numbered commands ---
    int GetHotKeyCount(int cmd) const;
    QKeySequence GetHotKey(int cmd, int index) const;
    void RemoveHotKey(int cmd, int index);

    void SetFocus();
    // Runs a numbered command. Returns false for an unknown number.
    bool ExecuteCmd(int cmd, const QVariant& data = QVariant());

    // Text and replace text last used by the find and replace commands.
    QString FindText() const { return m_find.findText; }
    QString ReplaceText() const { return m_find.replaceText; }
    // The find state itself, options included, as the dialogs leave it.
    FindReplace& Find() { return m_find; }
    // The line numbers carrying a bookmark, ascending.
    QVector<int> Bookmarks() const;

    // Closing tags as you type, in an HTML document: typing the ">" of a start tag
    // named in tagNames adds its end tag after the caret, typing "</" the name of
    // the innermost open element. Off, typing looks at nothing.
    void SetCloseTags(bool on, const QStringList& tagNames = QStringList());
    bool CloseTags() const { return m_closeTags; }

signals:
    void Change();                            // text changed
    void SelChange();                         // selection or caret moved
    void RightClick(const QPoint& globalPos);
    // keyCode: the classic virtual-key code (93 menu key, 191 "/", 32 space);
    // shift: bit 0 Shift, bit 1 Ctrl, bit 2 Alt. Set *handled to stop the key.
    void KeyDown(int keyCode, int shift, bool* handled);
    // Files dropped on the text: they are for the main window to open, not text to insert.
    void FilesDropped(const QStringList& paths);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The numbered commands work on the caret, find and repeat state below.
    friend class CodeMaxCommands;

    void onModified(int position, int type, const char* text, int length);
    void closeTag(int typed);
    void notifySelChange();
    void flushChange();

    bool m_leftMargin = false;
    bool m_fold = false;
    void applyFoldProperties();
    FileFormat m_format;
    FindReplace m_find;
    int m_repeatPending = 0;
    bool m_closeTags = false;
    QSet<QString> m_closableTags;
    bool m_changePending = false;
    bool m_forceModified = false;
    bool m_cancelLoad = false;
    bool m_loadReadOnly = false;
    long m_lastAnchor = -1;
    long m_lastCaret = -1;
    // Column the caret stands at past the end of a shorter line after a line-up,
    // valid while the caret is still at m_virtualPos.
    int m_virtualCol = -1;
    long m_virtualPos = -1;
    // Text positions: Scintilla counts UTF-8 bytes, this class counts characters
    // (UTF-16 units, as QString does).
    TextUnits m_units{*this};
    LineBookmarks m_bookmarks{*this};
    SyntaxStyles m_syntax{this, LineBookmarks::Marker};
};
