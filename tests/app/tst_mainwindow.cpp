#include <QDockWidget>
#include <QMdiArea>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "TestEnv.h"
#include "app/Settings.h"
#include "app/ShellRoutines.h"
#include "document/CodeMax1.h"

class TestMainWindow : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

    static bool visibleIn(frmMain* m, QWidget* w) { return w->isVisibleTo(m); }

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void foundAmongTopLevelWidgets()
    {
        StartMain();
        frmMain* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmMain")
                found = qobject_cast<frmMain*>(w);
        QVERIFY(found);
        QCOMPARE(found->windowTitle(), QStringLiteral("Quorlen"));
        QVERIFY(found->isVisible());
        QCOMPARE(found->Documents().size(), 1);
        QCOMPARE(found->Documents().first()->Caption(), QStringLiteral("Document 1"));
    }

    void freshProfileLayout()
    {
        frmMain* m = StartMain();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(m->pos(), QPoint(1000 / 15, 1000 / 15));
        QCOMPARE(m->width(), (screen.width() * 15 - 2000) / 15);
        QCOMPARE(m->height(), (screen.height() * 15 - 2000) / 15);
        for (const char* name : {"mnuViewToolbar", "mnuViewPowerBar", "mnuViewStatusBar", "mnuViewMargin",
                                 "mnuViewLine", "mnuViewSidebar"})
            QVERIFY2(m->Action(name)->isChecked(), name);
        QVERIFY(!m->Action("mnuViewWhitespace")->isChecked());
        QVERIFY(visibleIn(m, m->Toolbar1()));
        QVERIFY(visibleIn(m, m->Toolbar2()));
        QVERIFY(visibleIn(m, m->statusBar()));
        QVERIFY(visibleIn(m, m->Picture1()));
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        QCOMPARE(m->TabStrip1()->currentIndex(), 0);
        QCOMPARE(m->TabStrip1()->tabText(0), QStringLiteral("Tags"));
        QCOMPARE(m->TabStrip1()->tabText(1), QStringLiteral("Chars"));
        QCOMPARE(m->MainPanel(1)->Bevel(), 1);
        // The document takes the View options.
        CodeMax1* e = m->ActiveDocument()->Editor();
        QVERIFY(e->LineNumbering());
        QVERIFY(e->DisplayLeftMargin());
        QVERIFY(!e->DisplayWhitespace());
    }

    void menusAndButtons()
    {
        frmMain* m = StartMain();
        // Captions and shortcuts a user relies on.
        const QList<std::tuple<const char*, const char*, QKeySequence>> items = {
            {"mnuFileNew", "&New", QKeySequence("Ctrl+N")},      {"mnuFileOpen", "&Open...", QKeySequence("Ctrl+O")},
            {"mnuFileSaveAs", "Save &As...", QKeySequence("F11")}, {"mnuFileSaveAll", "Save A&ll", QKeySequence("F12")},
            {"mnuEditRedo", "&Redo", QKeySequence("Ctrl+A")},    {"mnuEditDeleteLine", "Delete &Line", QKeySequence("Ctrl+Y")},
            {"mnuEditFindNext", "Find &Next", QKeySequence("F3")}, {"mnuEditBookmarksPrevious", "&Previous", QKeySequence("Shift+F2")},
            {"mnuToolsOptions", "&Options...", QKeySequence("F6")}, {"mnuToolsBrowser", "&External Browser", QKeySequence("Ctrl+E")},
            {"mnuToolsE3", "&3", QKeySequence("Shift+F7")},       {"mnuHelpAbout", "&About...", QKeySequence("F1")},
            {"mnuViewEdit", "Maximise &edit view", QKeySequence()}, {"mnuWindowTileH", "Tile &Horizontal", QKeySequence()},
        };
        for (const auto& [name, text, key] : items) {
            QAction* a = m->Action(name);
            QVERIFY2(a, name);
            QCOMPARE(a->text(), QString::fromUtf8(text));
            QCOMPARE(a->shortcut(), key);
        }
        const QStringList keys = {"New", "Open", "Save", "", "Undo", "Redo", "", "Cut", "Copy", "Paste", "",
                                  "Find", "Replace", "", "Spell", "Compress", "Tidy", "External", "", "Exit"};
        QCOMPARE(m->ToolbarButtonCount(), keys.size());
        for (int pos = 1; pos <= keys.size(); ++pos)
            QCOMPARE(m->ToolbarButtonAt(pos)->data().toString(), keys.at(pos - 1));
        QCOMPARE(m->ToolbarButton("Compress")->toolTip(), QStringLiteral("Basic HTML compression"));
        QCOMPARE(m->PowerbarButton(10)->toolTip(), QStringLiteral("Server-Side Includes commands"));
        QVERIFY(!m->PowerbarButton(1)->icon().isNull());
        // Spell check only with a dictionary installed.
        QCOMPARE(m->Action("mnuToolsSpellCheck")->isVisible(), !Probe::Dictionaries().isEmpty());
        QCOMPARE(m->ToolbarButton("Spell")->isVisible(), !Probe::Dictionaries().isEmpty());
        // No user tools configured: the four items and their separator are hidden.
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!m->Action(QStringLiteral("mnuToolsE%1").arg(i))->isVisible());
        QVERIFY(!m->Action("mnuToolsBar4")->isVisible());
    }

    void userToolsFromSettings()
    {
        SaveSetting("Config", "Tool2", "Validator");
        SaveSetting("Config", "ToolExe2", "/usr/bin/true");
        frmMain* m = StartMain();
        QVERIFY(m->Action("mnuToolsE2")->isVisible());
        QCOMPARE(m->Action("mnuToolsE2")->text(), QStringLiteral("Validator"));
        QCOMPARE(m->Action("mnuToolsE2")->data().toString(), QStringLiteral("/usr/bin/true"));
        QVERIFY(!m->Action("mnuToolsE1")->isVisible());
        QVERIFY(m->Action("mnuToolsBar4")->isVisible());
    }

    void widthClamp_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("expected");
        QTest::newRow("off the right edge") << 12000 << 9000 << 15360 << 2360;
        QTest::newRow("fits") << 1000 << 9000 << 15360 << 9000;
        QTest::newRow("exactly at the edge") << 6360 << 9000 << 15360 << 9000;
    }
    void widthClamp()
    {
        QFETCH(int, start);
        QFETCH(int, extent);
        QFETCH(int, screen);
        QFETCH(int, expected);
        QCOMPARE(frmMain::ClampExtent(start, extent, screen), expected);
    }

    void savedPositionIsClamped()
    {
        const int screenW = QGuiApplication::primaryScreen()->geometry().width() * 15;
        const int left = screenW / 3;
        SaveSetting("Config", "MainLeft", QString::number(left));
        SaveSetting("Config", "MainWidth", QString::number(screenW));
        frmMain* m = StartMain();
        QCOMPARE(m->width(), (screenW - left - 1000) / 15);
    }

    void layoutRoundTrip()
    {
        frmMain* m = StartMain();
        m->Action("mnuViewToolbar")->trigger();
        m->Action("mnuViewWhitespace")->trigger();
        m->TabStrip1()->setCurrentIndex(1);
        m->StatusBar1_PanelClick(1);  // hides the sidebar
        m->move(200, 150);
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Tbar"), QStringLiteral("False"));
        QCOMPARE(GetSetting("Config", "Whitespace"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Pbar"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Lbar"), QStringLiteral("2"));
        QCOMPARE(GetSetting("Config", "View"), QStringLiteral("2"));
        QCOMPARE(GetSetting("Config", "Dock"), QStringLiteral("3"));
        QCOMPARE(GetSetting("Config", "MainLeft"), QStringLiteral("3000"));
        QCOMPARE(GetSetting("Config", "WindowState"), QStringLiteral("0"));
        QCOMPARE(GetSetting("Config", "FullIns"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "NewDoc"), QStringLiteral("False"));
        QVERIFY(GetSetting("Config", "WorkDir").endsWith('/'));

        m = StartMain();
        QVERIFY(!m->Action("mnuViewToolbar")->isChecked());
        QVERIFY(!m->Toolbar1()->isVisibleTo(m));
        QVERIFY(m->Action("mnuViewWhitespace")->isChecked());
        QVERIFY(m->ActiveDocument()->Editor()->DisplayWhitespace());
        QCOMPARE(m->TabStrip1()->currentIndex(), 1);
        QVERIFY(!m->Picture1()->isVisibleTo(m));
        QCOMPARE(m->MainPanel(1)->Bevel(), 2);
        QCOMPARE(m->pos(), QPoint(200, 150));
    }

    void sidebarDockedRight()
    {
        SaveSetting("Config", "Dock", "4");
        frmMain* m = StartMain();
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::RightDockWidgetArea);
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Dock"), QStringLiteral("4"));
    }

    void minimisedExit()
    {
        frmMain* m = StartMain();
        CloseMain(prompter);
        const QString left = GetSetting("Config", "MainLeft");
        SaveSetting("Config", "MainLeft", "777");
        m = StartMain();
        m->showMinimized();
        QTRY_VERIFY(m->isMinimized());
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "WindowState"), QStringLiteral("1"));
        QCOMPARE(GetSetting("Config", "MainLeft"), QStringLiteral("777"));
        Q_UNUSED(left);
    }

    void powerbarMovesUp()
    {
        frmMain* m = StartMain();
        QTRY_VERIFY(m->Toolbar2()->y() > m->Toolbar1()->y());
        const int top = m->Toolbar1()->y();
        m->Action("mnuViewToolbar")->trigger();    // toolbar hidden
        m->Action("mnuViewPowerBar")->trigger();   // powerbar hidden
        m->Action("mnuViewPowerBar")->trigger();   // powerbar shown again
        QVERIFY(m->Toolbar2()->isVisibleTo(m));
        QTRY_COMPARE(m->Toolbar2()->y(), top);
    }

    void maximiseEditViewAndBack()
    {
        frmMain* m = StartMain();
        m->Action("mnuViewSidebar")->trigger();    // sidebar hidden beforehand
        QVERIFY(!m->Picture1()->isVisibleTo(m));
        m->Action("mnuViewEdit")->trigger();
        QVERIFY(m->Action("mnuViewEdit")->isChecked());
        QVERIFY(!m->Toolbar1()->isVisibleTo(m));
        QVERIFY(!m->Toolbar2()->isVisibleTo(m));
        QVERIFY(!m->statusBar()->isVisibleTo(m));
        QVERIFY(!m->Picture1()->isVisibleTo(m));
        QVERIFY(!m->ActiveDocument()->Editor()->LineNumbering());
        // Greyed out, showing what returning restores.
        QVERIFY(!m->Action("mnuViewToolbar")->isEnabled());
        QVERIFY(m->Action("mnuViewToolbar")->isChecked());
        QVERIFY(!m->Action("mnuViewSidebar")->isChecked());

        m->Action("mnuViewEdit")->trigger();
        QVERIFY(!m->Action("mnuViewEdit")->isChecked());
        QVERIFY(m->Toolbar1()->isVisibleTo(m));
        QVERIFY(m->Toolbar2()->isVisibleTo(m));
        QVERIFY(m->statusBar()->isVisibleTo(m));
        QVERIFY(!m->Picture1()->isVisibleTo(m));
        QVERIFY(m->ActiveDocument()->Editor()->LineNumbering());
        QVERIFY(m->ActiveDocument()->Editor()->DisplayLeftMargin());
        QVERIFY(m->Action("mnuViewToolbar")->isEnabled());
        QVERIFY(m->Action("mnuViewLine")->isEnabled());
    }

    void exitWhileMaximised()
    {
        frmMain* m = StartMain();
        m->Action("mnuViewPowerBar")->trigger();   // powerbar off before
        m->Action("mnuViewEdit")->trigger();
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Tbar"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Pbar"), QStringLiteral("False"));
        QCOMPARE(GetSetting("Config", "Sbar"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Margin"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "LineNo"), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "View"), QStringLiteral("2"));
    }

    void statusPanels()
    {
        frmMain* m = StartMain();
        QCOMPARE(m->MainPanel(1)->text(), QStringLiteral("Show/hide sidebar"));
        QCOMPARE(m->MainPanel(2)->text(), QStringLiteral("Window list"));
        QTest::mouseClick(m->MainPanel(1), Qt::LeftButton);
        QCOMPARE(m->MainPanel(1)->Bevel(), 2);
        QVERIFY(!m->Picture1()->isVisibleTo(m));
        QVERIFY(!m->Action("mnuViewSidebar")->isChecked());
        QTest::mouseClick(m->MainPanel(1), Qt::LeftButton);
        QCOMPARE(m->MainPanel(1)->Bevel(), 1);
        QVERIFY(m->Picture1()->isVisibleTo(m));
    }

    void nonNumberInLayoutReportsAndContinues()
    {
        SaveSetting("Config", "Dock", "left");
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain();
        QVERIFY(m);
        QCOMPARE(prompter->messages(),
                 QStringList{"13: Type mismatch\n\nThese settings could not be read; their defaults are used: Config/Dock."});
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
    }

    void windowMenuArranges()
    {
        frmMain* m = StartMain();
        m->fctnNewDoc();
        m->Action("mnuWindowTileV")->trigger();
        const auto subs = m->MdiArea()->subWindowList();
        QCOMPARE(subs.size(), 2);
        QCOMPARE(subs.at(0)->y(), subs.at(1)->y());
        QVERIFY(subs.at(0)->x() != subs.at(1)->x());
        m->Action("mnuWindowTileH")->trigger();
        QCOMPARE(subs.at(0)->x(), subs.at(1)->x());
        QVERIFY(subs.at(0)->y() != subs.at(1)->y());
        m->Action("mnuWindowNew")->trigger();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 3"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
