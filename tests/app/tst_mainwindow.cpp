#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "app/CommandStates.h"
#include "base/Settings.h"
#include "base/ShellRoutines.h"
#include "document/CodeMax1.h"

Q_DECLARE_METATYPE(DocumentState)

// The main window's layout, menus and toolbars; the Edit menu, its shortcuts and the toolbar acting on the
// active document.
class TestMainWindow : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    frmMain* m = nullptr;
    CodeMax1* e = nullptr;

    void start(const QString& text)
    {
        m = StartMain();
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        e = m->ActiveDocument()->Editor();
        SetMarkedText(e, text);
        e->setFocus();
    }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    void freshProfileLayout()
    {
        m = StartMain();
        QVERIFY(m->isVisible() && m->Documents().size() == 1);
        QCOMPARE(m->windowTitle(), QStringLiteral("Quorlen"));
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
        e = m->ActiveDocument()->Editor();  // the document takes the View options
        QVERIFY(e->LineNumbering() && e->DisplayLeftMargin() && !e->DisplayWhitespace());
    }

    void menusAndButtons()
    {
        m = StartMain();
        // Shortcuts a user relies on (the Edit menu's are typed in shortcutsReachTheMenu, findReplaceAndGoto, bookmarks).
        const QList<std::pair<const char*, const char*>> keys = {
            {"mnuFileNew", "Ctrl+N"}, {"mnuFileOpen", "Ctrl+O"},   {"mnuFileSaveAs", "F11"},     {"mnuFileSaveAll", "F12"},
            {"mnuToolsOptions", "F6"}, {"mnuToolsBrowser", "Ctrl+E"}, {"mnuToolsE3", "Shift+F7"}, {"mnuHelpAbout", "F1"}};
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
        SaveSetting("Config", "Dock", "4");   // the sidebar on the right
        m = StartMain();
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
        QCOMPARE(saved.join(','), QStringLiteral("False,True,True,2,2,4,3000,0,True,False"));
        QVERIFY(GetSetting("Config", "WorkDir").endsWith('/'));

        m = StartMain();
        QVERIFY(!m->Action("mnuViewToolbar")->isChecked() && !m->Toolbar1()->isVisibleTo(m));
        QVERIFY(m->Action("mnuViewWhitespace")->isChecked() && m->ActiveDocument()->Editor()->DisplayWhitespace());
        QCOMPARE(m->TabStrip1()->currentIndex(), 1);
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::RightDockWidgetArea);
        QVERIFY(!m->Picture1()->isVisibleTo(m) && m->MainPanel(1)->Bevel() == 2);
        QCOMPARE(m->pos(), QPoint(200, 150));
        QTest::mouseClick(m->MainPanel(1), Qt::LeftButton);   // and shows it again
        QVERIFY(m->Picture1()->isVisibleTo(m) && m->MainPanel(1)->Bevel() == 1);
    }

    void minimisedExit()
    {
        SaveSetting("Config", "MainLeft", "777");
        m = StartMain();
        m->showMinimized();
        QTRY_VERIFY(m->isMinimized());
        CloseMain(prompter);
        // Minimised, the position is not saved.
        QCOMPARE(GetSetting("Config", "WindowState"), QStringLiteral("1"));
        QCOMPARE(GetSetting("Config", "MainLeft"), QStringLiteral("777"));
    }

    void powerbarMovesUp()
    {
        m = StartMain();
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
        m = StartMain();
        const auto shown = [this] {
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
        m = StartMain();
        QTest::qWait(50);
        QTemporaryDir folder;
        const QString page = WriteTestFile(folder, "placed.html", "<P>");
        m->fctnNewDoc();
        m->fctnNewDoc();
        m->OpenCommandLine('"' + page + '"');
        const QRect area(QPoint(0, 0), m->MdiArea()->viewport()->size());
        QPoint previous(-1, -1);
        const QList<QMdiSubWindow*> subs = m->MdiArea()->subWindowList();
        for (QMdiSubWindow* sub : subs) {   // placement on a real display at twice the scale: tst_xdisplay
            QVERIFY(area.contains(sub->geometry()) && (sub->x() > previous.x() || sub->x() == 0));
            previous = sub->pos();
        }
        m->MdiArea()->setActiveSubWindow(subs.at(1));
        m->MdiArea()->setActiveSubWindow(subs.at(3));
        subs.at(3)->close();
        QCOMPARE(m->ActiveDocument()->Caption(), subs.at(1)->windowTitle());
    }

    // INS/OVR follows the Insert key at once, not at the next clock tick.
    void insertKeyShowsAtOnce()
    {
        m = StartMain();
        auto* ins = m->findChild<QLabel*>("MainPanelIns");
        QVERIFY(ins);
        for (const char* mode : {"INS", "OVR", "INS"}) {
            QTRY_COMPARE_WITH_TIMEOUT(ins->text(), QString(mode), 1000);
            QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_Insert);
        }
    }

    void windowMenuArranges()
    {
        m = StartMain();
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

    // The keys and the toolbar reach the active document (what each command does: tst_codemax executeCmd).
    void shortcutsReachTheMenu()
    {
        start("abc|");
        QTest::keyClicks(e, "d");
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);  // undo
        QCOMPARE(MarkedText(e), QStringLiteral("abc|"));
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);  // redo, not select-all
        QCOMPARE(MarkedText(e), QStringLiteral("abcd|"));
        QCOMPARE(e->SelLength(), 0);
        m->ToolbarButton("Undo")->trigger();
        m->Toolbar1_ButtonClick("NoSuchKey");  // ignored
        QCOMPARE(MarkedText(e), QStringLiteral("abc|"));
        m->ToolbarButton("Redo")->trigger();
        QCOMPARE(MarkedText(e), QStringLiteral("abcd|"));
        e->SetSel({0, 0, 0, 2});
        QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ab"));
        QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(MarkedText(e), QStringLiteral("abab|cd"));
        SetMarkedText(e, "one\r\nt|wo\r\nthree");
        QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);  // delete line
        QCOMPARE(MarkedText(e), QStringLiteral("one\r\n|three"));
    }

    void editMenuDropDown()
    {
        start("");
        QTest::keyClicks(e, "xy");
        m->mnuEdit_DropDown();
        QVERIFY(m->Action("mnuEditUndo")->isEnabled() && m->Action("mnuEditDeleteLine")->isEnabled());
        QVERIFY(!m->Action("mnuEditRedo")->isEnabled() && !m->Action("mnuEditCopy")->isEnabled());
        // No selection: Delete is greyed out and the Del key goes to the control.
        QVERIFY(!m->Action("mnuEditDelete")->isEnabled());
        e->SetSel({0, 0, 0, 0});
        QTest::keyClick(e, Qt::Key_Delete);
        QCOMPARE(e->Text(), QStringLiteral("y"));
        e->SetSel({0, 0, 0, 1});
        m->mnuEdit_DropDown();
        QVERIFY(m->Action("mnuEditDelete")->isEnabled() && m->Action("mnuEditCut")->isEnabled());
        m->Action("mnuEditDelete")->trigger();
        QCOMPARE(e->Text(), QString());
    }

    // The rule alone: what no document, a document being edited and one in preview allow.
    void commandStateRule_data()
    {
        QTest::addColumn<DocumentState>("state");
        QTest::addColumn<QString>("enabled");    // buttons on, in the rule's order
        QTest::addColumn<QString>("disabled");   // buttons off
        QTest::addColumn<int>("menuAndViews");   // -1 unchanged, else edit menu + 2 * view options
        QTest::newRow("no document") << DocumentState{} << ""
            << "Save,Undo,Redo,Cut,Copy,Paste,Find,Replace,Spell,Compress,Tidy,External" << -1;
        QTest::newRow("editing") << DocumentState{true, true, true, true, false, false, true, true, false}
            << "Save,Undo,Copy,Paste,Find,Replace,Spell,Compress,Tidy,External" << "Redo,Cut" << 3;
        QTest::newRow("editing, maximised") << DocumentState{true, true, false, false, false, false, false, true, true}
            << "Paste,Find,Replace,Spell,Compress,Tidy,External" << "Save,Undo,Redo,Cut,Copy" << 1;
        QTest::newRow("preview") << DocumentState{true, false, true, true, true, true, true, true, false}
            << "Save" << "Undo,Redo,Cut,Copy,Paste,Find,Replace,Spell,Compress,Tidy" << 0;
    }
    void commandStateRule()
    {
        QFETCH(DocumentState, state);
        QFETCH(QString, enabled);
        QFETCH(QString, disabled);
        QFETCH(int, menuAndViews);
        const CommandStates c = CommandStatesFor(state);
        QStringList on, off;
        for (const auto& [key, yes] : c.buttons)
            (yes ? on : off) << key;
        QCOMPARE(on.join(','), enabled);
        QCOMPARE(off.join(','), disabled);
        QCOMPARE(c.editMenu.has_value() && c.viewOptions.has_value() ? *c.editMenu + 2 * *c.viewOptions : -1, menuAndViews);
        QCOMPARE(c.powerbar, state.open && state.editMode);
    }

    // Find from the menu, then F3; Replace All from Ctrl+H; Go to line.
    void findReplaceAndGoto()
    {
        start("|alpha beta alpha\r\n2\r\n3");
        prompter->queueDialog([](QDialog* d) {
            Child<QLineEdit>(d, "txtFind")->setText("alpha");
            Child<QPushButton>(d, "cmdFindNext")->click();
            return int(QDialog::Rejected);
        });
        m->Action("mnuEditFind")->trigger();
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 0, 0, 5}));
        QTest::keyClick(e, Qt::Key_F3);
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 11, 0, 16}));
        prompter->queueDialog([](QDialog* d) {
            Child<QLineEdit>(d, "txtFind")->setText("alpha");
            Child<QLineEdit>(d, "txtReplace")->setText("x");
            Child<QPushButton>(d, "cmdReplaceAll")->click();
            return int(QDialog::Rejected);
        });
        prompter->queueMsgBox(MsgAnswer::OK);
        QTest::keyClick(e, Qt::Key_H, Qt::ControlModifier);
        prompter->queueInput(QStringLiteral("3"));
        m->Action("mnuEditGoto")->trigger();
        QCOMPARE(MarkedText(e), QStringLiteral("x beta x\r\n2\r\n|3"));
        QCOMPARE(prompter->asked[0].text + " " + prompter->asked[1].text, QStringLiteral("dlgFind dlgReplace"));
    }

    void bookmarks()
    {
        start("a\r\n|b\r\nc\r\nd");
        QTest::keyClick(e, Qt::Key_F2, Qt::ControlModifier);  // toggle on line 2
        e->SetSel({3, 0, 3, 0});
        m->Action("mnuEditBookmarksToggle")->trigger();
        QCOMPARE(e->Bookmarks(), (QVector<int>{1, 3}));
        e->SetSel({0, 0, 0, 0});
        QList<int> lines;  // F2 next, Shift+F2 previous
        for (Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier}) {
            QTest::keyClick(e, Qt::Key_F2, modifier);
            lines << e->GetSel(true).endLine;
        }
        QCOMPARE(lines, (QList<int>{1, 3, 1}));
        m->Action("mnuEditBookmarksClearAll")->trigger();
        QVERIFY(e->Bookmarks().isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
