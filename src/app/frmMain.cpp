#include "app/frmMain.h"

#include "app/CommandStates.h"
#include "app/KeyboardLocks.h"
#include "app/MenuTable.h"

#include "app/Main.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "base/ShellRoutines.h"
#include "app/SingleInstance.h"
#include "document/CodeMax1.h"
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
constexpr int kTwipsPerPixel = 15;
const QString kConfig = QStringLiteral("Config");

struct ButtonDef {
    const char* key;
    const char* tip;
};

// Main toolbar by position; a null key is a separator.
const ButtonDef kToolbar1[] = {
    {"New", "New"}, {"Open", "Open"}, {"Save", "Save"}, {nullptr, nullptr},
    {"Undo", "Undo"}, {"Redo", "Redo"}, {nullptr, nullptr},
    {"Cut", "Cut"}, {"Copy", "Copy"}, {"Paste", "Paste"}, {nullptr, nullptr},
    {"Find", "Find"}, {"Replace", "Replace"}, {nullptr, nullptr},
    {"Spell", "Spell check"}, {"Compress", "Basic HTML compression"}, {"Tidy", "HTML Tidy"},
    {"External", "External browser"}, {nullptr, nullptr}, {"Exit", "Exit"},
};

const ButtonDef kToolbar2[] = {
    {"Basic", "Basic HTML commands"},       {"Format", "Format commands"},
    {"List", "List commands"},              {"Table", "Table commands"},
    {"Form", "Form commands"},              {"Frame", "Frameset commands"},
    {"Javascript", "JavaScript syntax"},    {"Scripts", "Scripts/functions"},
    {"ASP", "Active Server Page commands"}, {"SSI", "Server-Side Includes commands"},
    {"Sundry", "Sundry useful commands"},
};

QIcon iconFor(const QString& key)
{
    return QIcon(QStringLiteral(":/icons/") + key.toLower() + QStringLiteral(".svg"));
}

