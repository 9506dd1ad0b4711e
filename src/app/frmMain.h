#pragma once
// The main window: menus, the two toolbars, the sidebar, the status bar and
// the document windows.
#include "document/Recovery.h"
#include <QHash>
#include <QVector>
#include <array>

#include "app/Session.h"
#include "document/RecentFiles.h"
#include "document/Workspace.h"

class CodeMax1;
class QAction;
class QDockWidget;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QShowEvent;
class QMenu;
class QTabBar;
class QToolBar;
class QToolButton;
class SingleInstance;
class StatusPanel;
class frmDocument;
struct CommandStates;
class QLabel;

class frmMain : public Workspace {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The steps that run while the window loads, ending with the first document.
    void Form_Load();

    // --- documents ---
    QMdiArea* MdiArea() const override { return m_mdi; }
    QList<frmDocument*> Documents() const override;
    frmDocument* ActiveDocument() const override;
    // Creates an unnumbered document window, shows and activates it.
    frmDocument* CreateDocument();
    frmDocument* fctnNewDoc();
    // Loads path into the active document window; false when it could not be read.
    bool fctnLoadDocument(const QString& title, const QString& path);
    // Opens a file the way a command line or a hand-over names it ("\"path\"").
    void OpenCommandLine(const QString& commandLine);
    // Opens one file named on a command line; null (and a message naming it as shown) when it cannot.
    frmDocument* OpenFileFromCommandLine(const QString& path, const QString& shown);
    // Closes a window that a failed load left empty.
    void DiscardIfEmpty(frmDocument* doc);
    // A new window holding a recovered text, numbered as it was where that number is free.
    frmDocument* RestoreDocument(const Recovery::Entry& entry);
    int DocCount() const { return m_docCount; }

    // --- commands ---
    QAction* Action(const QString& name) const override;
    QMenu* Menu(const QString& name) const override;
    // Main toolbar buttons by key ("Save") or by position 1 to 20.
    QAction* ToolbarButton(const QString& key) const override;
    QAction* ToolbarButtonAt(int position) const override;
    int ToolbarButtonCount() const { return m_toolbarButtons.size(); }
    // Insertion toolbar buttons 1 to 11.
    QToolButton* PowerbarButton(int index) const override { return m_powerButtons.at(index - 1); }
    QToolBar* Toolbar1() const { return m_toolbar1; }
    QToolBar* Toolbar2() const { return m_toolbar2; }
    QDockWidget* Picture1() const override { return m_sidebar; }
    QTabBar* TabStrip1() const override { return m_tabStrip; }
    QListWidget* List1() const override { return m_list; }
    StatusPanel* MainPanel(int i) const;
    int ActiveMenuButton() const override { return m_activeMenuButton; }
    const RecentFiles& Recent() const { return m_recent; }
    // Add-to-list routine of the recent files.
    void AddRecentFile(const QString& path, bool refresh);

    void fctnShowDocMenus(bool show);
    void fctnViewSidebar(bool show);
    void fctnApplyViewToDocs();
    void DisableCommandsForNoDocument();
    // The main window's buttons and menus as doc's state allows, when it is the active one.
    void refreshCommandsFor(frmDocument* doc);

    // Handlers, named after their menu items.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    bool mnuFileSave_Click() override;
    bool mnuFileSaveAs_Click();
    void mnuFileSaveAll_Click();
    void mnuFileClose_Click();
    void mnuFileCloseAll_Click();
    void mnuFileExit_Click();
    void mnuFileProperties_Click();
    void mnuFilePrint_Click();
    // Files dropped on the window: each in a new numbered document; pictures become IMG tags.
    void DropFiles(const QStringList& paths) override;
    void mnuFileMRU_Click(int index);
    void mnuEdit_DropDown();
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditDeleteLine_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    void mnuEditReplace_Click();
    void mnuEditGoto_Click();
    void mnuEditBookmark_Click(int cmd);
    void mnuViewLine_Click();
    void mnuViewMargin_Click();
    void mnuViewToolbar_Click();
    void mnuViewPowerBar_Click();
    void mnuViewSidebar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewEdit_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void StatusBar1_PanelClick(int panel);
    // Called when a later start handed its command line over.
    void OnHandOver();
    // Opens and empties "Config"/"Command" when a command line waits there.
    void ConsumeHandOver();
    // Reloads the user-tool items from the settings.
    void LoadUserTools();

public:
    // Maximised edit view: the six marks stored while it is on.
    std::array<bool, 6> MaxViewSaved{};

    // Clamps a saved window extent so the window stays on the screen (twips).
    static int ClampExtent(int start, int extent, int screenExtent);
    // A stored twips value brought into a range a screen of screenExtent twips can use.
    static int SaneTwips(double stored, int screenExtent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Points added to every document's font size (View > Zoom); remembered.
    void SetZoom(int zoom);
    int Zoom() const { return m_zoom; }
    // Window > Tabbed documents: the document area shows tabs instead of windows; remembered.
    void SetTabbedDocuments(bool tabbed);
    bool TabbedDocuments() const;

private:
    void buildMenus();
    void buildToolbars();
    void buildSidebar();
    void buildStatusBar();
    void restoreLayout();
    void saveLayout();
    void refreshRecentMenu();
    // Edit > Line Endings.
    void ConvertLineBreaks(const QString& lineBreak);
    // File > Reopen with Encoding, and the state of its items.
    void ReopenWithEncoding(TextEncoding encoding);
    void syncReopenMenu();
    Session::State currentSession() const;
    bool restoreSession();
    void applyViewToggle(QAction* action);
    void updateClock();
    void updateWindowMenu();
    void tileWindows(bool horizontal);
    bool saveDocument(frmDocument* doc);
    bool saveDocumentAs(frmDocument* doc, bool fromSaveAll);
    bool writeDocument(frmDocument* doc, const QString& path);
    void syncFileSave();
    void applyCommandStates(const CommandStates& states);

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar1 = nullptr;
    QToolBar* m_toolbar2 = nullptr;
    QDockWidget* m_sidebar = nullptr;
    QTabBar* m_tabStrip = nullptr;
    QListWidget* m_list = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QVector<QAction*> m_toolbarButtons;     // by position - 1; separators included
    QHash<QString, QAction*> m_toolbarByKey;
    std::array<QToolButton*, 11> m_powerButtons{};
    std::array<StatusPanel*, 2> m_mainPanels{};
    QLabel* m_insPanel = nullptr;
    std::array<QLabel*, 3> m_lockPanels{};
    void updateIndicators();
    QLabel* m_datePanel = nullptr;
    QLabel* m_timePanel = nullptr;
    SingleInstance* m_instance = nullptr;
    RecentFiles m_recent;
    int m_docCount = 0;
    int m_activeMenuButton = 0;
    bool m_closing = false;
    bool m_closeWhenIdle = false;
    bool m_placedOnShow = false;
    void placeSubWindow(QMdiSubWindow* sub, int index);
    struct HandOver {
        QString commandLine;
        qint64 when;
    };
    // Hand-overs opened from one way (socket or slot) that may still come the other.
    QList<HandOver> m_fromSocket, m_fromSlot;
    static bool takeHandOver(QList<HandOver>& list, const QString& commandLine);
    int m_zoom = 0;
    bool m_startTabbed = false;
};
