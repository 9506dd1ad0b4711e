// The main window itself: its toolbars, sidebar and status bar, start-up, closing, and the command states.
#include "app/frmMain.h"

#include "app/CommandStates.h"
#include "app/KeyboardLocks.h"
#include "app/MenuTable.h"

#include "app/Main.h"
#include "base/DesktopColours.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "base/ShellRoutines.h"
#include "app/SingleInstance.h"
#include "document/CodeMax1.h"
#include "document/ColourScheme.h"
#include "document/frmDocument.h"
#include "insert/InsertionMenus.h"
#include "insert/frmNew.h"
#include "document/CopyRegistry.h"
#include "tools/Sidebar.h"
#include "options/OptionsCommands.h"
#include "tools/ToolCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ButtonDef {
    const char* key;
    const char* tip;
};

// Main toolbar by position; a null key is a separator. The insertion toolbar's keys are its
// buttons' captions too.
const ButtonDef kToolbar1[] = {
    {"New", QT_TRANSLATE_NOOP("frmMain", "New")},
    {"Open", QT_TRANSLATE_NOOP("frmMain", "Open")},
    {"Save", QT_TRANSLATE_NOOP("frmMain", "Save")},
    {nullptr, nullptr},
    {"Undo", QT_TRANSLATE_NOOP("frmMain", "Undo")},
    {"Redo", QT_TRANSLATE_NOOP("frmMain", "Redo")},
    {nullptr, nullptr},
    {"Cut", QT_TRANSLATE_NOOP("frmMain", "Cut")},
    {"Copy", QT_TRANSLATE_NOOP("frmMain", "Copy")},
    {"Paste", QT_TRANSLATE_NOOP("frmMain", "Paste")},
    {nullptr, nullptr},
    {"Find", QT_TRANSLATE_NOOP("frmMain", "Find")},
    {"Replace", QT_TRANSLATE_NOOP("frmMain", "Replace")},
    {nullptr, nullptr},
    {"Spell", QT_TRANSLATE_NOOP("frmMain", "Spell check")},
    {"Compress", QT_TRANSLATE_NOOP("frmMain", "Basic HTML compression")},
    {"Tidy", QT_TRANSLATE_NOOP("frmMain", "HTML Tidy")},
    {"External", QT_TRANSLATE_NOOP("frmMain", "External browser")},
    {nullptr, nullptr},
    {"Exit", QT_TRANSLATE_NOOP("frmMain", "Exit")},
};

const ButtonDef kToolbar2[] = {
    {QT_TRANSLATE_NOOP("frmMain", "Basic"), QT_TRANSLATE_NOOP("frmMain", "Basic HTML commands")},
    {QT_TRANSLATE_NOOP("frmMain", "Format"), QT_TRANSLATE_NOOP("frmMain", "Format commands")},
    {QT_TRANSLATE_NOOP("frmMain", "List"), QT_TRANSLATE_NOOP("frmMain", "List commands")},
    {QT_TRANSLATE_NOOP("frmMain", "Table"), QT_TRANSLATE_NOOP("frmMain", "Table commands")},
    {QT_TRANSLATE_NOOP("frmMain", "Form"), QT_TRANSLATE_NOOP("frmMain", "Form commands")},
    {QT_TRANSLATE_NOOP("frmMain", "Frame"), QT_TRANSLATE_NOOP("frmMain", "Frameset commands")},
    {QT_TRANSLATE_NOOP("frmMain", "Javascript"), QT_TRANSLATE_NOOP("frmMain", "JavaScript syntax")},
    {QT_TRANSLATE_NOOP("frmMain", "Scripts"), QT_TRANSLATE_NOOP("frmMain", "Scripts/functions")},
    {QT_TRANSLATE_NOOP("frmMain", "ASP"), QT_TRANSLATE_NOOP("frmMain", "Active Server Page commands")},
    {QT_TRANSLATE_NOOP("frmMain", "SSI"), QT_TRANSLATE_NOOP("frmMain", "Server-Side Includes commands")},
    {QT_TRANSLATE_NOOP("frmMain", "Sundry"), QT_TRANSLATE_NOOP("frmMain", "Sundry useful commands")},
};

