// The edit control: text, positions, clipboard and undo, events; the rest is in its helpers.
#include "document/CodeMax1.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <cstring>

#include "document/CodeMaxCommands.h"
#include <Qsci/qscicommandset.h>
#include "document/DocumentFile.h"
#include "document/EditorAccessibility.h"
#include "document/KeyCodes.h"
#include "document/TagCompletion.h"

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

CodeMax1::CodeMax1(QWidget* parent)
    : QsciScintilla(parent)
{
    setObjectName(QStringLiteral("CodeMax1"));
    static const bool quiet = (EditorAccessibility::Install(), true);
    Q_UNUSED(quiet);
    setUtf8(true);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);

    setMarginType(0, NumberMargin);
    setMarginWidth(0, 0);
    setMarginType(1, SymbolMarginColor);
    setMarginWidth(1, 0);
    setMarginSensitivity(1, true);
    setMarginWidth(2, 0);
    markerDefine(QsciScintilla::Bookmark, LineBookmarks::Marker);
    setMarginMarkerMask(1, 1 << LineBookmarks::Marker);

    CodeMaxCommands::bindKeys(*this);

    // Only the notifications this class needs: QScintilla turns every insert and
    // delete notification into a character offset counted from the start of the
    // text, which costs tens of milliseconds per keystroke in a large document.
    // (This also silences QScintilla's textChanged; Change() replaces it.)
    SendScintilla(SCI_SETMODEVENTMASK, long(SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE | SC_MOD_CONTAINER));
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length, int, int, int, int, int token, int) {
                if (type & SC_MOD_CONTAINER)
                    m_bookmarks.onStep(type, token);
                else
                    onModified(position, type, text, length);
            });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { notifySelChange(); });
    connect(this, &QsciScintillaBase::SCN_CHARADDED, this, [this](int typed) {
        if (m_closeTags && (typed == '>' || typed == '/'))
            closeTag(typed);
    });
    connect(this, &QsciScintilla::cursorPositionChanged, this, [this](int, int) { notifySelChange(); });
    connect(this, &QsciScintilla::selectionChanged, this, [this] { notifySelChange(); });
    connect(this, &QsciScintilla::marginClicked, this, [this](int margin, int line, Qt::KeyboardModifiers) {
        if (margin == 1)
            m_bookmarks.toggle(line);
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

void CodeMax1::BeginUtf8Text(qsizetype reserve)
{
    m_loadReadOnly = isReadOnly();
    SendScintilla(SCI_SETREADONLY, 0);
    // A new text has no history: no undo copy of it, and room for it in one allocation.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(reserve + 4096));
}

void CodeMax1::AppendUtf8(const char* data, qsizetype size)
{
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(size), data);
}

void CodeMax1::EndUtf8Text()
{
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_SETREADONLY, m_loadReadOnly ? 1 : 0);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
    SendScintilla(SCI_GOTOPOS, 0);
    m_forceModified = false;
    notifySelChange();
}

