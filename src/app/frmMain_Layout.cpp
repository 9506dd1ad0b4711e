// The main window's layout: restoring and saving it, keeping windows on the
// screen, the document windows' placement and the View menu.
#include "app/frmMain.h"

#include "app/Main.h"
#include "base/Settings.h"
#include "base/ShellRoutines.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kTwipsPerPixel = 15;
// The View menu's check marks and the values they are kept in.
const QList<std::pair<const char*, SettingKey>>& viewMarks()
{
    static const QList<std::pair<const char*, SettingKey>> marks = {
        {"mnuViewToolbar", Key::Tbar}, {"mnuViewPowerBar", Key::Pbar}, {"mnuViewStatusBar", Key::Sbar},
        {"mnuViewMargin", Key::Margin}, {"mnuViewLine", Key::LineNo}, {"mnuViewWhitespace", Key::Whitespace},
        {"mnuViewFold", Key::Fold}, {"mnuViewWrap", Key::Wrap}};
    return marks;
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

void frmMain::restoreLayout()
{
    // 2: position, clamped to the screen.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int screenW = area.width() * kTwipsPerPixel;
    const int screenH = area.height() * kTwipsPerPixel;
    const int left = SaneTwips(StartupFloat(Key::MainLeft), screenW);
    const int top = SaneTwips(StartupFloat(Key::MainTop), screenH);
    const int width = ClampExtent(left, SaneTwips(StartupFloat(Key::MainWidth), screenW), screenW);
    const int height = ClampExtent(top, SaneTwips(StartupFloat(Key::MainHeight), screenH), screenH);
    move(left / kTwipsPerPixel, top / kTwipsPerPixel);
    // Never larger than the screen, never too small to use.
    resize(std::clamp(width / kTwipsPerPixel, 200, std::max(200, area.width())),
           std::clamp(height / kTwipsPerPixel, 150, std::max(150, area.height())));
    const int state = StartupInt(Key::WindowState);
    setWindowState(state == 1 ? Qt::WindowMinimized : state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);

    // 3: check marks.
    for (const auto& [action, key] : viewMarks())
        Action(QLatin1String(action))->setChecked(StartupBool(key));

    // 4: sidebar.
    m_tabStrip->setCurrentIndex(StartupInt(Key::Lbar) == 2 ? 1 : 0);
    m_zoom = std::clamp(StartupInt(Key::Zoom), -10, 20);
    // Tabs are put up once the first documents are there (Form_Load): a document added
    // to tabs of a window not yet shown would not become the active one.
    m_startTabbed = StartupBool(Key::Tabbed);
    addDockWidget(StartupInt(Key::Dock) == 4 ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea,
                  m_sidebar);
    fctnViewSidebar(StartupInt(Key::View) == 1);

    // 5-6: recent files and user tools.
    QString stored[RecentFiles::Count + 1];
    for (int i = RecentFiles::Count; i >= 1; --i)
        m_recent.Add(stored[i] = GetSetting(Key::Recent(i), QString()));
    // Written back only where reading changed the list, so that a start writes nothing.
    for (int i = 1; i <= RecentFiles::Count; ++i)
        if (m_recent.Path(i) != stored[i])
            m_recent.Persist(i);
    refreshRecentMenu();
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

void frmMain::saveLayout()
{
    // Errors writing the layout are ignored: the settings keep their old values.
    if (!isMinimized()) {
        const QPoint pos = this->pos();
        SaveSetting(Key::MainLeft, SettingText::FromFloat(pos.x() * kTwipsPerPixel));
        SaveSetting(Key::MainTop, SettingText::FromFloat(pos.y() * kTwipsPerPixel));
        const QSize size = isMaximized() ? normalGeometry().size() : this->size();
        SaveSetting(Key::MainWidth, SettingText::FromFloat(size.width() * kTwipsPerPixel));
        SaveSetting(Key::MainHeight, SettingText::FromFloat(size.height() * kTwipsPerPixel));
    }
    SaveSetting(Key::WindowState, QString::number(stateOf(this)));
    for (const auto& [action, key] : viewMarks())
        SaveSetting(key, SettingText::FromBool(Action(QLatin1String(action))->isChecked()));
    SaveSetting(Key::Lbar, QString::number(m_tabStrip->currentIndex() + 1));
    SaveSetting(Key::Dock,
                QString::number(dockWidgetArea(m_sidebar) == Qt::RightDockWidgetArea ? 4 : 3));
    SaveSetting(Key::View, QString::number(MainPanel(1)->Bevel()));
    m_recent.PersistAll();
    QString cwd = QDir::currentPath();
    if (!cwd.endsWith(QLatin1Char('/')))
        cwd += QLatin1Char('/');
    SaveSetting(Key::WorkDir, cwd);
    SaveSetting(Key::FullIns, SettingText::FromBool(OptFullIns));
    SaveSetting(Key::NewDoc, SettingText::FromBool(OptNewDoc));
}

void frmMain::placeSubWindow(QMdiSubWindow* sub, int index)
{
    // Before the main window is first shown its area has no real size yet;
    // the windows are placed again once it has (showEvent). A small area is
    // still a real one: at a large scale the windows must fit it too.
    const QSize area = m_mdi->viewport()->size();
    if (!m_placedOnShow || area.isEmpty() || sub->isMinimized() || sub->isMaximized())
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
    // The area has its size once the window is laid out.
    QTimer::singleShot(0, this, [this] {
        m_placedOnShow = true;
        const QList<QMdiSubWindow*> subs = m_mdi->subWindowList();
        for (int i = 0; i < subs.size(); ++i)
            placeSubWindow(subs.at(i), i);
    });
}

void frmMain::fctnApplyViewToDocs()
{
    const bool line = Action("mnuViewLine")->isChecked();
    const bool margin = Action("mnuViewMargin")->isChecked();
    const bool ws = Action("mnuViewWhitespace")->isChecked();
    const bool fold = Action("mnuViewFold")->isChecked();
    const bool wrap = Action("mnuViewWrap")->isChecked();
    for (frmDocument* doc : Documents()) {
        doc->Editor()->SetLineNumbering(line);
        doc->Editor()->SetDisplayLeftMargin(margin);
        doc->Editor()->SetDisplayWhitespace(ws);
        doc->Editor()->SetFoldMargin(fold);
        doc->Editor()->SetWordWrap(wrap);
    }
}

void frmMain::SetZoom(int zoom)
{
    // The range the control allows: ten points smaller, twenty larger.
    zoom = std::clamp(zoom, -10, 20);
    const bool changed = zoom != m_zoom;
    m_zoom = zoom;
    for (frmDocument* doc : Documents())
        if (doc->Editor()->SendScintilla(QsciScintillaBase::SCI_GETZOOM) != zoom)
            doc->Editor()->SendScintilla(QsciScintillaBase::SCI_SETZOOM, long(zoom));
    if (changed)
        SaveSetting(Key::Zoom, QString::number(zoom));
}

bool frmMain::TabbedDocuments() const
{
    return m_mdi->viewMode() == QMdiArea::TabbedView;
}

void frmMain::SetTabbedDocuments(bool tabbed)
{
    Action("mnuWindowTabbed")->setChecked(tabbed);
    // Arranging windows means nothing to tabs.
    for (const char* name : {"mnuWindowCascade", "mnuWindowTileH", "mnuWindowTileV", "mnuWindowArrange"})
        Action(QLatin1String(name))->setEnabled(!tabbed);
    if (tabbed == TabbedDocuments())
        return;
    QMdiSubWindow* active = m_mdi->currentSubWindow();
    m_mdi->setViewMode(tabbed ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    if (tabbed) {
        m_mdi->setDocumentMode(true);
        m_mdi->setTabsClosable(true);
        m_mdi->setTabsMovable(true);
    } else {
        // The tabs left every window maximised; back to the window layout.
        const QList<QMdiSubWindow*> subs = m_mdi->subWindowList();
        for (int i = 0; i < subs.size(); ++i) {
            subs.at(i)->showNormal();
            placeSubWindow(subs.at(i), i);
        }
    }
    if (active)
        m_mdi->setActiveSubWindow(active);
    SaveSetting(Key::Tabbed, SettingText::FromBool(tabbed));   // written only when it differs
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