QIcon iconFor(const QString& key)
{
    return DesktopColours::Icon(QStringLiteral(":/icons/") + key.toLower() + QStringLiteral(".svg"));
}

} // namespace

static void initResources()
{
    Q_INIT_RESOURCE(qrn);
}

frmMain::frmMain(QWidget* parent) : Workspace(parent)
{
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorlen"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/qrn.svg")));
    setAcceptDrops(true);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setBackground(DesktopColours::DocumentArea(palette()));
    // Closing a window activates the one used before it, not the oldest.
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (!sub)
            return;
        if (auto* doc = qobject_cast<frmDocument*>(sub->widget())) {
            doc->Form_Activate();
            emit activeDocumentChanged(doc);
        }
    });

    buildMenus();
    buildToolbars();
    buildSidebar();
    buildStatusBar();
    connect(SettingsNotifier::Instance(), &SettingsNotifier::changed, this, [this](const QString& what) {
        if (what == QLatin1String(SettingsNotifier::Tools)) {
            LoadUserTools();
        } else if (what == QLatin1String(SettingsNotifier::Dock)) {
            const auto area = GetSetting(Key::Dock, QString()) == QLatin1String("4")
                                  ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea;
            if (dockWidgetArea(m_sidebar) != area) {
                // Moving the dock must not show a sidebar the user has hidden.
                const bool hidden = m_sidebar->isHidden();
                addDockWidget(area, m_sidebar);
                m_sidebar->setHidden(hidden);
            }
        }
    });
}

frmMain::~frmMain() = default;

QAction* frmMain::Action(const QString& name) const
{
    return m_actions.value(name);
}

QMenu* frmMain::Menu(const QString& name) const
{
    return m_menus.value(name);
}

