#include "document/CodeMax1.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#include "base/Prompter.h"
#include "document/DiskFile.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qscilexerxml.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>

#include <unistd.h>

namespace {

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

// UTF-16 units in a stretch of valid UTF-8.
int countUnits(const char* p, long n)
{
    int units = 0;
    for (long i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        if ((b & 0xC0) != 0x80)
            units += b >= 0xF0 ? 2 : 1;
    }
    return units;
}

int sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Classic virtual-key codes for the keys the program reacts to.
int virtualKey(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Space: return 32;
    case Qt::Key_Menu: return 93;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    default: return key & 0xFFFF;
    }
}

bool isKnownCommand(int cmd)
{
    switch (cmd) {
    case CmCmd::WordRight: case CmCmd::UpperCaseSelection: case CmCmd::Undo: case CmCmd::SelectAll:
    case CmCmd::Redo: case CmCmd::Paste: case CmCmd::LineUp: case CmCmd::LineDelete:
    case CmCmd::LineCut: case CmCmd::GotoLine: case CmCmd::FindReplace: case CmCmd::ReplaceAll:
    case CmCmd::FindNext: case CmCmd::Find: case CmCmd::SetFindText: case CmCmd::SetReplaceText:
    case CmCmd::LowerCaseSelection: case CmCmd::RepeatCount: case CmCmd::Delete: case CmCmd::Cut:
    case CmCmd::Copy: case CmCmd::CharRight: case CmCmd::CharLeft: case CmCmd::BookmarkToggle:
    case CmCmd::BookmarkPrev: case CmCmd::BookmarkNext: case CmCmd::BookmarkClearAll:
        return true;
    default:
        return false;
    }
}

// Commands a repeat count applies to; the others (dialogs, prompts) run once.
bool isRepeatable(int cmd)
{
    switch (cmd) {
    case CmCmd::WordRight: case CmCmd::UpperCaseSelection: case CmCmd::LowerCaseSelection:
    case CmCmd::Undo: case CmCmd::Redo: case CmCmd::Paste: case CmCmd::LineUp:
    case CmCmd::LineDelete: case CmCmd::LineCut: case CmCmd::FindNext: case CmCmd::Delete:
    case CmCmd::CharRight: case CmCmd::CharLeft: case CmCmd::BookmarkToggle:
    case CmCmd::BookmarkPrev: case CmCmd::BookmarkNext:
        return true;
    default:
        return false;
    }
}

// Keys a repeat count applies to when typed: text and plain editing or moving keys.
bool isRepeatableKey(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint())
        return true;
    switch (e->key()) {
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Tab: case Qt::Key_Backspace:
    case Qt::Key_Delete: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

} // namespace

CodeMax1::CodeMax1(QWidget* parent)
    : QsciScintilla(parent)
{
    setObjectName(QStringLiteral("CodeMax1"));
    setUtf8(true);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    m_font = QFont(QStringLiteral("Courier"), 10);

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

    setMarginType(0, NumberMargin);
    setMarginWidth(0, 0);
    setMarginType(1, SymbolMarginColor);
    setMarginWidth(1, 0);
    setMarginSensitivity(1, true);
    setMarginWidth(2, 0);
    markerDefine(QsciScintilla::Bookmark, m_bookmarkMarker);
    setMarginMarkerMask(1, 1 << m_bookmarkMarker);

    // Ctrl+A is redo in this editor (select all stays a numbered command), so that
    // once the document window removes the redo bindings, Ctrl+A reaches the menu.
    if (QsciCommand* selectAll = command(CmCmd::SelectAll)) {
        const int ctrlA = (Qt::CTRL | Qt::Key_A).toCombined();
        if (selectAll->key() == ctrlA)
            selectAll->setKey(0);
        if (selectAll->alternateKey() == ctrlA)
            selectAll->setAlternateKey(0);
    }
    if (QsciCommand* redo = command(CmCmd::Redo)) {
        if (redo->key() == 0)
            redo->setKey((Qt::CTRL | Qt::Key_A).toCombined());
        else
            redo->setAlternateKey((Qt::CTRL | Qt::Key_A).toCombined());
    }

    // Only the notifications this class needs: QScintilla turns every insert and
    // delete notification into a character offset counted from the start of the
    // text, which costs tens of milliseconds per keystroke in a large document.
    // (This also silences QScintilla's textChanged; Change() replaces it.)
    SendScintilla(SCI_SETMODEVENTMASK, long(SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE | SC_MOD_CONTAINER));
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length, int linesAdded, int, int, int, int token, int) {
                if (type & SC_MOD_CONTAINER)
                    onBookmarkStep(type, token);
                else
                    onModified(position, type, text, length, linesAdded);
            });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { notifySelChange(); });
    connect(this, &QsciScintilla::cursorPositionChanged, this, [this](int, int) { notifySelChange(); });
    connect(this, &QsciScintilla::selectionChanged, this, [this] { notifySelChange(); });
    connect(this, &QsciScintilla::marginClicked, this, [this](int margin, int line, Qt::KeyboardModifiers) {
        if (margin != 1)
            return;
        if (markersAtLine(line) & (1 << m_bookmarkMarker))
            markerDelete(line, m_bookmarkMarker);
        else
            markerAdd(line, m_bookmarkMarker);
    });

    SetFormat(m_format);
    applyLexer();
}

CodeMax1::~CodeMax1()
{
    setLexer(nullptr);
    delete m_lexer;
}

// ---------------------------------------------------------------- text

QString CodeMax1::Text() const
{
    const long length = SendScintilla(SCI_GETLENGTH);
    const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETCHARACTERPOINTER));
    // fromUtf8 would swallow a U+FEFF at the very start; it is text here.
    if (length >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        return QChar(0xFEFF) + QString::fromUtf8(data + 3, length - 3);
    return QString::fromUtf8(data, length);
}

