#include <QLabel>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "base/Settings.h"
#include "base/ShellRoutines.h"
#include "document/CodeMax1.h"

class TestMainWindow : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    void freshProfileLayout()
    {
        StartMain();
        frmMain* m = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmMain")
                m = qobject_cast<frmMain*>(w);
        QVERIFY(m && m->isVisible());
        QCOMPARE(m->windowTitle(), QStringLiteral("Quorlen"));
        QCOMPARE(m->Documents().size(), 1);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(QRect(m->pos(), m->size()), QRect(1000 / 15, 1000 / 15, (screen.width() * 15 - 2000) / 15,
                                      (screen.height() * 15 - 2000) / 15));
        for (const char* name : {"mnuViewToolbar", "mnuViewPowerBar", "mnuViewStatusBar", "mnuViewMargin",
                                 "mnuViewLine", "mnuViewSidebar"})
            QVERIFY2(m->Action(name)->isChecked(), name);
        QVERIFY(!m->Action("mnuViewWhitespace")->isChecked());
        for (QWidget* w : QList<QWidget*>{m->Toolbar1(), m->Toolbar2(), m->statusBar(), m->Picture1()})
            QVERIFY2(w->isVisibleTo(m), qPrintable(w->objectName()));
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        QCOMPARE(m->TabStrip1()->currentIndex(), 0);
        QCOMPARE(m->MainPanel(1)->Bevel(), 1);
        CodeMax1* e = m->ActiveDocument()->Editor();  // the document takes the View options
        QVERIFY(e->LineNumbering() && e->DisplayLeftMargin() && !e->DisplayWhitespace());
    }

    void menusAndButtons()
    {
        frmMain* m = StartMain();
        // Shortcuts a user relies on.
        const QList<std::pair<const char*, const char*>> keys = {
            {"mnuFileNew", "Ctrl+N"},      {"mnuFileOpen", "Ctrl+O"},          {"mnuFileSaveAs", "F11"},
            {"mnuFileSaveAll", "F12"},     {"mnuEditRedo", "Ctrl+A"},          {"mnuEditDeleteLine", "Ctrl+Y"},
            {"mnuEditFindNext", "F3"},     {"mnuEditBookmarksPrevious", "Shift+F2"}, {"mnuToolsOptions", "F6"},
            {"mnuToolsBrowser", "Ctrl+E"}, {"mnuToolsE3", "Shift+F7"},         {"mnuHelpAbout", "F1"},
        };
        for (const auto& [name, key] : keys)
            QCOMPARE(m->Action(name)->shortcut(), QKeySequence(key));
        QStringList buttons;
        for (int pos = 1; pos <= m->ToolbarButtonCount(); ++pos)
            buttons << m->ToolbarButtonAt(pos)->data().toString();
        QCOMPARE(buttons.join(','), QStringLiteral("New,Open,Save,,Undo,Redo,,Cut,Copy,Paste,,Find,Replace,,Spell,"
                                                   "Compress,Tidy,External,,Exit"));
        QVERIFY(!m->PowerbarButton(1)->icon().isNull());
        // Spell check only with a dictionary installed.
        QCOMPARE(m->Action("mnuToolsSpellCheck")->isVisible(), !Probe::Dictionaries().isEmpty());
        QCOMPARE(m->ToolbarButton("Spell")->isVisible(), !Probe::Dictionaries().isEmpty());
        // No user tools configured: the four items and their separator are hidden.
        for (const char* name : {"mnuToolsE1", "mnuToolsE2", "mnuToolsE3", "mnuToolsE4", "mnuToolsBar4"})
            QVERIFY2(!m->Action(name)->isVisible(), name);
    }

    void widthClamp()
    {
        for (auto [start, expected] : QList<std::pair<int, int>>{{12000, 2360}, {1000, 9000}, {6360, 9000}})
            QCOMPARE(frmMain::ClampExtent(start, 9000, 15360), expected);
        // A saved width that would run off the screen is cut at its edge, less a margin.
        const int screenW = QGuiApplication::primaryScreen()->geometry().width() * 15;
        SaveSetting("Config", "MainLeft", QString::number(screenW / 3));
        SaveSetting("Config", "MainWidth", QString::number(screenW));
        QCOMPARE(StartMain()->width(), (screenW - screenW / 3 - 1000) / 15);
    }

    void layoutRoundTrip()
    {
        frmMain* m = StartMain();
        m->Action("mnuViewToolbar")->trigger();
        m->Action("mnuViewWhitespace")->trigger();
        m->TabStrip1()->setCurrentIndex(1);
        QTest::mouseClick(m->MainPanel(1), Qt::LeftButton);   // hides the sidebar
        QVERIFY(!m->Picture1()->isVisibleTo(m) && !m->Action("mnuViewSidebar")->isChecked());
        m->move(200, 150);
        CloseMain(prompter);
        QStringList saved;
        for (const char* key : {"Tbar", "Whitespace", "Pbar", "Lbar", "View", "Dock", "MainLeft", "WindowState",
                                "FullIns", "NewDoc"})
            saved << GetSetting("Config", key);
        QCOMPARE(saved.join(','), QStringLiteral("False,True,True,2,2,3,3000,0,True,False"));
        QVERIFY(GetSetting("Config", "WorkDir").endsWith('/'));

        m = StartMain();
        QVERIFY(!m->Action("mnuViewToolbar")->isChecked() && !m->Toolbar1()->isVisibleTo(m));
        QVERIFY(m->Action("mnuViewWhitespace")->isChecked() && m->ActiveDocument()->Editor()->DisplayWhitespace());
        QCOMPARE(m->TabStrip1()->currentIndex(), 1);
        QVERIFY(!m->Picture1()->isVisibleTo(m));
        QCOMPARE(m->MainPanel(1)->Bevel(), 2);
        QCOMPARE(m->pos(), QPoint(200, 150));
        QTest::mouseClick(m->MainPanel(1), Qt::LeftButton);   // and shows it again
        QVERIFY(m->Picture1()->isVisibleTo(m) && m->MainPanel(1)->Bevel() == 1);
    }

    void dockSetting_data()
    {
        QTest::addColumn<QString>("dock");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("message");
        QTest::newRow("right") << "4" << int(Qt::RightDockWidgetArea) << "";
        QTest::newRow("not a number") << "left" << int(Qt::LeftDockWidgetArea)
                                      << "13: Type mismatch\n\nThese settings could not be read; their defaults are "
                                         "used: Config/Dock.";
    }
    void dockSetting()
    {
        QFETCH(QString, dock);
        QFETCH(int, area);
        QFETCH(QString, message);
        SaveSetting("Config", "Dock", dock);
        if (!message.isEmpty())
            prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain();
        QCOMPARE(prompter->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(int(m->dockWidgetArea(m->Picture1())), area);
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Dock"), area == Qt::RightDockWidgetArea ? "4" : "3");
    }

    void minimisedExit()
    {
        StartMain();
        CloseMain(prompter);
        SaveSetting("Config", "MainLeft", "777");
        frmMain* m = StartMain();
        m->showMinimized();
        QTRY_VERIFY(m->isMinimized());
        CloseMain(prompter);
        // Minimised, the position is not saved.
        QCOMPARE(GetSetting("Config", "WindowState"), QStringLiteral("1"));
        QCOMPARE(GetSetting("Config", "MainLeft"), QStringLiteral("777"));
    }

    void powerbarMovesUp()
    {
        frmMain* m = StartMain();
        QTRY_VERIFY(m->Toolbar2()->y() > m->Toolbar1()->y());
        const int top = m->Toolbar1()->y();
        m->Action("mnuViewToolbar")->trigger();   // toolbar hidden
        m->Action("mnuViewPowerBar")->trigger();  // powerbar hidden
        m->Action("mnuViewPowerBar")->trigger();  // powerbar shown again
        QVERIFY(m->Toolbar2()->isVisibleTo(m));
        QTRY_COMPARE(m->Toolbar2()->y(), top);
    }

    void maximiseEditViewAndBack()
    {
        frmMain* m = StartMain();
        const auto shown = [m] {
            QString out;
            for (QWidget* w : QList<QWidget*>{m->Toolbar1(), m->Toolbar2(), m->statusBar(), m->Picture1()})
                out += w->isVisibleTo(m) ? '1' : '0';
            return out + (m->ActiveDocument()->Editor()->LineNumbering() ? '1' : '0');
        };
        m->Action("mnuViewSidebar")->trigger();  // sidebar and powerbar hidden beforehand
        m->Action("mnuViewPowerBar")->trigger();
        m->Action("mnuViewEdit")->trigger();
        QVERIFY(m->Action("mnuViewEdit")->isChecked());
        QCOMPARE(shown(), QStringLiteral("00000"));
        // Greyed out, showing what returning restores.
        QVERIFY(!m->Action("mnuViewToolbar")->isEnabled() && m->Action("mnuViewToolbar")->isChecked());
        QVERIFY(!m->Action("mnuViewSidebar")->isChecked());

        m->Action("mnuViewEdit")->trigger();
        QVERIFY(!m->Action("mnuViewEdit")->isChecked());
        QCOMPARE(shown(), QStringLiteral("10101"));
        QVERIFY(m->ActiveDocument()->Editor()->DisplayLeftMargin());
        QVERIFY(m->Action("mnuViewToolbar")->isEnabled() && m->Action("mnuViewLine")->isEnabled());
        // An exit while maximised keeps what the window had before.
        m->Action("mnuViewEdit")->trigger();
        CloseMain(prompter);
        QStringList saved;
        for (const char* key : {"Tbar", "Pbar", "Sbar", "Margin", "LineNo", "View"})
            saved << GetSetting("Config", key);
        QCOMPARE(saved.join(','), QStringLiteral("True,False,True,True,True,2"));
    }

    // New windows, handed-over ones too, lie wholly inside the document area, cascading
    // from its top left; closing one activates the one used before it.
    void windowPlacementAndOrder()
    {
        frmMain* m = StartMain();
        QTest::qWait(50);
        QTemporaryDir folder;
        const QString page = WriteTestFile(folder, "placed.html", "<P>");
        m->fctnNewDoc();
        m->fctnNewDoc();
        m->OpenCommandLine('"' + page + '"');
        const QRect area(QPoint(0, 0), m->MdiArea()->viewport()->size());
        QPoint previous(-1, -1);
        for (QMdiSubWindow* sub : m->MdiArea()->subWindowList()) {
            QVERIFY2(area.contains(sub->geometry()),
                     qPrintable(QString("%1 %2,%3 %4x%5 in %6x%7").arg(sub->windowTitle()).arg(sub->x()).arg(sub->y())
                                    .arg(sub->width()).arg(sub->height()).arg(area.width()).arg(area.height())));
            QVERIFY(sub->x() > previous.x() || sub->x() == 0);
            previous = sub->pos();
        }
        const QList<QMdiSubWindow*> subs = m->MdiArea()->subWindowList();
        m->MdiArea()->setActiveSubWindow(subs.at(1));
        m->MdiArea()->setActiveSubWindow(subs.at(3));
        subs.at(3)->close();
        QCOMPARE(m->ActiveDocument()->Caption(), subs.at(1)->windowTitle());
    }

    // INS/OVR follows the Insert key at once, not at the next clock tick.
    void insertKeyShowsAtOnce()
    {
        frmMain* m = StartMain();
        auto* ins = m->findChild<QLabel*>("MainPanelIns");
        QVERIFY(ins);
        for (const char* mode : {"INS", "OVR", "INS"}) {
            QTRY_COMPARE_WITH_TIMEOUT(ins->text(), QString(mode), 1000);
            QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_Insert);
        }
    }

    void windowMenuArranges()
    {
        frmMain* m = StartMain();
        m->fctnNewDoc();
        m->Action("mnuWindowTileV")->trigger();
        const auto subs = m->MdiArea()->subWindowList();
        QCOMPARE(subs.size(), 2);
        QVERIFY(subs.at(0)->y() == subs.at(1)->y() && subs.at(0)->x() != subs.at(1)->x());
        m->Action("mnuWindowTileH")->trigger();
        QVERIFY(subs.at(0)->x() == subs.at(1)->x() && subs.at(0)->y() != subs.at(1)->y());
        m->Action("mnuWindowNew")->trigger();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 3"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