void frmMain::buildMenus()
{
    MenuTable::Build(menuBar(), m_actions, m_menus);
    // The Tools and Help items, Options and About are wired by their own rooms at start-up.
    const auto on = [this](const char* name, auto handler) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("mnuFileNew", &frmMain::mnuFileNew_Click);
    on("mnuFileOpen", &frmMain::mnuFileOpen_Click);
    on("mnuFileClose", &frmMain::mnuFileClose_Click);
    on("mnuFileCloseAll", &frmMain::mnuFileCloseAll_Click);
    on("mnuFileSave", [this] { mnuFileSave_Click(); });
    on("mnuFileSaveAs", [this] { mnuFileSaveAs_Click(); });
    on("mnuFileSaveAll", &frmMain::mnuFileSaveAll_Click);
    on("mnuFileProperties", &frmMain::mnuFileProperties_Click);
    on("mnuFilePrint", &frmMain::mnuFilePrint_Click);
    for (const auto& [name, encoding] : MenuTable::ReopenItems())
        on(name, [this, encoding] { ReopenWithEncoding(encoding); });
    for (int i = 1; i <= RecentFiles::Count; ++i)
        connect(Action(QStringLiteral("mnuFileMRU%1").arg(i)), &QAction::triggered, this, [this, i] { mnuFileMRU_Click(i); });
    on("mnuFileExit", &frmMain::mnuFileExit_Click);
    connect(Menu(QStringLiteral("mnuFile")), &QMenu::aboutToShow, this, &frmMain::syncFileSave);

    on("mnuEditUndo", &frmMain::mnuEditUndo_Click);
    on("mnuEditRedo", &frmMain::mnuEditRedo_Click);
    on("mnuEditCut", &frmMain::mnuEditCut_Click);
    on("mnuEditCopy", &frmMain::mnuEditCopy_Click);
    on("mnuEditPaste", &frmMain::mnuEditPaste_Click);
    on("mnuEditDelete", &frmMain::mnuEditDelete_Click);
    on("mnuEditDeleteLine", &frmMain::mnuEditDeleteLine_Click);
    on("mnuEditFind", &frmMain::mnuEditFind_Click);
    on("mnuEditFindNext", &frmMain::mnuEditFindNext_Click);
    on("mnuEditReplace", &frmMain::mnuEditReplace_Click);
    on("mnuEditGoto", &frmMain::mnuEditGoto_Click);
    on("mnuEditBookmarksNext", [this] { mnuEditBookmark_Click(CmCmd::BookmarkNext); });
    on("mnuEditBookmarksPrevious", [this] { mnuEditBookmark_Click(CmCmd::BookmarkPrev); });
    on("mnuEditBookmarksToggle", [this] { mnuEditBookmark_Click(CmCmd::BookmarkToggle); });
    on("mnuEditBookmarksClearAll", [this] { mnuEditBookmark_Click(CmCmd::BookmarkClearAll); });
    connect(Menu(QStringLiteral("mnuEdit")), &QMenu::aboutToShow, this, &frmMain::mnuEdit_DropDown);

    on("mnuViewLine", &frmMain::fctnApplyViewToDocs);
    on("mnuViewMargin", &frmMain::fctnApplyViewToDocs);
    on("mnuViewWhitespace", &frmMain::fctnApplyViewToDocs);
    on("mnuEditEolLF", [this] { ConvertLineBreaks(QStringLiteral("\n")); });
    on("mnuEditEolCRLF", [this] { ConvertLineBreaks(QStringLiteral("\r\n")); });
    on("mnuViewFold", &frmMain::fctnApplyViewToDocs);
    on("mnuViewWrap", &frmMain::fctnApplyViewToDocs);
    on("mnuViewToolbar", [this] { applyViewToggle(Action("mnuViewToolbar")); });
    on("mnuViewPowerBar", [this] { applyViewToggle(Action("mnuViewPowerBar")); });
    on("mnuViewSidebar", [this](bool checked) { fctnViewSidebar(checked); });
    on("mnuViewStatusBar", [this] { applyViewToggle(Action("mnuViewStatusBar")); });
    on("mnuViewEdit", &frmMain::mnuViewEdit_Click);
    on("mnuFileClearRecent", [this] {
        for (int i = 1; i <= RecentFiles::Count; ++i)
            m_recent.SetPath(i, QString());
        m_recent.PersistAll();
        refreshRecentMenu();
    });
    Menu(QStringLiteral("mnuFile"))->setToolTipsVisible(true);
    on("mnuViewZoomIn", [this] { SetZoom(m_zoom + 1); });
    on("mnuViewZoomOut", [this] { SetZoom(m_zoom - 1); });
    on("mnuViewZoomNormal", [this] { SetZoom(0); });
    // The keys other editors use as well: Ctrl+= beside Ctrl++, Ctrl+Shift+Z beside the Redo of Ctrl+A.
    Action("mnuViewZoomIn")->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    Action("mnuEditRedo")->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    on("mnuWindowNew", &frmMain::mnuFileNew_Click);
    on("mnuWindowTabbed", [this](bool checked) { SetTabbedDocuments(checked); });
    connect(Action(QStringLiteral("mnuWindowCascade")), &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    on("mnuWindowTileH", [this] { tileWindows(true); });
    on("mnuWindowTileV", [this] { tileWindows(false); });
    on("mnuWindowArrange", [this] {
        // Minimised windows in a row along the bottom.
        int x = 0;
        const int bottom = m_mdi->viewport()->height();
        for (auto* s : m_mdi->subWindowList()) {
            if (!s->isMinimized())
                continue;
            s->move(x, bottom - s->height());
            x += s->width();
        }
    });
    connect(Menu(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this, &frmMain::updateWindowMenu);
}

void frmMain::buildToolbars()
{
    m_toolbar1 = addToolBar(tr("Toolbar"));
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    m_toolbar1->setIconSize(QSize(20, 20));
    for (const ButtonDef& b : kToolbar1) {
        if (!b.key) {
            m_toolbarButtons << m_toolbar1->addSeparator();
            continue;
        }
        const QString key = QLatin1String(b.key);
        QAction* a = m_toolbar1->addAction(iconFor(key), tr(b.tip));
        a->setObjectName(QStringLiteral("Toolbar1_") + key);
        a->setData(key);
        a->setToolTip(tr(b.tip));
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        m_toolbarButtons << a;
        m_toolbarByKey.insert(key, a);
    }
    // Start as with no document: only New, Open and the last two.
    for (int pos = 3; pos <= 18; ++pos)
        ToolbarButtonAt(pos)->setEnabled(false);
    connect(ToolbarButton(QStringLiteral("Save")), &QAction::changed, this, &frmMain::syncFileSave);

    addToolBarBreak();
    m_toolbar2 = addToolBar(tr("Powerbar"));
    m_toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar2->setMovable(false);
    m_toolbar2->setIconSize(QSize(20, 20));
    m_toolbar2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (int i = 0; i < 11; ++i) {
        const QString key = QLatin1String(kToolbar2[i].key);
        auto* button = new QToolButton(m_toolbar2);
        button->setObjectName(QStringLiteral("Toolbar2_") + key);
        button->setIcon(iconFor(key));
        button->setText(tr(kToolbar2[i].key));
        button->setToolTip(tr(kToolbar2[i].tip));
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        auto* menu = new QMenu(button);
        menu->setObjectName(QStringLiteral("mnuPower") + key);
        button->setMenu(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, i] { m_activeMenuButton = i + 1; });
        button->setEnabled(false);
        m_toolbar2->addWidget(button);
        m_powerButtons[i] = button;
    }
    // The chevron a narrow window shows for the buttons that do not fit.
    for (QToolBar* bar : {m_toolbar1, m_toolbar2})
        if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(tr("More buttons"));
}

QAction* frmMain::ToolbarButton(const QString& key) const
{
    return m_toolbarByKey.value(key);
}

QAction* frmMain::ToolbarButtonAt(int position) const
{
    return m_toolbarButtons.value(position - 1);
}

void frmMain::buildSidebar()
{
    m_sidebar = new QDockWidget(tr("Sidebar"), this);
    m_sidebar->setObjectName(QStringLiteral("Picture1"));
    m_sidebar->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_sidebar->setTitleBarWidget(new QWidget(m_sidebar));
    auto* inner = new QWidget(m_sidebar);
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_list = new QListWidget(inner);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(tr("Tags and characters"));
    m_list->setEnabled(false);
    m_list->setMinimumWidth(120);
    layout->addWidget(m_list, 1);
    m_tabStrip = new QTabBar(inner);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setShape(QTabBar::RoundedSouth);
    m_tabStrip->addTab(tr("Tags"));
    m_tabStrip->addTab(tr("Chars"));
    m_tabStrip->setExpanding(true);
    layout->addWidget(m_tabStrip);
    m_sidebar->setWidget(inner);
    addDockWidget(Qt::LeftDockWidgetArea, m_sidebar);
}

StatusPanel* frmMain::MainPanel(int i) const
{
    return m_mainPanels.at(i - 1);
}

void frmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const char* texts[2] = {QT_TR_NOOP("Show/hide sidebar"), QT_TR_NOOP("Window list")};
    for (int i = 0; i < 2; ++i) {
        auto* p = new StatusPanel(bar);
        p->setObjectName(QStringLiteral("MainPanel%1").arg(i + 1));
        p->setText(tr(texts[i]));
        p->setToolTip(tr(texts[i]));
        p->setCursor(Qt::PointingHandCursor);
        p->SetBevel(i == 0 ? 1 : 2);
        connect(p, &StatusPanel::clicked, this, [this, i] { StatusBar1_PanelClick(i + 1); });
        bar->addWidget(p);
        m_mainPanels[i] = p;
    }
    auto* stretch = new QLabel(bar);
    stretch->setObjectName(QStringLiteral("MainPanel3"));
    stretch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(stretch, 1);
    auto indicator = [bar](const QString& name) {
        auto* l = new QLabel(bar);
        l->setObjectName(name);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMargin(2);
        bar->addPermanentWidget(l);
        return l;
    };
    // The lock keys, where the window system can tell (X11); greyed when off.
    if (ReadKeyboardLocks()) {
        const std::pair<const char*, const char*> locks[] = {
            {"MainPanelCaps", "CAPS"}, {"MainPanelNum", "NUM"}, {"MainPanelScroll", "SCRL"}};
        for (int i = 0; i < 3; ++i) {
            m_lockPanels[i] = indicator(QLatin1String(locks[i].first));
            m_lockPanels[i]->setText(QLatin1String(locks[i].second));
        }
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, &frmMain::updateIndicators);
        poll->start(1000);   // a lock changed while another window had the keyboard
    }
    m_insPanel = indicator(QStringLiteral("MainPanelIns"));
    m_insPanel->setText(QStringLiteral("INS"));
    m_insPanel->setToolTip(tr("Insert mode (press Insert to overwrite)"));
    qApp->installEventFilter(this);
    m_datePanel = indicator(QStringLiteral("MainPanelDate"));
    m_timePanel = indicator(QStringLiteral("MainPanelTime"));
    updateClock();
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &frmMain::updateClock);
    clock->start(15000);
}