int stateOf(const QWidget* w)
{
    if (w->isMinimized())
        return 1;
    if (w->isMaximized())
        return 2;
    return 0;
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
    m_mdi->setBackground(QColor(0x8a, 0x94, 0xa3));
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
            const auto area = GetSetting(kConfig, QStringLiteral("Dock"), QString()) == QLatin1String("4")
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
    on("mnuViewToolbar", [this] { applyViewToggle(Action("mnuViewToolbar")); });
    on("mnuViewPowerBar", [this] { applyViewToggle(Action("mnuViewPowerBar")); });
    on("mnuViewSidebar", [this](bool checked) { fctnViewSidebar(checked); });
    on("mnuViewStatusBar", [this] { applyViewToggle(Action("mnuViewStatusBar")); });
    on("mnuViewEdit", &frmMain::mnuViewEdit_Click);

    on("mnuWindowNew", &frmMain::mnuFileNew_Click);
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

// Horizontal: windows stacked one above the other, each the full width; vertical: side by side.
void frmMain::tileWindows(bool horizontal)
{
    QList<QMdiSubWindow*> visible;
    for (QMdiSubWindow* s : m_mdi->subWindowList())
        if (!s->isMinimized() && s->isVisible())
            visible << s;
    if (visible.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = int(visible.size());
    for (int i = 0; i < n; ++i) {
        visible[i]->showNormal();
        if (horizontal)
            visible[i]->setGeometry(0, i * (area.height() / n), area.width(), area.height() / n);
        else
            visible[i]->setGeometry(i * (area.width() / n), 0, area.width() / n, area.height());
    }
}

void frmMain::updateWindowMenu()
{
    QMenu* window = Menu(QStringLiteral("mnuWindow"));
    for (QAction* a : window->actions())
        if (a->property("windowListEntry").toBool())
            window->removeAction(a), a->deleteLater();
    const auto subs = m_mdi->subWindowList();
    if (subs.isEmpty())
        return;
    QAction* s = window->addSeparator();
    s->setProperty("windowListEntry", true);
    int n = 0;
    for (QMdiSubWindow* sub : subs) {
        ++n;
        const QString text = (n < 10 ? QStringLiteral("&%1 ").arg(n) : QString()) + sub->windowTitle();
        QAction* a = window->addAction(text);
        a->setProperty("windowListEntry", true);
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            m_mdi->setActiveSubWindow(sub);
        });
    }
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
        button->setText(key);
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
    const char* texts[2] = {"Show/hide sidebar", "Window list"};
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

int frmMain::ClampExtent(int start, int extent, int screenExtent)
{
    // Any stored numbers: the sums must not overflow.
    if (qint64(start) + extent > screenExtent)
        return int(std::clamp<qint64>(qint64(screenExtent) - start - 1000, INT_MIN, INT_MAX));
    return extent;
}

int frmMain::SaneTwips(double stored, int screenExtent)
{
    // A position or size past a few screens is a damaged setting, not a layout.
    const double limit = 4.0 * std::max(screenExtent, 1);
    return std::isnan(stored) ? 0 : int(std::clamp(stored, -limit, limit));
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
    if (commandLine.isEmpty())
        fctnNewDoc();
    else
        OpenCommandLine(commandLine);
}

void frmMain::restoreLayout()
{
    // 2: position, clamped to the screen.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int screenW = area.width() * kTwipsPerPixel;
    const int screenH = area.height() * kTwipsPerPixel;
    const int left = SaneTwips(StartupFloat(QStringLiteral("MainLeft")), screenW);
    const int top = SaneTwips(StartupFloat(QStringLiteral("MainTop")), screenH);
    const int width = ClampExtent(left, SaneTwips(StartupFloat(QStringLiteral("MainWidth")), screenW), screenW);
    const int height = ClampExtent(top, SaneTwips(StartupFloat(QStringLiteral("MainHeight")), screenH), screenH);
    move(left / kTwipsPerPixel, top / kTwipsPerPixel);
    // Never larger than the screen, never too small to use.
    resize(std::clamp(width / kTwipsPerPixel, 200, std::max(200, area.width())),
           std::clamp(height / kTwipsPerPixel, 150, std::max(150, area.height())));
    const int state = StartupInt(QStringLiteral("WindowState"));
    setWindowState(state == 1 ? Qt::WindowMinimized : state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);

    // 3: check marks.
    const std::pair<const char*, const char*> marks[] = {
        {"mnuViewToolbar", "Tbar"}, {"mnuViewPowerBar", "Pbar"}, {"mnuViewStatusBar", "Sbar"},
        {"mnuViewMargin", "Margin"}, {"mnuViewLine", "LineNo"}, {"mnuViewWhitespace", "Whitespace"}};
    for (const auto& [action, key] : marks)
        Action(QLatin1String(action))->setChecked(StartupBool(QLatin1String(key)));

    // 4: sidebar.
    m_tabStrip->setCurrentIndex(StartupInt(QStringLiteral("Lbar")) == 2 ? 1 : 0);
    addDockWidget(StartupInt(QStringLiteral("Dock")) == 4 ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea,
                  m_sidebar);
    fctnViewSidebar(StartupInt(QStringLiteral("View")) == 1);

    // 5-6: recent files and user tools.
    for (int i = 4; i >= 1; --i)
        AddRecentFile(GetSetting(QStringLiteral("MRU"), QString::number(i), QString()), i == 1);
    LoadUserTools();

    // 7: bars.
    m_toolbar1->setVisible(Action("mnuViewToolbar")->isChecked());
    m_toolbar2->setVisible(Action("mnuViewPowerBar")->isChecked());
    statusBar()->setVisible(Action("mnuViewStatusBar")->isChecked());

    // 8: optional components.
    const bool spelling = Probe::SpellingAvailable();
    ToolbarButton(QStringLiteral("Spell"))->setVisible(spelling);
    Action("mnuToolsSpellCheck")->setVisible(spelling);
    const bool browser = Probe::BrowserAvailable();
    ToolbarButton(QStringLiteral("External"))->setVisible(browser);
    Action("mnuToolsBrowser")->setVisible(browser);
}

void frmMain::LoadUserTools()
{
    bool any = false;
    for (int i = 4; i >= 1; --i) {
        QAction* a = Action(QStringLiteral("mnuToolsE%1").arg(i));
        const QString caption = GetSetting(kConfig, QStringLiteral("Tool%1").arg(i), QString());
        if (!caption.isEmpty()) {
            a->setText(caption);
            a->setData(GetSetting(kConfig, QStringLiteral("ToolExe%1").arg(i), QString()));
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

void frmMain::saveLayout()
{
    // Errors writing the layout are ignored: the settings keep their old values.
    if (!isMinimized()) {
        const QPoint pos = this->pos();
        SaveSetting(kConfig, QStringLiteral("MainLeft"), SettingText::FromFloat(pos.x() * kTwipsPerPixel));
        SaveSetting(kConfig, QStringLiteral("MainTop"), SettingText::FromFloat(pos.y() * kTwipsPerPixel));
        const QSize size = isMaximized() ? normalGeometry().size() : this->size();
        SaveSetting(kConfig, QStringLiteral("MainWidth"), SettingText::FromFloat(size.width() * kTwipsPerPixel));
        SaveSetting(kConfig, QStringLiteral("MainHeight"), SettingText::FromFloat(size.height() * kTwipsPerPixel));
    }
    SaveSetting(kConfig, QStringLiteral("WindowState"), QString::number(stateOf(this)));
    const std::pair<const char*, const char*> marks[] = {
        {"mnuViewToolbar", "Tbar"}, {"mnuViewPowerBar", "Pbar"}, {"mnuViewStatusBar", "Sbar"},
        {"mnuViewMargin", "Margin"}, {"mnuViewLine", "LineNo"}, {"mnuViewWhitespace", "Whitespace"}};
    for (const auto& [action, key] : marks)
        SaveSetting(kConfig, QLatin1String(key), SettingText::FromBool(Action(QLatin1String(action))->isChecked()));
    SaveSetting(kConfig, QStringLiteral("Lbar"), QString::number(m_tabStrip->currentIndex() + 1));
    SaveSetting(kConfig, QStringLiteral("Dock"),
                QString::number(dockWidgetArea(m_sidebar) == Qt::RightDockWidgetArea ? 4 : 3));
    SaveSetting(kConfig, QStringLiteral("View"), QString::number(MainPanel(1)->Bevel()));
    m_recent.PersistAll();
    QString cwd = QDir::currentPath();
    if (!cwd.endsWith(QLatin1Char('/')))
        cwd += QLatin1Char('/');
    SaveSetting(kConfig, QStringLiteral("WorkDir"), cwd);
    SaveSetting(kConfig, QStringLiteral("FullIns"), SettingText::FromBool(OptFullIns));
    SaveSetting(kConfig, QStringLiteral("NewDoc"), SettingText::FromBool(OptNewDoc));
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

// --- documents ---------------------------------------------------------------

QList<frmDocument*> frmMain::Documents() const
{
    QList<frmDocument*> docs;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* doc = qobject_cast<frmDocument*>(sub->widget()))
            docs << doc;
    return docs;
}

frmDocument* frmMain::ActiveDocument() const
{
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub) {
        // While the main window is not active Qt reports no active sub-window.
        sub = m_mdi->currentSubWindow();
    }
    return sub ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
}

void frmMain::placeSubWindow(QMdiSubWindow* sub, int index)
{
    // Before the main window is first shown its area has no real size yet;
    // the windows are placed again once it has (showEvent).
    const QSize area = m_mdi->viewport()->size();
    if (area.width() < 200 || area.height() < 150 || sub->isMinimized() || sub->isMaximized())
        return;
    // Cascading from the top left by a title bar, sized to lie wholly inside the area.
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) + 4;
    const QSize size = (area * 0.8).expandedTo(QSize(160, 120)).boundedTo(area);
    const int room = std::min((area.width() - size.width()) / step, (area.height() - size.height()) / step);
    const int k = room > 0 ? index % (room + 1) : 0;
    sub->setGeometry(QRect(QPoint(k * step, k * step), size));
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_placedOnShow)
        return;
    m_placedOnShow = true;
    // The area has its size once the window is laid out.
    QTimer::singleShot(0, this, [this] {
        const QList<QMdiSubWindow*> subs = m_mdi->subWindowList();
        for (int i = 0; i < subs.size(); ++i)
            placeSubWindow(subs.at(i), i);
    });
}

frmDocument* frmMain::CreateDocument()
{
    auto* doc = new frmDocument(this);
    connect(doc, &frmDocument::commandsChanged, this, [this, doc] { refreshCommandsFor(doc); });
    connect(doc, &frmDocument::activating, this, [this] { fctnShowDocMenus(true); });
    connect(doc, &frmDocument::contextMenuRequested, this, [this](const QPoint& pos) {
        Menu(QStringLiteral("mnuEdit"))->popup(pos);
    });
    connect(doc, &frmDocument::lastClosing, this, &frmMain::DisableCommandsForNoDocument);
    QMdiSubWindow* sub = m_mdi->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QIcon(QStringLiteral(":/icons/new.svg")));
    sub->resize(760, 480);   // until the area has its real size (see placeSubWindow)
    int state = 0;
    try {
        state = Setting::Int(kConfig, QStringLiteral("DocState"));
    } catch (const SettingsError&) {
    }
    if (state == 1)
        sub->showMinimized();
    else if (state == 2)
        sub->showMaximized();
    else
        sub->show();
    placeSubWindow(sub, int(m_mdi->subWindowList().size()) - 1);
    // Resizes and state changes are remembered for the next new window.
    connect(sub, &QMdiSubWindow::windowStateChanged, doc, [doc] { doc->SaveDocState(); });
    connect(doc, &frmDocument::BusyChanged, this, [this](bool busy) {
        if (busy || !m_closeWhenIdle)
            return;
        for (frmDocument* d : Documents())
            if (d->IsBusy())
                return;
        m_closeWhenIdle = false;
        QTimer::singleShot(0, this, &QWidget::close);
    });
    emit DocumentCreated(doc);
    m_mdi->setActiveSubWindow(sub);
    doc->Form_Activate();
    doc->Editor()->SetFocus();
    return doc;
}

