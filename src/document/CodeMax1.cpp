#include "document/CodeMax1.h"

#include <QCoreApplication>
#include <cstring>

#include "document/CodeMaxCommands.h"
#include "document/DocumentFile.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPointer>
#include <QUrl>

namespace {

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
    , m_syntax(this, m_bookmarkMarker)
{
    setObjectName(QStringLiteral("CodeMax1"));
    setUtf8(true);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);

    setMarginType(0, NumberMargin);
    setMarginWidth(0, 0);
    setMarginType(1, SymbolMarginColor);
    setMarginWidth(1, 0);
    setMarginSensitivity(1, true);
    setMarginWidth(2, 0);
    markerDefine(QsciScintilla::Bookmark, m_bookmarkMarker);
    setMarginMarkerMask(1, 1 << m_bookmarkMarker);

    CodeMaxCommands::bindRedoToCtrlA(*this);

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
    m_syntax.applyLexer();
}

CodeMax1::~CodeMax1()
{
    m_syntax.dropLexer();
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
    m_syntax.updateLineNumberWidth();
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
    return m_syntax.language();
}

void CodeMax1::SetLanguage(const QString& language)
{
    m_syntax.setLanguage(language);
}

bool CodeMax1::ColorSyntax() const
{
    return m_syntax.colorSyntax();
}

void CodeMax1::SetColorSyntax(bool on)
{
    m_syntax.setColorSyntax(on);
}

void CodeMax1::SetColor(int slot, int colorRef)
{
    m_syntax.setColor(slot, colorRef);
}

int CodeMax1::GetColor(int slot) const
{
    return m_syntax.color(slot);
}

void CodeMax1::SetFontStyle(int slot, int style)
{
    m_syntax.setFontStyle(slot, style);
}

int CodeMax1::GetFontStyle(int slot) const
{
    return m_syntax.fontStyle(slot);
}

QFont CodeMax1::Font() const
{
    return m_syntax.font();
}

void CodeMax1::SetFont(const QFont& font)
{
    m_syntax.setFont(font);
}

bool CodeMax1::LineNumbering() const
{
    return m_syntax.lineNumbering();
}

void CodeMax1::SetLineNumbering(bool on)
{
    m_syntax.setLineNumbering(on);
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
    const DocumentFile::Loaded file = DocumentFile::Load(path, [&] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return self && !m_cancelLoad;
    });
    if (!self)
        return false;
    if (!file.ok || !SetUtf8Text(file.utf8)) {
        if (error)
            *error = file.ok ? tr("Loading was cancelled.") : file.error;
        return false;
    }
    SetFormat(file.format);
    return true;
}

bool CodeMax1::ReloadFile(const QString& path, QString* error)
{
    const DocumentFile::Loaded file = DocumentFile::Load(path);
    if (!file.ok) {
        if (error)
            *error = file.error;
        return false;
    }
    const int line = int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
    const bool readOnly = isReadOnly();
    SendScintilla(SCI_SETREADONLY, 0);
    // One step for Undo, which brings back the text as it was here.
    ReplaceAllUtf8(file.utf8);
    SendScintilla(SCI_SETREADONLY, readOnly ? 1 : 0);
    SendScintilla(SCI_GOTOLINE, std::min<long>(line, SendScintilla(SCI_GETLINECOUNT) - 1));
    SetFormat(file.format);
    SetModified(false);
    notifySelChange();
    return true;
}

bool CodeMax1::SaveFile(const QString& path, bool, QString* error)
{
    if (!DocumentFile::Save(*this, path, error))
        return false;
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

int CodeMax1::GetHotKeyCount(int cmd) const
{
    return CodeMaxCommands::hotKeyCount(*this, cmd);
}

QKeySequence CodeMax1::GetHotKey(int cmd, int index) const
{
    return CodeMaxCommands::hotKey(*this, cmd, index);
}

void CodeMax1::RemoveHotKey(int cmd, int index)
{
    CodeMaxCommands::removeHotKey(*this, cmd, index);
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
    return CodeMaxCommands::execute(*this, cmd, data);
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