void frmMain::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_datePanel->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
    m_timePanel->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
    updateIndicators();
}

void frmMain::updateIndicators()
{
    if (frmDocument* doc = ActiveDocument())
        m_insPanel->setText(doc->Editor()->overwriteMode() ? QStringLiteral("OVR") : QStringLiteral("INS"));
    if (!m_lockPanels[0])
        return;
    if (const auto locks = ReadKeyboardLocks()) {
        m_lockPanels[0]->setEnabled(locks->caps);
        m_lockPanels[1]->setEnabled(locks->num);
        m_lockPanels[2]->setEnabled(locks->scroll);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Shown as soon as the key is let go, not at the next clock tick.
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert || key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            QTimer::singleShot(0, this, &frmMain::updateIndicators);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_Load()
{
    // 1: the activation watcher.
    m_instance = new SingleInstance(this);
    connect(m_instance, &SingleInstance::Activated, this, &frmMain::OnHandOver);
    connect(m_instance, &SingleInstance::CommandLineReceived, this, [this](const QString& commandLine) {
        if (!takeHandOver(m_fromSlot, commandLine)) {
            m_fromSocket.append({commandLine, QDateTime::currentMSecsSinceEpoch()});
            OpenCommandLine(commandLine);
        }
    });
    m_instance->Listen();
    // An activation also picks up a command line handed over while no socket message came.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive || m_closing)
            return;
        ConsumeHandOver();
        if (frmDocument* doc = ActiveDocument())
            doc->CheckDiskChange();
    });

    restoreLayout();
    // Preview copies that a crashed run left behind.
    CopyRegistry::ClearLeftovers();

    // 9: the first document. It may ask something (the new-page wizard, a missing
    // file), which the splash must not cover.
    HideSplash();
    const QString commandLine = CommandLine();
    const bool restored = Session::Enabled() && restoreSession();
    if (!commandLine.isEmpty())
        OpenCommandLine(commandLine);
    else if (!restored)
        fctnNewDoc();
    SetTabbedDocuments(m_startTabbed);
}

