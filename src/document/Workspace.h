#pragma once
// What the rooms below the main window may ask of it: its documents, its
// commands by name and the window that owns their dialogs.
#include <QMainWindow>
#include <QStringList>

class CodeMax1;
class QAction;
class QDockWidget;
class QListWidget;
class QMdiArea;
class QMenu;
class QTabBar;
class QToolButton;
class frmDocument;

class Workspace : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    // The main window of this process; null before it is made and once it has gone.
    static Workspace* Current();
    static void SetCurrent(Workspace* workspace);
    // The active document's edit control of the current workspace, or null.
    static CodeMax1* CurrentEditor();

    virtual QList<frmDocument*> Documents() const = 0;
    virtual frmDocument* ActiveDocument() const = 0;
    CodeMax1* ActiveEditor() const;
    // The active editor when commands may change its text: in edit mode and not busy; else null.
    CodeMax1* EditTarget() const;

    virtual QAction* Action(const QString& name) const = 0;
    virtual QMenu* Menu(const QString& name) const = 0;
    // Main toolbar buttons by key ("Save") or by position 1 to 20.
    virtual QAction* ToolbarButton(const QString& key) const = 0;
    virtual QAction* ToolbarButtonAt(int position) const = 0;
    // Insertion toolbar buttons 1 to 11, and the one whose menu is open.
    virtual QToolButton* PowerbarButton(int index) const = 0;
    virtual int ActiveMenuButton() const = 0;
    virtual QMdiArea* MdiArea() const = 0;
    // The sidebar, its tab strip and its list.
    virtual QDockWidget* Picture1() const = 0;
    virtual QTabBar* TabStrip1() const = 0;
    virtual QListWidget* List1() const = 0;

    // Files dropped on a document: each opens in its own window.
    virtual void DropFiles(const QStringList& paths) = 0;
    // Saves the active document; false when it was not saved.
    virtual bool mnuFileSave_Click() = 0;

signals:
    // A document window was created and shown (before it is activated).
    void DocumentCreated(frmDocument* doc);
    // A document window became the active one.
    void activeDocumentChanged(frmDocument* doc);
};
