// The rows of the File, Edit, View, Tools, Window and Help menus.
#include "app/MenuTable.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace MenuTable {
namespace {
constexpr QKeyCombination None{};
constexpr QKeyCombination Ctrl(Qt::Key k) { return Qt::CTRL | k; }
constexpr QKeyCombination Shift(Qt::Key k) { return Qt::SHIFT | k; }
constexpr QKeyCombination Plain(Qt::Key k) { return QKeyCombination(k); }
} // namespace

const QList<Row>& Rows()
{
    static const QList<Row> rows = {
        {"", "mnuFile", QT_TRANSLATE_NOOP("frmMain", "&File"), None, TopMenu},
        {"mnuFile", "mnuFileNew", QT_TRANSLATE_NOOP("frmMain", "&New"), Ctrl(Qt::Key_N), Item},
        {"mnuFile", "mnuFileOpen", QT_TRANSLATE_NOOP("frmMain", "&Open..."), Ctrl(Qt::Key_O), Item},
        {"mnuFile", "mnuFileClose", QT_TRANSLATE_NOOP("frmMain", "&Close"), None, Disabled},
        {"mnuFile", "mnuFileCloseAll", QT_TRANSLATE_NOOP("frmMain", "Clos&e All"), None, Disabled},
        {"mnuFile", "mnuFileBar0", "", None, Separator},
        {"mnuFile", "mnuFileSave", QT_TRANSLATE_NOOP("frmMain", "&Save"), Ctrl(Qt::Key_S), Disabled},
        {"mnuFile", "mnuFileSaveAs", QT_TRANSLATE_NOOP("frmMain", "Save &As..."), Plain(Qt::Key_F11), Disabled},
        {"mnuFile", "mnuFileSaveAll", QT_TRANSLATE_NOOP("frmMain", "Save A&ll"), Plain(Qt::Key_F12), Disabled},
        {"mnuFile", "mnuFileBar1", "", None, Separator},
        {"mnuFile", "mnuFileProperties", QT_TRANSLATE_NOOP("frmMain", "Propert&ies"), None, Disabled},
        {"mnuFile", "mnuFileReopenEnc", QT_TRANSLATE_NOOP("frmMain", "&Reopen with Encoding"), None, SubMenu | Disabled},
        {"mnuFileReopenEnc", "mnuFileReopenUtf8", "UTF-8", None, Checkable},
        {"mnuFileReopenEnc", "mnuFileReopenUtf16", "UTF-16", None, Checkable},
        {"mnuFileReopenEnc", "mnuFileReopenLatin1", "ISO-8859-1", None, Checkable},
        {"mnuFileReopenEnc", "mnuFileReopenWin1252", "Windows-1252", None, Checkable},
        {"mnuFileReopenEnc", "mnuFileReopenLatin9", "ISO-8859-15", None, Checkable},
        {"mnuFile", "mnuFileBar2", "", None, Separator},
        {"mnuFile", "mnuFilePrint", QT_TRANSLATE_NOOP("frmMain", "&Print..."), Ctrl(Qt::Key_P), Disabled},
        {"mnuFile", "mnuFileBar3", "", None, Separator},
        {"mnuFile", "mnuFileMRU1", "&1", None, Hidden},
        {"mnuFile", "mnuFileMRU2", "&2", None, Hidden},
        {"mnuFile", "mnuFileMRU3", "&3", None, Hidden},
        {"mnuFile", "mnuFileMRU4", "&4", None, Hidden},
        {"mnuFile", "mnuFileClearRecent", QT_TRANSLATE_NOOP("frmMain", "Clear Recent Files"), None, Hidden},
        {"mnuFile", "mnuFileBar4", "", None, Separator | Hidden},
        {"mnuFile", "mnuFileExit", QT_TRANSLATE_NOOP("frmMain", "E&xit"), Ctrl(Qt::Key_Q), Item},

        {"", "mnuEdit", QT_TRANSLATE_NOOP("frmMain", "&Edit"), None, TopMenu | Disabled},
        {"mnuEdit", "mnuEditUndo", QT_TRANSLATE_NOOP("frmMain", "&Undo"), Ctrl(Qt::Key_Z), Item},
        {"mnuEdit", "mnuEditRedo", QT_TRANSLATE_NOOP("frmMain", "&Redo"), Ctrl(Qt::Key_A), Item},
        {"mnuEdit", "mnuEditBar0", "", None, Separator},
        {"mnuEdit", "mnuEditCut", QT_TRANSLATE_NOOP("frmMain", "Cu&t"), Ctrl(Qt::Key_X), Item},
        {"mnuEdit", "mnuEditCopy", QT_TRANSLATE_NOOP("frmMain", "&Copy"), Ctrl(Qt::Key_C), Item},
        {"mnuEdit", "mnuEditPaste", QT_TRANSLATE_NOOP("frmMain", "&Paste"), Ctrl(Qt::Key_V), Item},
        {"mnuEdit", "mnuEditDelete", QT_TRANSLATE_NOOP("frmMain", "&Delete"), Plain(Qt::Key_Delete), Item},
        {"mnuEdit", "mnuEditDeleteLine", QT_TRANSLATE_NOOP("frmMain", "Delete &Line"), Ctrl(Qt::Key_Y), Item},
        {"mnuEdit", "mnuEditBar1", "", None, Separator},
        {"mnuEdit", "mnuEditFind", QT_TRANSLATE_NOOP("frmMain", "&Find"), Ctrl(Qt::Key_F), Item},
        {"mnuEdit", "mnuEditFindNext", QT_TRANSLATE_NOOP("frmMain", "Find &Next"), Plain(Qt::Key_F3), Item},
        {"mnuEdit", "mnuEditReplace", QT_TRANSLATE_NOOP("frmMain", "&Replace"), Ctrl(Qt::Key_H), Item},
        {"mnuEdit", "mnuEditGoto", QT_TRANSLATE_NOOP("frmMain", "&Goto..."), None, Item},
        {"mnuEdit", "mnuEditLineEndings", QT_TRANSLATE_NOOP("frmMain", "Line &Endings"), None, SubMenu},
        {"mnuEditLineEndings", "mnuEditEolLF", QT_TRANSLATE_NOOP("frmMain", "&LF (Linux, macOS)"), None, Checkable},
        {"mnuEditLineEndings", "mnuEditEolCRLF", QT_TRANSLATE_NOOP("frmMain", "&CR LF (Windows)"), None, Checkable},
        {"mnuEdit", "mnuEditBar2", "", None, Separator},
        {"mnuEdit", "mnuEditBookmarks", QT_TRANSLATE_NOOP("frmMain", "&Bookmarks"), None, SubMenu},
        {"mnuEditBookmarks", "mnuEditBookmarksNext", QT_TRANSLATE_NOOP("frmMain", "&Next"), Plain(Qt::Key_F2), Item},
        {"mnuEditBookmarks", "mnuEditBookmarksPrevious", QT_TRANSLATE_NOOP("frmMain", "&Previous"), Shift(Qt::Key_F2), Item},
        {"mnuEditBookmarks", "mnuEditBookmarksToggle", QT_TRANSLATE_NOOP("frmMain", "&Toggle"), Ctrl(Qt::Key_F2), Item},
        {"mnuEditBookmarks", "mnuEditBookmarksClearAll", QT_TRANSLATE_NOOP("frmMain", "&Clear All"), None, Item},

        {"", "mnuView", QT_TRANSLATE_NOOP("frmMain", "&View"), None, TopMenu},
        {"mnuView", "mnuViewLine", QT_TRANSLATE_NOOP("frmMain", "&Line Numbers"), None, Checkable | Disabled},
        {"mnuView", "mnuViewMargin", QT_TRANSLATE_NOOP("frmMain", "&Margins"), None, Checkable | Checked | Disabled},
        {"mnuView", "mnuViewWhitespace", QT_TRANSLATE_NOOP("frmMain", "&Whitespace"), None, Checkable | Checked | Disabled},
        {"mnuView", "mnuViewFold", QT_TRANSLATE_NOOP("frmMain", "&Fold margin"), None, Checkable},
        {"mnuView", "mnuViewWrap", QT_TRANSLATE_NOOP("frmMain", "Word w&rap"), None, Checkable},
        {"mnuView", "mnuViewLivePreview", QT_TRANSLATE_NOOP("frmMain", "Li&ve Preview"), None, Checkable | Disabled},
        {"mnuView", "mnuViewBar1", "", None, Separator},
        {"mnuView", "mnuViewToolbar", QT_TRANSLATE_NOOP("frmMain", "&Toolbar"), None, Checkable | Checked},
        {"mnuView", "mnuViewPowerBar", QT_TRANSLATE_NOOP("frmMain", "&Powerbar"), None, Checkable | Checked},
        {"mnuView", "mnuViewSidebar", QT_TRANSLATE_NOOP("frmMain", "&Sidebar"), None, Checkable | Checked},
        {"mnuView", "mnuViewStatusBar", QT_TRANSLATE_NOOP("frmMain", "Status&bar"), None, Checkable | Checked},
        {"mnuView", "mnuViewBar2", "", None, Separator},
        {"mnuView", "mnuViewEdit", QT_TRANSLATE_NOOP("frmMain", "Maximise &edit view"), None, Checkable},
        {"mnuView", "mnuViewBar3", "", None, Separator},
        {"mnuView", "mnuViewZoomIn", QT_TRANSLATE_NOOP("frmMain", "Zoom &In"), Ctrl(Qt::Key_Plus), Item},
        {"mnuView", "mnuViewZoomOut", QT_TRANSLATE_NOOP("frmMain", "Zoom &Out"), Ctrl(Qt::Key_Minus), Item},
        {"mnuView", "mnuViewZoomNormal", QT_TRANSLATE_NOOP("frmMain", "&Normal Size"), Ctrl(Qt::Key_0), Item},

        {"", "mnuTools", QT_TRANSLATE_NOOP("frmMain", "&Tools"), None, TopMenu},
        {"mnuTools", "mnuToolsRepeat", QT_TRANSLATE_NOOP("frmMain", "&Repeat"), Ctrl(Qt::Key_R), Item},
        {"mnuTools", "mnuToolsBar0", "", None, Separator},
        {"mnuTools", "mnuToolsDate", QT_TRANSLATE_NOOP("frmMain", "&Date"), Ctrl(Qt::Key_D), Item},
        {"mnuTools", "mnuToolsTime", QT_TRANSLATE_NOOP("frmMain", "&Time"), Ctrl(Qt::Key_T), Item},
        {"mnuTools", "mnuToolsBar1", "", None, Separator},
        {"mnuTools", "mnuToolsCase", QT_TRANSLATE_NOOP("frmMain", "&Change Case"), None, SubMenu},
        {"mnuToolsCase", "mnuToolsCaseUpper", QT_TRANSLATE_NOOP("frmMain", "&Uppercase    Shift+Ctrl+U"), None, Item},
        {"mnuToolsCase", "mnuToolsCaseLower", QT_TRANSLATE_NOOP("frmMain", "&Lowercase    Ctrl+U"), None, Item},
        {"mnuTools", "mnuToolsBar2", "", None, Separator},
        {"mnuTools", "mnuToolsClip", QT_TRANSLATE_NOOP("frmMain", "Clipboard Viewer"), None, Item},
        {"mnuTools", "mnuToolsBar3", "", None, Separator},
        {"mnuTools", "mnuToolsSpellCheck", QT_TRANSLATE_NOOP("frmMain", "&Spell Check"), Plain(Qt::Key_F7), Item},
        {"mnuTools", "mnuToolsCompress", QT_TRANSLATE_NOOP("frmMain", "&Basic HTML Compression"), None, Item},
        {"mnuTools", "mnuToolsBreakLines", QT_TRANSLATE_NOOP("frmMain", "Break &long lines"), None, Item},
        {"mnuTools", "mnuToolsTidy", QT_TRANSLATE_NOOP("frmMain", "&HTML Tidy"), None, Item},
        {"mnuTools", "mnuToolsBrowser", QT_TRANSLATE_NOOP("frmMain", "&External Browser"), Ctrl(Qt::Key_E), Item},
        {"mnuTools", "mnuToolsBar5", "", None, Separator},
        {"mnuTools", "mnuToolsExplorer", QT_TRANSLATE_NOOP("frmMain", "Windows Explorer"), Plain(Qt::Key_F5), Item},
        {"mnuTools", "mnuToolsBar4", "", None, Separator},
        {"mnuTools", "mnuToolsE1", "&1", Shift(Qt::Key_F5), Hidden},
        {"mnuTools", "mnuToolsE2", "&2", Shift(Qt::Key_F6), Hidden},
        {"mnuTools", "mnuToolsE3", "&3", Shift(Qt::Key_F7), Hidden},
        {"mnuTools", "mnuToolsE4", "&4", Shift(Qt::Key_F8), Hidden},
        {"mnuTools", "mnuToolsBar6", "", None, Separator},
        {"mnuTools", "mnuToolsOptions", QT_TRANSLATE_NOOP("frmMain", "&Options..."), Plain(Qt::Key_F6), Item},

        {"", "mnuWindow", QT_TRANSLATE_NOOP("frmMain", "&Window"), None, TopMenu},
        {"mnuWindow", "mnuWindowNew", QT_TRANSLATE_NOOP("frmMain", "&New window"), None, Item},
        {"mnuWindow", "mnuWindowBar0", "", None, Separator},
        {"mnuWindow", "mnuWindowTabbed", QT_TRANSLATE_NOOP("frmMain", "&Tabbed documents"), None, Checkable},
        {"mnuWindow", "mnuWindowBar1", "", None, Separator},
        {"mnuWindow", "mnuWindowCascade", QT_TRANSLATE_NOOP("frmMain", "&Cascade"), None, Item},
        {"mnuWindow", "mnuWindowTileH", QT_TRANSLATE_NOOP("frmMain", "Tile &Horizontal"), None, Item},
        {"mnuWindow", "mnuWindowTileV", QT_TRANSLATE_NOOP("frmMain", "Tile &Vertical"), None, Item},
        {"mnuWindow", "mnuWindowArrange", QT_TRANSLATE_NOOP("frmMain", "&Arrange Icons"), None, Item},

        {"", "mnuHelp", QT_TRANSLATE_NOOP("frmMain", "&Help"), None, TopMenu},
        {"mnuHelp", "mnuHelpHTML", QT_TRANSLATE_NOOP("frmMain", "&HTML Reference"), None, Item},
        {"mnuHelp", "mnuHelpCSS", QT_TRANSLATE_NOOP("frmMain", "CSS &Reference"), None, Item},
        {"mnuHelp", "mnuHelpBar0", "", None, Separator},
        {"mnuHelp", "mnuHelpDonate", QT_TRANSLATE_NOOP("frmMain", "&Donate"), None, Item},
        {"mnuHelp", "mnuHelpNet", QT_TRANSLATE_NOOP("frmMain", "QRN on the &Web"), None, Item},
        {"mnuHelp", "mnuHelpAbout", QT_TRANSLATE_NOOP("frmMain", "&About..."), Plain(Qt::Key_F1), Item},
    };
    return rows;
}