Session::State frmMain::currentSession() const
{
    Session::State state;
    // Creation order is also the order of the tabs, which follows their moves.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        auto* doc = qobject_cast<frmDocument*>(sub->widget());
        if (!doc || !doc->HasFile())
            continue;
        Session::File file{doc->PathPanel()};
        doc->Editor()->getCursorPosition(&file.line, &file.index);
        const TextEncoding encoding = doc->Editor()->Format().encoding;
        if (IsChosenOnly(encoding))
            file.encoding = encoding;
        if (doc == ActiveDocument())
            state.active = int(state.files.size());
        state.files << file;
    }
    return state;
}

bool frmMain::restoreSession()
{
    const Session::State state = Session::Load();
    frmDocument* active = nullptr;
    bool any = false;
    for (int i = 0; i < state.files.size() && !m_closing && !m_closeWhenIdle; ++i) {
        const Session::File& file = state.files.at(i);
        frmDocument* doc = CreateDocument();
        // Loaded as a plain open, but without reordering the recent files.
        if (!doc->LoadFile(QFileInfo(file.path).fileName(), file.path, file.encoding)) {
            DiscardIfEmpty(doc);
            continue;
        }
        any = true;
        doc->Editor()->setCursorPosition(file.line, file.index);
        if (i == state.active)
            active = doc;
    }
    if (active && active->SubWindow())
        m_mdi->setActiveSubWindow(active->SubWindow());
    return any;
}