frmDocument* frmMain::fctnNewDoc()
{
    ++m_docCount;
    frmDocument* doc = CreateDocument();
    doc->SetCaption(tr("Document %1").arg(m_docCount));
    if (OptNewDoc)
        RunNewPageWizard(this);
    return doc;
}

frmDocument* frmMain::RestoreDocument(const Recovery::Entry& entry)
{
    Recovery::Entry e = entry;
    if (e.path.isEmpty()) {
        bool taken = e.number <= 0;
        for (frmDocument* d : Documents())
            taken = taken || d->Caption().remove(QLatin1Char('*')) == tr("Document %1").arg(e.number);
        if (taken)
            e.number = m_docCount + 1;
        m_docCount = std::max(m_docCount, e.number);
        e.caption = tr("Document %1").arg(e.number);
    }
    frmDocument* doc = CreateDocument();
    doc->RestoreFrom(e);
    return doc;
}

bool frmMain::fctnLoadDocument(const QString& title, const QString& path)
{
    frmDocument* doc = ActiveDocument();
    if (!doc)
        return false;
    if (!doc->LoadFile(title, path))
        return false;
    AddRecentFile(path, true);
    return true;
}

void frmMain::OpenCommandLine(const QString& commandLine)
{
    if (commandLine.isEmpty())
        return;
    const QString path = commandLine.mid(1, commandLine.size() - 2);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        // Qt holds file names as UTF-8; one that is not arrives with its bytes replaced.
        const QString why = !info.exists() && path.contains(QChar::ReplacementCharacter)
            ? tr("\nIts name is not valid UTF-8, which this program cannot use; rename the file.")
            : QString();
        MsgBox(commandLine + tr(" could not be opened.") + why, MsgButtons::OKOnly, MsgIcon::Exclamation);
        return;
    }
    QString longPath = fctnLongPath(path);
    if (longPath.isEmpty())
        longPath = QString(commandLine).remove(QLatin1Char('"'));
    frmDocument* doc = CreateDocument();
    if (!fctnLoadDocument(QFileInfo(longPath).fileName(), longPath))
        DiscardIfEmpty(doc);
}