void CodeMax1::SetText(const QString& text)
{
    SetUtf8Text(text.toUtf8());
}

bool CodeMax1::SetUtf8Text(const QByteArray& bytes)
{
    m_cancelLoad = false;
    QPointer<CodeMax1> self(this);
    const bool readOnly = isReadOnly();
    SendScintilla(SCI_SETREADONLY, 0);
    // A new text has no history: no undo copy of it, and room for it in one allocation.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(bytes.size() + 4096));
    // A very large text goes in by pieces, with the window repainted in between,
    // so the program never looks hung. Input waits until the text is complete.
    constexpr qsizetype piece = 24 * 1024 * 1024;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        const qsizetype n = std::min(piece, bytes.size() - at);
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(n), bytes.constData() + at);
        if (at + n < bytes.size()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (!self)
                return false;
            if (m_cancelLoad) {
                // Half a text is no text: the window is left empty.
                SendScintilla(SCI_CLEARALL);
                break;
            }
        }
    }
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_SETREADONLY, readOnly ? 1 : 0);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
    SendScintilla(SCI_GOTOPOS, 0);
    m_forceModified = false;
    notifySelChange();
    return !m_cancelLoad;
}

void CodeMax1::CancelLoad()
{
    m_cancelLoad = true;
}

QByteArrayView CodeMax1::Utf8Range(qint64 from, qint64 length) const
{
    // Only the gap near this range moves, not the whole text.
    const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETRANGEPOINTER, long(from), long(length)));
    return QByteArrayView(data, length);
}

qint64 CodeMax1::Utf8Length() const
{
    return SendScintilla(SCI_GETLENGTH);
}

QByteArray CodeMax1::Utf8Text() const
{
    const long length = SendScintilla(SCI_GETLENGTH);
    const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETCHARACTERPOINTER));
    return QByteArray(data, length);
}

void CodeMax1::ReplaceAllUtf8(const QByteArray& bytes, const std::optional<QVector<int>>& bookmarksAfter)
{
    // Replacing the whole text takes the bookmarks with it. Marks in the undo
    // step, one before the text and one after, put them back: undo meets the
    // first last, once the old text is back; redo meets the second last.
    const int token = m_nextBookmarkToken;
    if (bookmarksAfter) {
        m_nextBookmarkToken += 2;
        m_bookmarkSteps.insert(token, Bookmarks());
        m_bookmarkSteps.insert(token + 1, *bookmarksAfter);
    }
    SendScintilla(SCI_BEGINUNDOACTION);
    if (bookmarksAfter)
        SendScintilla(SCI_ADDUNDOACTION, long(token), 0L);
    SendScintilla(SCI_SETTARGETRANGE, 0L, SendScintilla(SCI_GETLENGTH));
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    if (bookmarksAfter)
        SendScintilla(SCI_ADDUNDOACTION, long(token + 1), 0L);
    SendScintilla(SCI_ENDUNDOACTION);
    if (bookmarksAfter)
        setBookmarks(*bookmarksAfter);
    SendScintilla(SCI_GOTOPOS, 0L);
    notifySelChange();
}

void CodeMax1::setBookmarks(const QVector<int>& lines)
{
    markerDeleteAll(m_bookmarkMarker);
    for (int line : lines)
        markerAdd(line, m_bookmarkMarker);
}

void CodeMax1::onBookmarkStep(int type, int token)
{
    // The first mark of a step, undone, or the second, redone: the text of that side is back.
    const bool before = token % 2 == 0;
    const bool undone = (type & SC_PERFORMED_UNDO) != 0;
    const bool redone = (type & SC_PERFORMED_REDO) != 0;
    if (!(undone && before) && !(redone && !before))
        return;
    auto it = m_bookmarkSteps.constFind(token);
    if (it == m_bookmarkSteps.constEnd())
        return;
    m_pendingBookmarks = *it;
    // Not inside Scintilla's own undo: the text is complete once it returns.
    QMetaObject::invokeMethod(this, [this] { applyPendingBookmarks(); }, Qt::QueuedConnection);
}

void CodeMax1::applyPendingBookmarks()
{
    if (!m_pendingBookmarks)
        return;
    setBookmarks(*m_pendingBookmarks);
    m_pendingBookmarks.reset();
}

QString CodeMax1::SelText() const
{
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETRANGEPOINTER, start, end - start));
    return QString::fromUtf8(data, end - start);
}

void CodeMax1::SetSelText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    // Replace through the target: SCI_REPLACESEL would stop at a NUL character.
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_SETTARGETRANGE, start, end);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    // The new text stays selected; the insertion primitive's first move right leaves it at its end.
    SendScintilla(SCI_SETSEL, start, start + long(bytes.size()));
    SendScintilla(SCI_ENDUNDOACTION);
    SendScintilla(SCI_CHOOSECARETX);
    SendScintilla(SCI_SCROLLCARET);
    notifySelChange();
}

int CodeMax1::SelLength() const
{
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    if (start == 0 && end == SendScintilla(SCI_GETLENGTH))
        return TextLength();
    return unitsBetween(start, end);
}

int CodeMax1::TextLength() const
{
    settleCount();
    return m_charCount;
}

int CodeMax1::LineCount() const
{
    return int(SendScintilla(SCI_GETLINECOUNT));
}

bool CodeMax1::Modified() const
{
    return m_forceModified || SendScintilla(SCI_GETMODIFY) != 0;
}

void CodeMax1::SetModified(bool modified)
{
    m_forceModified = modified;
    if (!modified)
        SendScintilla(SCI_SETSAVEPOINT);
}