void frmMain::LoadUserTools()
{
    bool any = false;
    for (int i = 4; i >= 1; --i) {
        QAction* a = Action(QStringLiteral("mnuToolsE%1").arg(i));
        const QString caption = GetSetting(Key::Tool(i), QString());
        if (!caption.isEmpty()) {
            a->setText(caption);
            a->setData(GetSetting(Key::ToolExe(i), QString()));
            a->setVisible(true);
            any = true;
        } else {
            a->setText(QStringLiteral("&%1").arg(i));
            a->setData(QString());
            a->setVisible(false);
        }
    }
    Action("mnuToolsBar4")->setVisible(any);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::PaletteChange || !m_toolbar2)
        return;
    // The desktop turned light or dark: our own colours and icons follow it.
    m_mdi->setBackground(DesktopColours::DocumentArea(palette()));
    for (QAction* a : std::as_const(m_toolbarButtons))
        if (!a->isSeparator())
            a->setIcon(iconFor(a->data().toString()));
    for (QToolButton* b : m_powerButtons)
        b->setIcon(iconFor(b->objectName().mid(int(qstrlen("Toolbar2_")))));
    for (frmDocument* doc : Documents())   // colours only: fonts stay as the document has them
        ColourScheme::WriteStoredKinds(doc->Editor(), DefaultsFor::Program);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A document that an operation works on cannot go yet: the operation is
    // cancelled, and the exit goes on once the last one has ended.
    bool busy = false;
    for (frmDocument* doc : Documents()) {
        if (doc->IsBusy()) {
            busy = true;
            doc->CancelBusy();
        }
    }
    if (busy) {
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    m_closing = true;
    if (Session::Enabled())
        Session::Save(currentSession());
    // Each document asks its own save question; one Cancel stops the exit.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        m_mdi->setActiveSubWindow(sub);
        if (!sub->close()) {
            m_closing = false;
            event->ignore();
            return;
        }
    }
    delete m_instance;
    m_instance = nullptr;
    saveLayout();
    event->accept();
}

void frmMain::syncFileSave()
{
    // Also between drop-downs, so that Ctrl+S acts exactly when the button does.
    Action("mnuFileSave")->setEnabled(ToolbarButton(QStringLiteral("Save"))->isEnabled());
    syncReopenMenu();
}

void frmMain::fctnShowDocMenus(bool show)
{
    for (const char* n : {"mnuFileClose", "mnuFileCloseAll", "mnuFileSave", "mnuFileSaveAs", "mnuFileSaveAll",
                          "mnuFileBar1", "mnuFilePrint", "mnuFileBar2", "mnuFileProperties", "mnuFileBar3",
                          "mnuViewBar1", "mnuViewLine", "mnuViewMargin", "mnuViewWhitespace"}) {
        Action(QLatin1String(n))->setVisible(show);
        if (show)
            Action(QLatin1String(n))->setEnabled(true);
    }
    Menu(QStringLiteral("mnuFileReopenEnc"))->menuAction()->setVisible(show);
    syncFileSave();
    Menu(QStringLiteral("mnuEdit"))->menuAction()->setVisible(show);
    m_list->setEnabled(show);
}

void frmMain::refreshCommandsFor(frmDocument* doc)
{
    // Only the active document speaks for the main window's commands.
    if (ActiveDocument() != doc)
        return;
    const CodeMax1* e = doc->Editor();
    applyCommandStates(CommandStatesFor({true, doc->IsEditMode(), e->Modified(), e->CanUndo(), e->CanRedo(), e->CanCut(),
                                         e->CanCopy(), e->CanPaste(), Action(QStringLiteral("mnuViewEdit"))->isChecked()}));
    // Keep the Edit items in step too, so their shortcuts follow the buttons.
    mnuEdit_DropDown();
    syncReopenMenu();
}

void frmMain::DisableCommandsForNoDocument()
{
    fctnShowDocMenus(false);
    applyCommandStates(CommandStatesFor({}));
}

void frmMain::applyCommandStates(const CommandStates& states)
{
    for (const auto& [key, on] : states.buttons)
        ToolbarButton(key)->setEnabled(on);
    if (states.editMenu)
        Menu(QStringLiteral("mnuEdit"))->menuAction()->setEnabled(*states.editMenu);
    for (int i = 1; i <= 11; ++i)
        PowerbarButton(i)->setEnabled(states.powerbar);
    if (states.viewOptions)
        for (const char* name : {"mnuViewWhitespace", "mnuViewLine", "mnuViewMargin"})
            Action(QLatin1String(name))->setEnabled(*states.viewOptions);
}