const QList<QPair<const char*, TextEncoding>>& ReopenItems()
{
    static const QList<QPair<const char*, TextEncoding>> items = {
        {"mnuFileReopenUtf8", TextEncoding::Utf8},
        {"mnuFileReopenUtf16", TextEncoding::Utf16LE},
        {"mnuFileReopenLatin1", TextEncoding::Latin1},
        {"mnuFileReopenWin1252", TextEncoding::Windows1252},
        {"mnuFileReopenLatin9", TextEncoding::Latin9},
    };
    return items;
}

void Build(QMenuBar* bar, QHash<QString, QAction*>& actions, QHash<QString, QMenu*>& menus)
{
    for (const Row& row : Rows()) {
        const QString name = QLatin1String(row.name);
        const QString caption = QCoreApplication::translate("frmMain", row.caption);
        QAction* action = nullptr;
        if (row.flags & TopMenu) {
            QMenu* m = bar->addMenu(caption);
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            menus.insert(name, m);
            action = m->menuAction();
        } else if (row.flags & SubMenu) {
            QMenu* m = menus.value(QLatin1String(row.menu))->addMenu(caption);
            m->setObjectName(name);
            menus.insert(name, m);
            action = m->menuAction();
        } else {
            QMenu* in = menus.value(QLatin1String(row.menu));
            action = (row.flags & Separator) ? in->addSeparator() : in->addAction(caption);
            action->setObjectName(name);
            if (row.key != None)
                action->setShortcut(QKeySequence(row.key));
            action->setCheckable(row.flags & Checkable);
            action->setChecked(row.flags & Checked);
            actions.insert(name, action);
        }
        if (row.flags & Disabled)
            action->setEnabled(false);
        if (row.flags & Hidden)
            action->setVisible(false);
    }
}
} // namespace MenuTable