bool CodeMax1::SetUtf8Text(const QByteArray& bytes)
{
    m_cancelLoad = false;
    QPointer<CodeMax1> self(this);
    BeginUtf8Text(bytes.size());
    // A very large text goes in by pieces, with the window repainted in between,
    // so the program never looks hung. Input waits until the text is complete.
    constexpr qsizetype piece = 24 * 1024 * 1024;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        const qsizetype n = std::min(piece, bytes.size() - at);
        AppendUtf8(bytes.constData() + at, n);
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
    EndUtf8Text();
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

QByteArray CodeMax1::Utf8View() const
{
    const long length = SendScintilla(SCI_GETLENGTH);
    return QByteArray::fromRawData(reinterpret_cast<const char*>(SendScintilla(SCI_GETCHARACTERPOINTER)), length);
}

void CodeMax1::ReplaceAllUtf8(const QByteArray& bytes, const std::optional<QVector<int>>& bookmarksAfter)
{
    // Replacing the whole text takes the bookmarks with it. Marks in the undo
    // step, one before the text and one after, put them back: undo meets the
    // first last, once the old text is back; redo meets the second last.
    const int token = bookmarksAfter ? m_bookmarks.recordStep(*bookmarksAfter) : 0;
    SendScintilla(SCI_BEGINUNDOACTION);
    if (bookmarksAfter)
        SendScintilla(SCI_ADDUNDOACTION, long(token), 0L);
    SendScintilla(SCI_SETTARGETRANGE, 0L, SendScintilla(SCI_GETLENGTH));
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    if (bookmarksAfter)
        SendScintilla(SCI_ADDUNDOACTION, long(token + 1), 0L);
    SendScintilla(SCI_ENDUNDOACTION);
    if (bookmarksAfter)
        m_bookmarks.setLines(*bookmarksAfter);
    SendScintilla(SCI_GOTOPOS, 0L);
    notifySelChange();
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
    return m_units.unitsBetween(start, end);
}

int CodeMax1::TextLength() const
{
    return m_units.count();
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

void CodeMax1::onModified(int position, int type, const char* text, int length)
{
    // The character count follows every insertion and deletion (typing, undo, redo)
    // without ever copying the whole text.
    m_units.beforeChange(position, type, text, length);
    if (!m_changePending) {
        m_changePending = true;
        // Changes made by Scintilla itself (drag and drop, middle-click paste)
        // are announced from the event loop; the rest announce at once.
        QMetaObject::invokeMethod(this, &CodeMax1::flushChange, Qt::QueuedConnection);
    }
}

void CodeMax1::flushChange()
{
    if (!m_changePending)
        return;
    m_changePending = false;
    m_units.settle();
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

CodeMaxRange CodeMax1::GetSel(bool normalised) const
{
    long start = SendScintilla(SCI_GETANCHOR);
    long end = SendScintilla(SCI_GETCURRENTPOS);
    if (normalised && end < start)
        std::swap(start, end);
    CodeMaxRange range;
    m_units.lineColAt(start, &range.startLine, &range.startCol);
    m_units.lineColAt(end, &range.endLine, &range.endCol);
    return range;
}

void CodeMax1::SetSel(const CodeMaxRange& range, bool scrollToCaret)
{
    const long anchor = m_units.positionAt(range.startLine, range.startCol);
    const long caret = m_units.positionAt(range.endLine, range.endCol);
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
    return m_units.unitsBetween(SendScintilla(SCI_POSITIONFROMLINE, line), SendScintilla(SCI_GETLINEENDPOSITION, line));
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
    SendScintilla(SCI_SETEMPTYSELECTION, m_units.positionAt(line, col));
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
    applyFoldProperties();
}

void CodeMax1::SetFoldMargin(bool on)
{
    if (on == m_fold)
        return;
    if (!on)   // nothing may stay hidden once the margin to open it has gone
        SendScintilla(SCI_FOLDALL, SC_FOLDACTION_EXPAND);
    m_fold = on;
    setFolding(on ? BoxedTreeFoldStyle : NoFoldStyle, 2);
    applyFoldProperties();
}

void CodeMax1::applyFoldProperties()
{
    if (!m_fold || !lexer())
        return;
    // The lexers work out fold points only when asked to; HTML and XML need their own switch.
    SendScintilla(SCI_SETPROPERTY, "fold", "1");
    SendScintilla(SCI_SETPROPERTY, "fold.html", "1");   // restyles from the top as the text is shown
}

bool CodeMax1::WordWrap() const
{
    return wrapMode() != WrapNone;
}

void CodeMax1::SetWordWrap(bool on)
{
    if (on != WordWrap())   // each change lays out the whole text again
        setWrapMode(on ? WrapWord : WrapNone);
}

bool CodeMax1::ColorSyntax() const
{
    return m_syntax.colorSyntax();
}

void CodeMax1::SetColorSyntax(bool on)
{
    m_syntax.setColorSyntax(on);
    applyFoldProperties();
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
    m_bookmarks.applyPending();
    notifySelChange();
}

void CodeMax1::Redo()
{
    if (CanRedo())
        redo();
    m_bookmarks.applyPending();
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

void CodeMax1::ConvertLineBreaks(const QString& lineBreak)
{
    FileFormat format = m_format;
    format.lineBreak = lineBreak == QLatin1String("\n") ? lineBreak : QStringLiteral("\r\n");
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_CONVERTEOLS, format.lineBreak.size() == 1 ? SC_EOL_LF : SC_EOL_CRLF);
    SendScintilla(SCI_ENDUNDOACTION);
    SetFormat(format);
}

bool CodeMax1::OpenFile(const QString& path, QString* error, std::optional<TextEncoding> had)
{
    m_cancelLoad = false;
    if (had) {
        const DocumentFile::Loaded file = DocumentFile::LoadAgain(path, *had);
        if (!file.ok || !SetUtf8Text(file.utf8)) {
            if (error)
                *error = file.ok ? tr("Loading was cancelled.") : file.error;
            return false;
        }
        SetFormat(file.format);
        return true;
    }
    QPointer<CodeMax1> self(this);
    // A large file is read by pieces, keeping the window painted.
    const auto betweenPieces = [&] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return self && !m_cancelLoad;
    };
    // A large UTF-8 file goes into the control as it is read, never held twice.
    DocumentFile::Utf8Stream stream(*this, QFileInfo(path).size());
    DocumentFile::Loaded file = DocumentFile::Load(path, betweenPieces,
                                                   [&](const char* data, qsizetype size) { return stream.take(data, size); });
    if (!self)
        return false;
    if (file.ok && file.streamed) {
        if (stream.finish(&file.format)) {
            SetFormat(file.format);
            return true;
        }
        // It ended inside a character: not UTF-8 after all.
        file = DocumentFile::Load(path, betweenPieces);
        if (!self)
            return false;
    } else {
        stream.abandon();
    }
    if (!file.ok || !SetUtf8Text(file.utf8)) {
        if (error)
            *error = file.ok ? tr("Loading was cancelled.") : file.error;
        return false;
    }
    SetFormat(file.format);
    return true;
}

bool CodeMax1::ReloadFile(const QString& path, QString* error, std::optional<TextEncoding> encoding)
{
    const DocumentFile::Loaded file = encoding ? DocumentFile::LoadAs(path, *encoding)
                                               : DocumentFile::LoadAgain(path, m_format.encoding);
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
    // In a dialog Tab belongs to the text, so Ctrl+Tab leaves it, as from any Qt text field.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (event->modifiers() & Qt::ControlModifier) && qobject_cast<QDialog*>(window())) {
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        return;
    }
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shift |= 4;
    bool handled = false;
    emit KeyDown(KeyCodes::VirtualKey(event->key()), shift, &handled);
    if (handled) {
        event->accept();
        return;
    }
    if (m_repeatPending > 0 && !KeyCodes::IsModifier(event->key())) {
        const int times = m_repeatPending;
        m_repeatPending = 0;
        if (KeyCodes::IsRepeatable(event)) {
            SendScintilla(SCI_BEGINUNDOACTION);
            for (int i = 0; i < times; ++i)
                QsciScintilla::keyPressEvent(event);
            SendScintilla(SCI_ENDUNDOACTION);
            notifySelChange();
            return;
        }
    }
    const auto chord = Qt::KeyboardModifiers(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                                   Qt::AltModifier | Qt::MetaModifier));
    if (KeyCodes::TypesByMistake(event, standardCommands()->boundTo(event->key() | int(chord)))) {
        event->ignore();
        return;
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

// ---------------------------------------------------------------- closing tags

void CodeMax1::SetCloseTags(bool on, const QStringList& tagNames)
{
    m_closeTags = on;
    m_closableTags.clear();
    for (const QString& name : tagNames)
        m_closableTags.insert(name.toUpper());
}

void CodeMax1::closeTag(int typed)
{
    if (!ColorSyntax() || Language() != QLatin1String("HTML") || SendScintilla(SCI_GETSELECTIONS) != 1)
        return;
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    if (caret != SendScintilla(SCI_GETANCHOR))
        return;
    // Only the text just before the caret, from a line start where there is one near.
    const long from = std::max(0L, caret - long(TagCompletion::LookBack));
    QByteArrayView head = Utf8Range(from, caret - from);
    if (from > 0) {
        const qsizetype lineBreak = head.indexOf('\n');
        qsizetype skip = lineBreak >= 0 ? lineBreak + 1 : 0;
        while (lineBreak < 0 && skip < head.size() && (static_cast<unsigned char>(head[skip]) & 0xC0) == 0x80)
            ++skip;
        head = head.sliced(skip);
    }
    const QByteArray insert = TagCompletion::AfterTyping(QString::fromUtf8(head), m_closableTags).toUtf8();
    if (insert.isEmpty())
        return;
    // A step of its own: one Undo takes it away and leaves what was typed.
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_INSERTTEXT, static_cast<unsigned long>(caret), insert.constData());
    SendScintilla(SCI_ENDUNDOACTION);
    // Between the tags after ">"; after a completed name, past it.
    const long after = typed == '>' ? caret : caret + long(insert.size());
    SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(after));
    notifySelChange();
}

// ---------------------------------------------------------------- numbered commands

bool CodeMax1::ExecuteCmd(int cmd, const QVariant& data)
{
    return CodeMaxCommands::execute(*this, cmd, data);
}

QVector<int> CodeMax1::Bookmarks() const
{
    return m_bookmarks.lines();
}