void frmMain::DiscardIfEmpty(frmDocument* doc)
{
    // A window made for a file that could not be read is not left behind empty;
    // one that holds text (a new-page wizard's page) stays.
    if (doc && !doc->Editor()->Modified())
        if (QMdiSubWindow* sub = doc->SubWindow())
            sub->close();
}

void frmMain::OnHandOver()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    ConsumeHandOver();
}

bool frmMain::takeHandOver(QList<HandOver>& list, const QString& commandLine)
{
    // A start sends its line over the socket and writes it to the slot too, so
    // each can arrive both ways; it is opened by whichever comes first. What is
    // not matched within a while was only sent one way.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    list.removeIf([now](const HandOver& h) { return now - h.when > 30000; });
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).commandLine == commandLine) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

void frmMain::ConsumeHandOver()
{
    const QString command = GetSetting(kConfig, QStringLiteral("Command"), QString());
    if (command.isEmpty())
        return;
    SaveSetting(kConfig, QStringLiteral("Command"), QString());
    if (takeHandOver(m_fromSocket, command))
        return;
    m_fromSlot.append({command, QDateTime::currentMSecsSinceEpoch()});
    OpenCommandLine(command);
}

void frmMain::syncFileSave()
{
    // Also between drop-downs, so that Ctrl+S acts exactly when the button does.
    Action("mnuFileSave")->setEnabled(ToolbarButton(QStringLiteral("Save"))->isEnabled());
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

// --- recent files --------------------------------------------------------------

void frmMain::AddRecentFile(const QString& path, bool refresh)
{
    m_recent.Add(path);
    if (!refresh)
        return;
    m_recent.PersistAll();
    refreshRecentMenu();
}

void frmMain::refreshRecentMenu()
{
    for (int i = 1; i <= RecentFiles::Count; ++i) {
        QAction* a = Action(QStringLiteral("mnuFileMRU%1").arg(i));
        a->setText(m_recent.Caption(i));
        a->setData(m_recent.Path(i));
        a->setVisible(m_recent.Visible(i));
    }
    Action("mnuFileBar4")->setVisible(m_recent.Visible(1));
    Action("mnuFileBar3")->setVisible(Action("mnuFilePrint")->isVisible());
}

void frmMain::mnuFileMRU_Click(int index)
{
    const QString path = m_recent.Path(index);
    if (path.isEmpty())
        return;
    const QList<frmDocument*> docs = Documents();
    const bool reuse = docs.size() == 1 && docs.first()->Caption() == QLatin1String("Document 1");
    bool open = false;
    for (frmDocument* doc : docs) {
        if (doc->PathPanel() == path) {
            m_mdi->setActiveSubWindow(doc->SubWindow());
            open = true;
        }
    }
    if (open)
        return;
    const QFileInfo info(path);
    const QString caption = m_recent.Caption(index);
    if (info.exists() && info.isFile() && info.fileName() == caption.mid(3)) {
        if (!reuse)
            CreateDocument();
        fctnLoadDocument(info.fileName(), path);
        return;
    }
    MsgBox(QLatin1Char('\'') + path +
               tr("' was either moved or deleted, and so will be removed from the 'most recently used' list of files."),
           MsgButtons::OKOnly, MsgIcon::Exclamation);
    m_recent.Remove(index);
    refreshRecentMenu();
}

// --- view ----------------------------------------------------------------------

void frmMain::fctnApplyViewToDocs()
{
    const bool line = Action("mnuViewLine")->isChecked();
    const bool margin = Action("mnuViewMargin")->isChecked();
    const bool ws = Action("mnuViewWhitespace")->isChecked();
    for (frmDocument* doc : Documents()) {
        doc->Editor()->SetLineNumbering(line);
        doc->Editor()->SetDisplayLeftMargin(margin);
        doc->Editor()->SetDisplayWhitespace(ws);
    }
}

void frmMain::applyViewToggle(QAction* action)
{
    const bool on = action->isChecked();
    if (action == Action("mnuViewToolbar")) {
        m_toolbar1->setVisible(on);
    } else if (action == Action("mnuViewPowerBar")) {
        m_toolbar2->setVisible(on);
    } else if (action == Action("mnuViewStatusBar")) {
        statusBar()->setVisible(on);
    } else {
        fctnApplyViewToDocs();
    }
}

// Programmatic clicks: invert the mark and apply it, as a user's click does.
void frmMain::mnuViewLine_Click()
{
    Action("mnuViewLine")->setChecked(!Action("mnuViewLine")->isChecked());
    fctnApplyViewToDocs();
}

void frmMain::mnuViewMargin_Click()
{
    Action("mnuViewMargin")->setChecked(!Action("mnuViewMargin")->isChecked());
    fctnApplyViewToDocs();
}

void frmMain::mnuViewToolbar_Click()
{
    Action("mnuViewToolbar")->setChecked(!Action("mnuViewToolbar")->isChecked());
    applyViewToggle(Action("mnuViewToolbar"));
}

void frmMain::mnuViewPowerBar_Click()
{
    Action("mnuViewPowerBar")->setChecked(!Action("mnuViewPowerBar")->isChecked());
    applyViewToggle(Action("mnuViewPowerBar"));
}

void frmMain::mnuViewSidebar_Click()
{
    fctnViewSidebar(!Action("mnuViewSidebar")->isChecked());
}

void frmMain::mnuViewStatusBar_Click()
{
    Action("mnuViewStatusBar")->setChecked(!Action("mnuViewStatusBar")->isChecked());
    applyViewToggle(Action("mnuViewStatusBar"));
}

void frmMain::fctnViewSidebar(bool show)
{
    MainPanel(1)->SetBevel(show ? 1 : 2);
    m_sidebar->setVisible(show);
    Action("mnuViewSidebar")->setChecked(show);
}

void frmMain::mnuViewEdit_Click()
{
    static const char* const six[6] = {"mnuViewLine",     "mnuViewMargin",  "mnuViewToolbar",
                                       "mnuViewPowerBar", "mnuViewSidebar", "mnuViewStatusBar"};
    QAction* edit = Action("mnuViewEdit");
    const bool going = !edit->property("checkedMark").toBool();
    for (int i = 0; i < 6; ++i) {
        QAction* a = Action(QLatin1String(six[i]));
        if (going) {
            MaxViewSaved[i] = a->isChecked();
            a->setChecked(true);
        } else {
            a->setChecked(!MaxViewSaved[i]);
        }
    }
    mnuViewLine_Click();
    mnuViewMargin_Click();
    mnuViewToolbar_Click();
    mnuViewPowerBar_Click();
    mnuViewSidebar_Click();
    mnuViewStatusBar_Click();
    edit->setProperty("checkedMark", going);
    edit->setCheckable(true);
    edit->setChecked(going);
    for (int i = 0; i < 6; ++i) {
        QAction* a = Action(QLatin1String(six[i]));
        a->setChecked(MaxViewSaved[i]);
        a->setEnabled(!going);
    }
    if (!going) {
        // The three document items follow the Edit menu again.
        const bool docOpen = ActiveDocument() != nullptr;
        for (const char* n : {"mnuViewLine", "mnuViewMargin", "mnuViewWhitespace"})
            Action(QLatin1String(n))->setEnabled(docOpen);
    }
}

void frmMain::StatusBar1_PanelClick(int panel)
{
    if (panel == 1)
        fctnViewSidebar(MainPanel(1)->Bevel() == 2);
    else if (panel == 2)
        Menu(QStringLiteral("mnuWindow"))->popup(QCursor::pos());
}

// --- drag and drop ----------------------------------------------------------------

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}
