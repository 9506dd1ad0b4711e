#pragma once
// A document window: the edit control, the preview pane and a five-panel status bar.
#include "document/DiskFile.h"
#include "document/Recovery.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class CodeMax1;
class QMdiSubWindow;
class QSplitter;
class QStatusBar;
class QToolButton;
class Workspace;
class frmDocument;

// Marks a document busy while a long operation waits in an event loop (a large
// load, an HTML Tidy run): its text is read-only, its status bar shows the work,
// and closing it, or the main window, cancels the operation and closes only once
// the operation has ended. So nothing the user does can free what it works on.
class BusyScope {
public:
    BusyScope(frmDocument* doc, const QString& what, bool cancellable = true);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // What Cancel does at the current stage of the operation.
    void SetCancel(std::function<void()> cancel) { m_cancel = std::move(cancel); }
    void Cancel();
    bool Cancelled() const { return m_cancelled; }
    // The document, or null once it has gone.
    frmDocument* Document() const { return m_doc; }
    // Ends the busy state early, for the operation's last step on the text.
    void End();

private:
    friend class frmDocument;
    QPointer<frmDocument> m_doc;
    std::function<void()> m_cancel;
    BusyScope* m_outer = nullptr;
    bool m_cancelled = false;
    bool m_ended = false;
    bool m_wasReadOnly = false;
};

// A status panel that can look sunk or raised and reports clicks.
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);
    // 1 sunk, 2 raised (the classic bevel numbers).
    int Bevel() const { return m_bevel; }
    void SetBevel(int bevel);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_bevel = 1;
};

namespace DocText {
// "1023 bytes", "1.00 KB"
QString SizeText(qint64 characters);
// The colouring language for a path: "HTML", "Java", "C/C++", "XML", or empty for plain text.
QString LanguageForPath(const QString& path);
constexpr const char* Untitled = QT_TRANSLATE_NOOP("frmDocument", "Untitled document");
// The caption of the untitled document with this number, "Document 3", in the user's language;
// and back: the number of such a caption (a trailing "*" allowed), or 0 for any other caption.
QString UntitledCaption(int number);
int UntitledNumber(const QString& caption);
}

class frmDocument : public QWidget {
    Q_OBJECT
public:
    explicit frmDocument(Workspace* owner);
    ~frmDocument() override;

    CodeMax1* Editor() const { return m_editor; }
    QWidget* WebBrowser1() const { return m_browser; }
    void SetWebBrowser(QWidget* browser);
    // A view beside the text, in a split the user can resize; null closes the split
    // and deletes the view.
    void SetSideView(QWidget* view);
    // The status bar's Live Preview switch; what it switches is wired from above.
    QToolButton* LivePreviewButton() const { return m_liveButton; }
    QStatusBar* StatusBar1() const { return m_status; }
    StatusPanel* Panel(int i) const { return m_panels.at(i - 1); }
    QMdiSubWindow* SubWindow() const;

    QString Caption() const;
    void SetCaption(const QString& caption);
    // The file's full path, or "Untitled document".
    QString PathPanel() const;
    bool HasFile() const;
    bool IsEditMode() const;

    // Marks the caption of a changed text and tells the main window its commands may have changed.
    void fctnRefreshCommands();
    void fctnRefreshStatus();
    // Shows or hides the notice that a line is too long to type in quickly. Without force,
    // only when the text's length moved by a lot since the last look.
    void CheckLongLines(bool force = false);
    // Loads path into the edit control; false with a message shown when it cannot be read.
    // had: the encoding the document had in a restored session (CodeMax1::OpenFile).
    bool LoadFile(const QString& title, const QString& path, std::optional<TextEncoding> had = std::nullopt);

    // Called by the main window when this window becomes the active one.
    void Form_Activate();
    // Writes "DocState" from the sub-window's state.
    void SaveDocState();
    // Asks the save question of a modified document; false when the user keeps it open.
    bool CloseQuestion();
    // Remembers the file's state on disk after a load or save.
    void RememberDiskState();
    // Offers to reload a file another program changed; reports a deleted one
    // once and counts it as modified, since this text is then its only copy.
    void CheckDiskChange();
    // Before a save over the document's own file: when another program has
    // changed it since it was loaded or saved here, asks whether to overwrite
    // it, reload it instead, or cancel. True when the save may go ahead.
    bool ConfirmSaveOverDisk();
    // Replaces the text with the file's, as one Undo step; with an encoding, read in that
    // one, which the document then keeps (File > Reopen with Encoding).
    bool Reload(std::optional<TextEncoding> encoding = std::nullopt);

    // Shows a recovered text: modified, written to its file only when saved.
    void RestoreFrom(const Recovery::Entry& entry);
    Recovery::Writer* RecoveryWriter() const { return m_recovery; }

    // A long operation works on this document (see BusyScope).
    bool IsBusy() const { return m_busy != nullptr; }
    // Asks the running operation to stop.
    void CancelBusy();

signals:
    void PreviewPanelClicked(int panel);
    void BusyChanged(bool busy);
    // The text, selection or mode changed: what the main window offers may change.
    void commandsChanged();
    // Form_Activate checked the file on disk; the document's menus may now be shown.
    void activating();
    // The user asked for the edit menu at pos (right click, Menu key).
    void contextMenuRequested(const QPoint& pos);
    // The last document window is closing.
    void lastClosing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onKeyDown(int keyCode, int shift, bool* handled);
    // The colours, face and size the options dialog has just stored.
    void applyStoredScheme();
    friend class BusyScope;
    void showBusy(const QString& what, bool cancellable);

    Workspace* m_main;
    CodeMax1* m_editor;
    QWidget* m_browser;
    QStatusBar* m_status;
    std::array<StatusPanel*, 5> m_panels{};
    QLabel* m_formatPanel = nullptr;   // encoding and line breaks
    DiskFile::State m_disk;
    bool m_missingReported = false;
    bool m_checkingDisk = false;
    BusyScope* m_busy = nullptr;
    bool m_closeWhenIdle = false;
    Recovery::Writer* m_recovery = nullptr;
    QLabel* m_busyLabel = nullptr;
    QToolButton* m_busyCancel = nullptr;
    QToolButton* m_longLines = nullptr;
    QToolButton* m_liveButton = nullptr;
    QSplitter* m_split = nullptr;
    int m_lengthAtLineCheck = 0;
};