void CodeMax1::onModified(int position, int type, const char* text, int length, int)
{
    // The character count follows every insertion and deletion (typing, undo, redo)
    // without ever copying the whole text. Notifications come before the change;
    // an insertion is counted once its text is in the buffer.
    settleCount();
    if (type & SC_MOD_BEFOREINSERT) {
        if (text) {
            m_charCount += countUnits(text, length);
        } else {
            m_pendingInsertPos = position;
            m_pendingInsertLength = length;
        }
    } else if (type & SC_MOD_BEFOREDELETE) {
        m_charCount -= unitsBetween(position, position + length);
    }
    if (!m_changePending) {
        m_changePending = true;
        // Changes made by Scintilla itself (drag and drop, middle-click paste)
        // are announced from the event loop; the rest announce at once.
        QMetaObject::invokeMethod(this, &CodeMax1::flushChange, Qt::QueuedConnection);
    }
}

void CodeMax1::settleCount() const
{
    if (m_pendingInsertPos < 0)
        return;
    m_charCount += unitsBetween(m_pendingInsertPos, m_pendingInsertPos + m_pendingInsertLength);
    m_pendingInsertPos = -1;
}

void CodeMax1::flushChange()
{
    if (!m_changePending)
        return;
    m_changePending = false;
    settleCount();
    updateLineNumberWidth();
    emit Change();
}

void CodeMax1::notifySelChange()
{
    flushChange();
    const long anchor = SendScintilla(SCI_GETANCHOR);
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    if (anchor == m_lastAnchor && caret == m_lastCaret)
        return;
    m_lastAnchor = anchor;
    m_lastCaret = caret;
    emit SelChange();
}

// ---------------------------------------------------------------- positions

int CodeMax1::unitsBetween(long from, long to) const
{
    if (to <= from)
        return 0;
    const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETRANGEPOINTER, from, to - from));
    return countUnits(data, to - from);
}

long CodeMax1::positionAt(int line, int col) const
{
    const int lines = LineCount();
    if (line < 0)
        return 0;
    if (line >= lines)
        return SendScintilla(SCI_GETLENGTH);
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, line);
    const auto* data = reinterpret_cast<const unsigned char*>(SendScintilla(SCI_GETRANGEPOINTER, start, end - start));
    long i = 0;
    int units = 0;
    while (i < end - start && units < col) {
        const int len = sequenceLength(data[i]);
        units += len == 4 ? 2 : 1;
        i += len;
    }
    return start + qMin(i, end - start);
}

void CodeMax1::lineColAt(long pos, int* line, int* col) const
{
    const int l = int(SendScintilla(SCI_LINEFROMPOSITION, pos));
    *line = l;
    *col = unitsBetween(SendScintilla(SCI_POSITIONFROMLINE, l), pos);
}

CodeMaxRange CodeMax1::GetSel(bool normalised) const
{
    long start = SendScintilla(SCI_GETANCHOR);
    long end = SendScintilla(SCI_GETCURRENTPOS);
    if (normalised && end < start)
        std::swap(start, end);
    CodeMaxRange range;
    lineColAt(start, &range.startLine, &range.startCol);
    lineColAt(end, &range.endLine, &range.endCol);
    return range;
}

void CodeMax1::SetSel(const CodeMaxRange& range, bool scrollToCaret)
{
    const long anchor = positionAt(range.startLine, range.startCol);
    const long caret = positionAt(range.endLine, range.endCol);
    SendScintilla(SCI_SETSEL, anchor, caret);
    SendScintilla(SCI_CHOOSECARETX);
    if (scrollToCaret)
        SendScintilla(SCI_SCROLLCARET);
    notifySelChange();
}

QString CodeMax1::GetLine(int line) const
{
    if (line < 0 || line >= LineCount())
        return QString();
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, line);
    const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETRANGEPOINTER, start, end - start));
    return QString::fromUtf8(data, end - start);
}

int CodeMax1::GetLineLength(int line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    return unitsBetween(SendScintilla(SCI_POSITIONFROMLINE, line), SendScintilla(SCI_GETLINEENDPOSITION, line));
}

void CodeMax1::DeleteLine(int line)
{
    if (line < 0 || line >= LineCount())
        return;
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = SendScintilla(SCI_POSITIONFROMLINE, line + 1);
    SendScintilla(SCI_DELETERANGE, start, end - start);
    notifySelChange();
}

void CodeMax1::SetCaretPos(int line, int col)
{
    SendScintilla(SCI_SETEMPTYSELECTION, positionAt(line, col));
    SendScintilla(SCI_CHOOSECARETX);
    SendScintilla(SCI_SCROLLCARET);
    notifySelChange();
}

// ---------------------------------------------------------------- language and look

QString CodeMax1::Language() const
{
    return m_language;
}

void CodeMax1::SetLanguage(const QString& language)
{
    if (language == m_language)
        return;
    m_language = language;
    applyLexer();
}

bool CodeMax1::ColorSyntax() const
{
    return m_colorSyntax;
}

void CodeMax1::SetColorSyntax(bool on)
{
    if (on == m_colorSyntax)
        return;
    m_colorSyntax = on;
    applyLexer();
}

void CodeMax1::applyLexer()
{
    QsciLexer* lexer = nullptr;
    m_lexerStyles.clear();
    if (m_colorSyntax) {
        int (*element)(int) = htmlElement;
        if (m_language.compare(QLatin1String("HTML"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerHTML(this);
        } else if (m_language.compare(QLatin1String("XML"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerXML(this);
        } else if (m_language.compare(QLatin1String("Java"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerJava(this);
            element = cppElement;
        } else if (m_language.compare(QLatin1String("C/C++"), Qt::CaseInsensitive) == 0) {
            lexer = new QsciLexerCPP(this);
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
    setLexer(lexer);
    delete old;
    // Setting a lexer resets the default style; take back ours.
    applyElement(ElText);
    applyWindowBackground();
    applyMarginsAndMarkers();
}

QFont CodeMax1::elementFont(int element) const
{
    QFont font = m_font;
    const int style = (element >= 0 && element < 13) ? m_styles[element] : 0;
    font.setBold(m_font.bold() || (style & 1));
    font.setItalic(m_font.italic() || (style & 2));
    return font;
}

void CodeMax1::applyElement(int element)
{
    if (element == ElLineNumber) {
        applyMarginsAndMarkers();
        return;
    }
    const QColor fore = fromColorRef(m_colors[4 + 2 * element]);
    const QColor back = fromColorRef(m_colors[5 + 2 * element]);
    const QFont font = elementFont(element);
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
    SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, family.constData());
    SendScintilla(SCI_STYLESETSIZEFRACTIONAL, STYLE_DEFAULT, long(font.pointSizeF() * int(SC_FONT_SIZE_MULTIPLIER)));
    SendScintilla(SCI_STYLESETBOLD, STYLE_DEFAULT, font.bold() ? 1 : 0);
    SendScintilla(SCI_STYLESETITALIC, STYLE_DEFAULT, font.italic() ? 1 : 0);
    SendScintilla(SCI_STYLESETFORE, STYLE_DEFAULT, fore);
    SendScintilla(SCI_STYLESETBACK, STYLE_DEFAULT, fromColorRef(m_colors[0]));
    SendScintilla(SCI_STYLECLEARALL);
    SendScintilla(SCI_STYLESETBACK, 0, back);
    applyMarginsAndMarkers();
}

void CodeMax1::applyWindowBackground()
{
    const QColor back = fromColorRef(m_colors[0]);
    if (m_lexer)
        m_lexer->setDefaultPaper(back);
    SendScintilla(SCI_STYLESETBACK, STYLE_DEFAULT, back);
}

void CodeMax1::applyMarginsAndMarkers()
{
    QFont font = m_font;
    font.setBold(m_styles[ElLineNumber] & 1);
    font.setItalic(m_styles[ElLineNumber] & 2);
    setMarginsFont(font);
    setMarginsForegroundColor(fromColorRef(m_colors[26]));
    setMarginsBackgroundColor(fromColorRef(m_colors[27]));
    setMarginBackgroundColor(1, fromColorRef(m_colors[1]));
    setMarkerForegroundColor(fromColorRef(m_colors[2]), m_bookmarkMarker);
    setMarkerBackgroundColor(fromColorRef(m_colors[3]), m_bookmarkMarker);
    m_lineNumberDigits = 0;
    updateLineNumberWidth();
}

void CodeMax1::updateLineNumberWidth()
{
    if (!m_lineNumbering) {
        setMarginWidth(0, 0);
        return;
    }
    const int digits = int(QString::number(LineCount()).size());
    if (digits == m_lineNumberDigits)
        return;
    m_lineNumberDigits = digits;
    setMarginWidth(0, QString(qMax(digits, 2) + 1, QLatin1Char('9')));
}

void CodeMax1::SetColor(int slot, int colorRef)
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

int CodeMax1::GetColor(int slot) const
{
    return (slot >= 0 && slot <= 30) ? m_colors[slot] : 0;
}

void CodeMax1::SetFontStyle(int slot, int style)
{
    if (slot < 0 || slot > 12)
        return;
    m_styles[slot] = style & 3;
    if (slot <= ElLineNumber)
        applyElement(slot);
}

int CodeMax1::GetFontStyle(int slot) const
{
    return (slot >= 0 && slot <= 12) ? m_styles[slot] : 0;
}

QFont CodeMax1::Font() const
{
    return m_font;
}

void CodeMax1::SetFont(const QFont& font)
{
    m_font = font;
    if (m_lexer)
        m_lexer->setDefaultFont(elementFont(ElText));
    for (int e = 0; e <= ElLineNumber; ++e)
        applyElement(e);
}

bool CodeMax1::LineNumbering() const
{
    return m_lineNumbering;
}

void CodeMax1::SetLineNumbering(bool on)
{
    m_lineNumbering = on;
    m_lineNumberDigits = 0;
    updateLineNumberWidth();
}

bool CodeMax1::DisplayLeftMargin() const
{
    return m_leftMargin;
}

void CodeMax1::SetDisplayLeftMargin(bool on)
{
    m_leftMargin = on;
    setMarginWidth(1, on ? 16 : 0);
}

bool CodeMax1::DisplayWhitespace() const
{
    return whitespaceVisibility() != WsInvisible;
}

void CodeMax1::SetDisplayWhitespace(bool on)
{
    setWhitespaceVisibility(on ? WsVisible : WsInvisible);
}

// ---------------------------------------------------------------- clipboard and undo

bool CodeMax1::CanUndo() const
{
    return SendScintilla(SCI_CANUNDO) != 0;
}

bool CodeMax1::CanRedo() const
{
    return SendScintilla(SCI_CANREDO) != 0;
}

bool CodeMax1::CanCut() const
{
    return CanCopy() && !isReadOnly();
}

bool CodeMax1::CanCopy() const
{
    return SendScintilla(SCI_GETSELECTIONEND) != SendScintilla(SCI_GETSELECTIONSTART);
}

bool CodeMax1::CanPaste() const
{
    if (SendScintilla(SCI_CANPASTE) == 0)
        return false;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

void CodeMax1::Undo()
{
    if (CanUndo())
        undo();
    applyPendingBookmarks();
    notifySelChange();
}

void CodeMax1::Redo()
{
    if (CanRedo())
        redo();
    applyPendingBookmarks();
    notifySelChange();
}

void CodeMax1::Cut()
{
    if (CanCut())
        cut();
    notifySelChange();
}

void CodeMax1::Copy()
{
    if (CanCopy())
        copy();
}

void CodeMax1::Paste()
{
    if (CanPaste())
        paste();
    notifySelChange();
}

void CodeMax1::SetFocus()
{
    setFocus();
}

// ---------------------------------------------------------------- files

void CodeMax1::SetFormat(const FileFormat& format)
{
    m_format = format;
    int mode = SC_EOL_CRLF;
    if (format.lineBreak == QLatin1String("\n"))
        mode = SC_EOL_LF;
    else if (format.lineBreak == QLatin1String("\r"))
        mode = SC_EOL_CR;
    SendScintilla(SCI_SETEOLMODE, mode);
}

QString CodeMax1::LineBreak() const
{
    return m_format.lineBreak;
}

bool CodeMax1::OpenFile(const QString& path, QString* error)
{
    m_cancelLoad = false;
    QPointer<CodeMax1> self(this);
    // A large file is read by pieces, keeping the window painted.
    DiskFile::ReadResult read = DiskFile::Read(path, [&] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return self && !m_cancelLoad;
    });
    if (!self)
        return false;
    if (!read.ok) {
        if (error)
            *error = read.cancelled ? tr("Loading was cancelled.") : tr("Cannot open '%1': %2.").arg(path, read.error);
        return false;
    }
    FileFormat format;
    if (!SetUtf8Text(FileText::DecodeToUtf8(read.bytes, &format))) {
        if (error)
            *error = tr("Loading was cancelled.");
        return false;
    }
    SetFormat(format);
    return true;
}

bool CodeMax1::ReloadFile(const QString& path, QString* error)
{
    DiskFile::ReadResult read = DiskFile::Read(path);
    if (!read.ok) {
        if (error)
            *error = tr("Cannot open '%1': %2.").arg(path, read.error);
        return false;
    }
    FileFormat format;
    const QByteArray text = FileText::DecodeToUtf8(read.bytes, &format);
    const int line = int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
    const bool readOnly = isReadOnly();
    SendScintilla(SCI_SETREADONLY, 0);
    // One step for Undo, which brings back the text as it was here.
    ReplaceAllUtf8(text);
    SendScintilla(SCI_SETREADONLY, readOnly ? 1 : 0);
    SendScintilla(SCI_GOTOLINE, std::min<long>(line, SendScintilla(SCI_GETLINECOUNT) - 1));
    SetFormat(format);
    SetModified(false);
    notifySelChange();
    return true;
}

bool CodeMax1::SaveFile(const QString& path, bool, QString* error)
{
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    // Write where a symbolic link points, so the link stays a link.
    QString target = QFileInfo(path).absoluteFilePath();
    for (int depth = 0; depth < 40 && QFileInfo(target).isSymLink(); ++depth)
        target = QFileInfo(target).symLinkTarget();

    const QFileInfo info(target);
    if (info.isDir())
        return fail(tr("'%1' is a folder.").arg(path));
    const bool existed = info.exists();
    // A device or a pipe would be replaced by a regular file.
    if (const QString why = DiskFile::NotWritableReason(target); !why.isEmpty())
        return fail(tr("Cannot save '%1': %2.").arg(path, why));
    const QFileDevice::Permissions permissions = info.permissions();
    // Renaming over a read-only file would succeed; a user marking a file
    // read-only expects it to stay as it is.
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existed && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return fail(tr("Cannot save '%1': %2.").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (existed && !(permissions & anyWrite))
        return fail(tr("Cannot save '%1': %2.").arg(path, tr("Permission denied")));

    const QByteArray bytes = FileText::EncodeFromUtf8(Utf8Text(), m_format);
    QString reason;
    if (!DiskFile::WriteAtomically(target, bytes, &reason))
        return fail(tr("Cannot save '%1': %2.").arg(path, reason));
    if (existed) {
        QFile::setPermissions(target, permissions);
        // Best effort: keep the owner when an administrator saves someone's file.
        const QFileInfo written(target);
        if (written.ownerId() != info.ownerId() || written.groupId() != info.groupId()) {
            const QByteArray native = QFile::encodeName(target);
            [[maybe_unused]] const int rc = ::chown(native.constData(), info.ownerId(), info.groupId());
        }
    }
    SetModified(false);
    return true;
}

bool CodeMax1::PrintContents(QPrinter* printer)
{
    if (!printer)
        return false;
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRect page(0, 0, painter.device()->width(), painter.device()->height());
    SendScintilla(SCI_SETPRINTCOLOURMODE, SC_PRINT_COLOURONWHITE);
    const long length = SendScintilla(SCI_GETLENGTH);
    long pos = 0;
    bool ok = true;
    while (pos < length) {
        const long next = SendScintilla(SCI_FORMATRANGE, 1, &painter, page, pos, length);
        if (next <= pos)
            break;
        pos = next;
        if (pos < length && !printer->newPage()) {
            ok = false;
            break;
        }
    }
    return painter.end() && ok;
}

// ---------------------------------------------------------------- key bindings

QsciCommand* CodeMax1::command(int cmd) const
{
    QsciCommand::Command which;
    switch (cmd) {
    case CmCmd::WordRight: which = QsciCommand::WordRight; break;
    case CmCmd::UpperCaseSelection: which = QsciCommand::SelectionUpperCase; break;
    case CmCmd::LowerCaseSelection: which = QsciCommand::SelectionLowerCase; break;
    case CmCmd::Undo: which = QsciCommand::Undo; break;
    case CmCmd::Redo: which = QsciCommand::Redo; break;
    case CmCmd::SelectAll: which = QsciCommand::SelectAll; break;
    case CmCmd::Paste: which = QsciCommand::Paste; break;
    case CmCmd::LineUp: which = QsciCommand::LineUp; break;
    case CmCmd::LineDelete: which = QsciCommand::LineDelete; break;
    case CmCmd::LineCut: which = QsciCommand::LineCut; break;
    case CmCmd::Delete: which = QsciCommand::Delete; break;
    case CmCmd::Cut: which = QsciCommand::SelectionCut; break;
    case CmCmd::Copy: which = QsciCommand::SelectionCopy; break;
    case CmCmd::CharRight: which = QsciCommand::CharRight; break;
    case CmCmd::CharLeft: which = QsciCommand::CharLeft; break;
    default: return nullptr;
    }
    return const_cast<CodeMax1*>(this)->standardCommands()->find(which);
}

int CodeMax1::GetHotKeyCount(int cmd) const
{
    const QsciCommand* c = command(cmd);
    if (!c)
        return 0;
    return (c->key() != 0 ? 1 : 0) + (c->alternateKey() != 0 ? 1 : 0);
}

QKeySequence CodeMax1::GetHotKey(int cmd, int index) const
{
    const QsciCommand* c = command(cmd);
    if (!c)
        return QKeySequence();
    QList<int> keys;
    for (int key : {c->key(), c->alternateKey()})
        if (key != 0)
            keys.append(key);
    return (index >= 0 && index < keys.size()) ? QKeySequence(keys.at(index)) : QKeySequence();
}

void CodeMax1::RemoveHotKey(int cmd, int index)
{
    QsciCommand* c = command(cmd);
    if (!c)
        return;
    QList<int> keys;
    for (int key : {c->key(), c->alternateKey()})
        if (key != 0)
            keys.append(key);
    if (index < 0 || index >= keys.size())
        return;
    keys.removeAt(index);
    // Unbinding also stops the control claiming the key as a shortcut override.
    c->setAlternateKey(0);
    c->setKey(keys.value(0, 0));
}

// ---------------------------------------------------------------- events

void CodeMax1::keyPressEvent(QKeyEvent* event)
{
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shift |= 4;
    bool handled = false;
    emit KeyDown(virtualKey(event->key()), shift, &handled);
    if (handled) {
        event->accept();
        return;
    }
    if (m_repeatPending > 0 && !isModifierKey(event->key())) {
        const int times = m_repeatPending;
        m_repeatPending = 0;
        if (isRepeatableKey(event)) {
            SendScintilla(SCI_BEGINUNDOACTION);
            for (int i = 0; i < times; ++i)
                QsciScintilla::keyPressEvent(event);
            SendScintilla(SCI_ENDUNDOACTION);
            notifySelChange();
            return;
        }
    }
    QsciScintilla::keyPressEvent(event);
    notifySelChange();
}

namespace {
QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}
} // namespace

void CodeMax1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QsciScintilla::dragEnterEvent(event);
}

void CodeMax1::dragMoveEvent(QDragMoveEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QsciScintilla::dragMoveEvent(event);
}

void CodeMax1::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        QsciScintilla::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit FilesDropped(paths);
}

void CodeMax1::contextMenuEvent(QContextMenuEvent* event)
{
    emit RightClick(event->globalPos());
    event->accept();
}

void CodeMax1::inputMethodEvent(QInputMethodEvent* event)
{
    QsciScintilla::inputMethodEvent(event);
    notifySelChange();
}

// ---------------------------------------------------------------- numbered commands

bool CodeMax1::ExecuteCmd(int cmd, const QVariant& data)
{
    if (!isKnownCommand(cmd))
        return false;
    int times = 1;
    if (m_repeatPending > 0 && cmd != CmCmd::RepeatCount) {
        times = m_repeatPending;
        m_repeatPending = 0;
    }
    if (times > 1 && isRepeatable(cmd)) {
        // Undo and redo step through history; everything else is one undo step.
        const bool group = cmd != CmCmd::Undo && cmd != CmCmd::Redo;
        if (group)
            SendScintilla(SCI_BEGINUNDOACTION);
        for (int i = 0; i < times; ++i)
            runCommand(cmd, data);
        if (group)
            SendScintilla(SCI_ENDUNDOACTION);
    } else {
        runCommand(cmd, data);
    }
    notifySelChange();
    return true;
}

void CodeMax1::runCommand(int cmd, const QVariant& data)
{
    const int count = data.isValid() && data.canConvert<int>() ? data.toInt() : 1;
    switch (cmd) {
    case CmCmd::WordRight: SendScintilla(SCI_WORDRIGHT); break;
    case CmCmd::UpperCaseSelection: changeCase(true); break;
    case CmCmd::LowerCaseSelection: changeCase(false); break;
    case CmCmd::Undo: Undo(); break;
    case CmCmd::Redo: Redo(); break;
    case CmCmd::Paste: Paste(); break;
    case CmCmd::Cut: Cut(); break;
    case CmCmd::Copy: Copy(); break;
    case CmCmd::SelectAll:  // caret at the end, where a user continues
        SendScintilla(SCI_SETSEL, 0L, SendScintilla(SCI_GETLENGTH));
        break;
    case CmCmd::LineUp: lineUpKeepingColumn(); break;
    case CmCmd::LineDelete: SendScintilla(SCI_LINEDELETE); break;
    case CmCmd::LineCut: SendScintilla(SCI_LINECUT); break;
    case CmCmd::Delete: SendScintilla(SCI_CLEAR); break;
    case CmCmd::CharRight:
        for (int i = 0; i < count; ++i)
            charMove(true);
        break;
    case CmCmd::CharLeft:
        for (int i = 0; i < count; ++i)
            charMove(false);
        break;
    case CmCmd::GotoLine:
        if (!data.isValid() || data.toInt() < 0)
            gotoLinePrompt();
        else
            gotoLine(data.toInt());
        break;
    case CmCmd::FindReplace: showFindDialog(true); break;
    case CmCmd::Find: showFindDialog(false); break;
    case CmCmd::FindNext:
        if (m_findText.isEmpty())
            showFindDialog(false);
        else
            findNext(true);
        break;
    case CmCmd::ReplaceAll: replaceAll(); break;
    case CmCmd::SetFindText: m_findText = data.toString(); break;
    case CmCmd::SetReplaceText: m_replaceText = data.toString(); break;
    case CmCmd::RepeatCount: repeatCountPrompt(); break;
    case CmCmd::BookmarkToggle: {
        const int line = int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
        if (markersAtLine(line) & (1 << m_bookmarkMarker))
            markerDelete(line, m_bookmarkMarker);
        else
            markerAdd(line, m_bookmarkMarker);
        break;
    }
    case CmCmd::BookmarkPrev: moveBookmark(false); break;
    case CmCmd::BookmarkNext: moveBookmark(true); break;
    case CmCmd::BookmarkClearAll: markerDeleteAll(m_bookmarkMarker); break;
    default: break;
    }
}

// Scintilla's own case commands leave non-ASCII letters as they are.
void CodeMax1::changeCase(bool upper)
{
    const QString selected = SelText();
    if (selected.isEmpty())
        return;
    const QString changed = upper ? selected.toUpper() : selected.toLower();
    if (changed == selected)
        return;
    const long anchor = SendScintilla(SCI_GETANCHOR);
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    const long start = qMin(anchor, caret);
    SetSelText(changed);
    const long end = start + changed.toUtf8().size();
    if (anchor <= caret)
        SendScintilla(SCI_SETSEL, start, end);
    else
        SendScintilla(SCI_SETSEL, end, start);
}

void CodeMax1::gotoLine(int line)
{
    line = qBound(0, line, LineCount() - 1);
    SetCaretPos(line, 0);
    SendScintilla(SCI_ENSUREVISIBLEENFORCEPOLICY, line);
}

void CodeMax1::gotoLinePrompt()
{
    const int current = int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
    const auto answer = Prompter::Current().InputBox(this, tr("Line number:"), tr("Go To Line"),
                                                     QString::number(current + 1));
    if (!answer)
        return;
    bool ok = false;
    const int number = answer->trimmed().toInt(&ok);
    if (!ok)
        return;
    gotoLine(number - 1);
}

void CodeMax1::repeatCountPrompt()
{
    const auto answer = Prompter::Current().InputBox(this, tr("Repeat count:"), tr("Repeat"), QString());
    if (!answer)
        return;
    bool ok = false;
    const int count = answer->trimmed().toInt(&ok);
    if (ok && count > 0)
        m_repeatPending = count;
}

QVector<int> CodeMax1::Bookmarks() const
{
    QVector<int> lines;
    const long mask = 1L << m_bookmarkMarker;
    for (long line = SendScintilla(SCI_MARKERNEXT, 0L, mask); line >= 0;
         line = SendScintilla(SCI_MARKERNEXT, line + 1, mask))
        lines.append(int(line));
    return lines;
}

void CodeMax1::moveBookmark(bool forward)
{
    const long mask = 1L << m_bookmarkMarker;
    const long line = SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS));
    long target;
    if (forward) {
        target = SendScintilla(SCI_MARKERNEXT, line + 1, mask);
        if (target < 0)
            target = SendScintilla(SCI_MARKERNEXT, 0L, mask);
    } else {
        target = line > 0 ? SendScintilla(SCI_MARKERPREVIOUS, line - 1, mask) : -1;
        if (target < 0)
            target = SendScintilla(SCI_MARKERPREVIOUS, long(LineCount() - 1), mask);
    }
    if (target >= 0)
        gotoLine(int(target));
}

// ---------------------------------------------------------------- find and replace

bool CodeMax1::search(long from, long to, long* foundStart, long* foundEnd) const
{
    const QByteArray needle = m_findText.toUtf8();
    if (needle.isEmpty() || to <= from)
        return false;
    int flags = 0;
    if (m_findMatchCase)
        flags |= SCFIND_MATCHCASE;
    if (m_findWholeWord)
        flags |= SCFIND_WHOLEWORD;
    SendScintilla(SCI_SETSEARCHFLAGS, flags);
    SendScintilla(SCI_SETTARGETRANGE, from, to);
    if (SendScintilla(SCI_SEARCHINTARGET, static_cast<unsigned long>(needle.size()), needle.constData()) < 0)
        return false;
    *foundStart = SendScintilla(SCI_GETTARGETSTART);
    *foundEnd = SendScintilla(SCI_GETTARGETEND);
    return true;
}

void CodeMax1::findNext(bool showMessage)
{
    const long length = SendScintilla(SCI_GETLENGTH);
    const long from = SendScintilla(SCI_GETSELECTIONEND);
    long start = 0, end = 0;
    // From the caret to the end, then round from the top.
    if (!search(from, length, &start, &end) && !search(0, length, &start, &end)) {
        if (showMessage)
            Prompter::Current().MsgBox(this, tr("Cannot find \"%1\".").arg(m_findText), MsgButtons::OKOnly,
                                       MsgIcon::Information, QStringLiteral("QRN"));
        return;
    }
    SendScintilla(SCI_SETSEL, start, end);
    SendScintilla(SCI_CHOOSECARETX);
    SendScintilla(SCI_SCROLLRANGE, start, end);
    notifySelChange();
}

int CodeMax1::replaceAll()
{
    if (m_findText.isEmpty() || isReadOnly())
        return 0;
    const QByteArray replacement = m_replaceText.toUtf8();
    int count = 0;
    long pos = 0;
    long start = 0, end = 0;
    SendScintilla(SCI_BEGINUNDOACTION);
    while (search(pos, SendScintilla(SCI_GETLENGTH), &start, &end)) {
        SendScintilla(SCI_SETTARGETRANGE, start, end);
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(replacement.size()), replacement.constData());
        pos = SendScintilla(SCI_GETTARGETEND);
        ++count;
    }
    SendScintilla(SCI_ENDUNDOACTION);
    return count;
}

void CodeMax1::showFindDialog(bool replace)
{
    QDialog dialog(this);
    dialog.setObjectName(replace ? QStringLiteral("dlgReplace") : QStringLiteral("dlgFind"));
    dialog.setWindowTitle(replace ? tr("Replace") : tr("Find"));

    auto* findEdit = new QLineEdit(&dialog);
    findEdit->setObjectName(QStringLiteral("txtFind"));
    auto* replaceEdit = new QLineEdit(&dialog);
    replaceEdit->setObjectName(QStringLiteral("txtReplace"));
    auto* matchCase = new QCheckBox(tr("Match case"), &dialog);
    matchCase->setObjectName(QStringLiteral("chkMatchCase"));
    auto* wholeWord = new QCheckBox(tr("Whole word"), &dialog);
    wholeWord->setObjectName(QStringLiteral("chkWholeWord"));

    // Start from a one-line selection, as users expect, else from the last search.
    const QString selected = SelText();
    const bool useSelection = !selected.isEmpty() && !selected.contains(QLatin1Char('\n'))
        && !selected.contains(QLatin1Char('\r'));
    findEdit->setText(useSelection ? selected : m_findText);
    replaceEdit->setText(m_replaceText);
    matchCase->setChecked(m_findMatchCase);
    wholeWord->setChecked(m_findWholeWord);

    auto* grid = new QGridLayout;
    auto* findLabel = new QLabel(tr("Find what:"), &dialog);
    findLabel->setBuddy(findEdit);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findEdit, 0, 1);
    if (replace) {
        auto* replaceLabel = new QLabel(tr("Replace with:"), &dialog);
        replaceLabel->setBuddy(replaceEdit);
        grid->addWidget(replaceLabel, 1, 0);
        grid->addWidget(replaceEdit, 1, 1);
    } else {
        replaceEdit->hide();
    }
    grid->addWidget(matchCase, 2, 0, 1, 2);
    grid->addWidget(wholeWord, 3, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const QString& name, const QString& text) {
        auto* button = new QPushButton(text, &dialog);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* findNextButton = addButton(QStringLiteral("cmdFindNext"), tr("Find Next"));
    findNextButton->setDefault(true);
    QPushButton* replaceButton = replace ? addButton(QStringLiteral("cmdReplace"), tr("Replace")) : nullptr;
    QPushButton* replaceAllButton = replace ? addButton(QStringLiteral("cmdReplaceAll"), tr("Replace All")) : nullptr;
    QPushButton* closeButton = addButton(QStringLiteral("cmdClose"), tr("Close"));
    buttons->addStretch();

    auto* layout = new QHBoxLayout(&dialog);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    auto takeInput = [&] {
        m_findText = findEdit->text();
        m_replaceText = replaceEdit->text();
        m_findMatchCase = matchCase->isChecked();
        m_findWholeWord = wholeWord->isChecked();
    };
    connect(findNextButton, &QPushButton::clicked, &dialog, [&] {
        takeInput();
        findNext(true);
    });
    if (replace) {
        connect(replaceButton, &QPushButton::clicked, &dialog, [&] {
            takeInput();
            if (m_findText.isEmpty())
                return;
            const QString current = SelText();
            const Qt::CaseSensitivity cs = m_findMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
            if (!current.isEmpty() && current.compare(m_findText, cs) == 0)
                SetSelText(m_replaceText);
            findNext(true);
        });
        connect(replaceAllButton, &QPushButton::clicked, &dialog, [&] {
            takeInput();
            const int count = replaceAll();
            Prompter::Current().MsgBox(&dialog, tr("%1 occurrence(s) replaced.").arg(count), MsgButtons::OKOnly,
                                       MsgIcon::Information, QStringLiteral("QRN"));
        });
    }
    connect(closeButton, &QPushButton::clicked, &dialog, &QDialog::reject);

    Prompter::Current().ExecDialog(&dialog);
    if (!findEdit->text().isEmpty())
        takeInput();
}

void CodeMax1::lineUpKeepingColumn()
{
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const CodeMaxRange sel = GetSel(false);
    const int col = (m_virtualCol >= 0 && pos == m_virtualPos) ? m_virtualCol : sel.endCol;
    m_virtualCol = -1;
    if (sel.endLine == 0) {
        SendScintilla(SCI_LINEUP);
        return;
    }
    const int target = sel.endLine - 1;
    const int length = GetLineLength(target);
    SetCaretPos(target, std::min(col, length));
    if (col > length) {
        // Past the end of the shorter line: remember the column, as virtual space does.
        m_virtualCol = col;
        m_virtualPos = SendScintilla(SCI_GETCURRENTPOS);
    }
}

void CodeMax1::charMove(bool right)
{
    const long anchor = SendScintilla(SCI_GETANCHOR);
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    if (anchor != pos) {
        // A selection collapses to the side the caret moves towards.
        const long to = right ? std::max(anchor, pos) : std::min(anchor, pos);
        SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(to));
        m_virtualCol = -1;
        return;
    }
    if (!right && m_virtualCol >= 0 && pos == m_virtualPos) {
        const CodeMaxRange sel = GetSel(false);
        if (--m_virtualCol <= sel.endCol)
            m_virtualCol = -1;
        return;
    }
    m_virtualCol = -1;
    SendScintilla(right ? SCI_CHARRIGHT : SCI_CHARLEFT);
}
