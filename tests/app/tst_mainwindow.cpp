#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "TestProcesses.h"
#include "app/CommandStates.h"
#include "base/Settings.h"
#include "base/ShellRoutines.h"
#include "document/CodeMax1.h"
#include "document/ColourScheme.h"

Q_DECLARE_METATYPE(DocumentState)

// The main window's layout, menus and toolbars; the Edit menu, its shortcuts and the toolbar acting on the
// active document. Then what users of other Linux editors expect: zoom for every document at once, Ctrl+Q,
// Ctrl+Shift+Z, no typing from Ctrl and Alt combinations bound to nothing, Qt's own options, tabs, several files
// on one command line, sessions, a dark desktop, names for screen readers and dialogs worked from the keyboard.
class TestMainWindow : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    frmMain* m = nullptr;
    CodeMax1* e = nullptr;
    QTemporaryDir dir;

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

    // A fresh profile's window: where it sits, its View options and bars, shortcuts and buttons. Every button, panel
    // that takes clicks and list of the main and document windows has a name a screen reader can say.
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
        // Shortcuts a user relies on (the Edit menu's are typed in shortcutsReachTheMenu, findReplaceAndGoto).
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
        QStringList nameless;
        for (QWidget* w : m->findChildren<QWidget*>()) {
            const bool clickable = w->cursor().shape() == Qt::PointingHandCursor;
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QAbstractItemView*>(w) && !clickable)
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (w->isVisibleTo(m) && (!a || a->text(QAccessible::Name).trimmed().isEmpty()))
                nameless << w->metaObject()->className() + QString(' ') + w->objectName();
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(", ")));
    }

    // A saved width that would run off the screen is cut at its edge, less a margin; minimised, the position is
    // not saved at exit.
    void savedGeometry()
    {
        for (auto [start, expected] : QList<std::pair<int, int>>{{12000, 2360}, {1000, 9000}, {6360, 9000}})
            QCOMPARE(frmMain::ClampExtent(start, 9000, 15360), expected);
        const int screenW = QGuiApplication::primaryScreen()->geometry().width() * 15;
        SaveSetting("Config", "MainLeft", "777");
        SaveSetting("Config", "MainWidth", QString::number(screenW));
        m = StartMain();
        QCOMPARE(m->width(), (screenW - 777 - 1000) / 15);
        m->showMinimized();
        QTRY_VERIFY(m->isMinimized());
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "WindowState") + " " + GetSetting("Config", "MainLeft"), QStringLiteral("1 777"));
    }

    // The layout is kept from one run to the next; shown again below a hidden toolbar, the powerbar moves up.
    void layoutRoundTrip()
    {
        SaveSetting("Config", "Dock", "4");   // the sidebar on the right
        m = StartMain();
        QTRY_VERIFY(m->Toolbar2()->y() > m->Toolbar1()->y());
        const int top = m->Toolbar1()->y();
        m->Action("mnuViewToolbar")->trigger();
        m->Action("mnuViewPowerBar")->trigger();   // hidden and shown again, the powerbar moves up
        m->Action("mnuViewPowerBar")->trigger();
        QTRY_COMPARE(m->Toolbar2()->y(), top);
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

    // New windows, handed-over ones too, lie wholly inside the document area, cascading from its top left; closing
    // one activates the one used before it; Window > Tile puts two side by side, then one above the other.
    void windowPlacementAndOrder()
    {
        m = StartMain();
        QTest::qWait(50);
        m->fctnNewDoc();
        m->fctnNewDoc();
        m->OpenCommandLine('"' + WriteTestFile(dir, "placed.html", "<P>") + '"');
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
        subs.at(2)->close();
        m->Action("mnuWindowTileV")->trigger();
        QVERIFY(subs.at(0)->y() == subs.at(1)->y() && subs.at(0)->x() != subs.at(1)->x());
        m->Action("mnuWindowTileH")->trigger();
        QVERIFY(subs.at(0)->x() == subs.at(1)->x() && subs.at(0)->y() != subs.at(1)->y());
        m->Action("mnuWindowNew")->trigger();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 4"));
    }

    // The keys and the toolbar reach the active document (what each command does: tst_codemax executeCmd);
    // Ctrl+Shift+Z redoes beside Ctrl+A; combinations bound to nothing type nothing, AltGr still types; INS/OVR;
    // Ctrl+Q quits. The Edit menu, dropped down, offers what the text allows.
    void shortcutsReachTheMenu()
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
        SetMarkedText(e, "abc|");
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
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(MarkedText(e), QStringLiteral("one\r\n|three"));
        QTest::keyClick(e, 'j', Qt::AltModifier);
        QTest::keyClick(e, ';', Qt::ControlModifier);
        QTest::keyClick(e, 'k', Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(e, '@', Qt::ControlModifier | Qt::AltModifier);   // AltGr on some keyboards
        QCOMPARE(MarkedText(e), QStringLiteral("one\r\n@|three"));
        auto* ins = Child<QLabel>(m, "MainPanelIns");   // follows the Insert key at once, not at the next clock tick
        for (const char* mode : {"INS", "OVR", "INS"}) {
            QTRY_COMPARE_WITH_TIMEOUT(ins->text(), QString(mode), 1000);
            QTest::keyClick(e, Qt::Key_Insert);
        }
        QPointer<frmMain> main(m);
        prompter->queueMsgBox(MsgAnswer::No);   // not saved
        QTest::keyClick(e, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!main || !main->isVisible());
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

    // Find from the menu, then F3; Replace All from Ctrl+H; Go to line; the bookmarks' keys and entries.
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
        SetMarkedText(e, "a\r\n|b\r\nc\r\nd");
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

    // The View menu's zoom keys, and Ctrl+wheel in one document, zoom them all; Fold margin and Word wrap, off in a
    // fresh profile, are for every document too; the next start keeps them.
    void viewForEveryDocument()
    {
        m = StartMain();
        auto state = [this] {   // each document's zoom, fold margin and word wrap
            QStringList s;
            for (frmDocument* d : m->Documents())
                s << QString("%1 %2 %3").arg(d->Editor()->SendScintilla(QsciScintillaBase::SCI_GETZOOM))
                         .arg(int(d->Editor()->FoldMargin())).arg(int(d->Editor()->WordWrap()));
            return s.join(", ");
        };
        QCOMPARE(state(), QString("0 0 0"));
        CodeMax1* first = m->ActiveDocument()->Editor();
        QTest::keyClick(first, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(first, Qt::Key_Plus, Qt::ControlModifier);
        m->Action("mnuViewFold")->trigger();
        m->Action("mnuViewWrap")->trigger();
        m->fctnNewDoc();
        QCOMPARE(state(), QString("2 1 1, 2 1 1"));
        QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(state(), QString("1 1 1, 1 1 1"));
        first->SendScintilla(QsciScintillaBase::SCI_ZOOMIN);   // what Ctrl+wheel does
        QCOMPARE(state(), QString("2 1 1, 2 1 1"));
        QCOMPARE(first->Text() + m->ActiveDocument()->Editor()->Text(), QString());   // no key typed
        CloseMain(prompter);
        m = StartMain();
        QCOMPARE(state(), QString("2 1 1"));
        m->Action("mnuViewWrap")->trigger();
        QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(state(), QString("0 1 0"));
        QCOMPARE(GetSetting("Config", "Zoom"), QString("0"));
    }

    // Window > Tabbed documents: closable, movable tabs showing the caption and its "*", no arranging,
    // remembered; back in windows, the tabs have not made the next window maximised.
    void tabbedDocuments()
    {
        m = StartMain();
        auto* area = m->findChild<QMdiArea*>("MDIClient");
        QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);   // a fresh profile keeps windows
        m->Action("mnuWindowTabbed")->trigger();
        QCOMPARE(area->viewMode(), QMdiArea::TabbedView);
        QVERIFY(area->tabsClosable() && area->tabsMovable());
        QVERIFY(!m->Action("mnuWindowCascade")->isEnabled() && !m->Action("mnuWindowTileV")->isEnabled());
        m->fctnNewDoc();
        QTest::keyClicks(m->ActiveDocument()->Editor(), "x");
        auto* tabs = area->findChild<QTabBar*>();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), m->ActiveDocument()->Caption());
        QVERIFY(tabs->tabText(1).endsWith('*'));
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Tabbed"), QString("True"));
        m = StartMain();
        area = m->findChild<QMdiArea*>("MDIClient");
        QVERIFY(m->Action("mnuWindowTabbed")->isChecked() && area->viewMode() == QMdiArea::TabbedView);
        m->Action("mnuWindowTabbed")->trigger();
        QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);
        QVERIFY(m->Action("mnuWindowCascade")->isEnabled());
        QVERIFY(!m->ActiveDocument()->SubWindow()->isMaximized());
        QCOMPARE(GetSetting("Config", "DocState", "0"), QString("0"));
    }

    // The status bar names the encoding and line breaks; Edit > Line Endings converts, and the
    // file is saved with what was chosen.
    void lineEndings()
    {
        const QString path = WriteTestFile(dir, "dos.html", "<P>\r\n\xc3\xa9\r\n");
        m = StartMain(CommandLineFromArguments({"qrn", path}));
        auto* panel = m->ActiveDocument()->findChild<QLabel*>("FormatPanel");
        QCOMPARE(panel->text(), QString("UTF-8  CR LF"));
        m->Action("mnuEditEolLF")->trigger();
        QCOMPARE(panel->text(), QString("UTF-8  LF"));
        QVERIFY(m->ActiveDocument()->Caption().endsWith('*') && m->Action("mnuFileSave")->isEnabled());
        m->Action("mnuFileSave")->trigger();
        QCOMPARE(ReadTestFile(path), QByteArray("<P>\n\xc3\xa9\n"));
    }

    // Several files on one command line, also handed over from a second start: each in its own document, the last
    // one active; a name that is missing is reported and the others open. --help-all prints help; the options every
    // Qt program takes are taken, not refused.
    void severalFiles()
    {
        const QString a = WriteTestFile(dir, "a.html", "<P>"), b = WriteTestFile(dir, "say \"b\".css", "<P>");
        const QString gone = dir.filePath("gone.html");
        // One file keeps the form a running instance of an older version reads.
        QVERIFY(CommandLineFromArguments({"qrn"}).isEmpty() && CommandLineFromArguments({"qrn", ""}).isEmpty());
        QCOMPARE(CommandLineFromArguments({"qrn", "/a b/c.html"}), QStringLiteral("\"/a b/c.html\""));
        QCOMPARE(CommandLineFiles(CommandLineFromArguments({"qrn", a, "", b})), (QStringList{a, b}));
        prompter->queueMsgBox(MsgAnswer::OK);
        m = StartMain(CommandLineFromArguments({"qrn", a, gone, b}));
        QVERIFY(prompter->messages().join(" ").contains(gone));
        QCOMPARE(DocumentPaths(), (QStringList{a, b}));
        QCOMPARE(m->ActiveDocument()->PathPanel(), b);
        QProcess second;
        second.start(QrnBinary(), {b, a});
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 60000);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(DocumentPaths(), (QStringList{a, b, b, a}));
        QProcess help;
        help.start(QrnBinary(), {"--help-all"});
        QVERIFY(help.waitForFinished(20000) && help.exitCode() == 0);
        const QByteArray text = help.readAllStandardOutput();
        QVERIFY2(text.contains("--help-all") && text.contains("-platform"), text.constData());
        QProcess reverse;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QRN_EXIT_WHEN_SHOWN", "1");
        reverse.setProcessEnvironment(env);
        reverse.start(QrnBinary(), {"-reverse", "-style", "fusion", "--platform=offscreen"});
        QVERIFY(reverse.waitForFinished(60000));
        QVERIFY2(reverse.readAllStandardOutput().startsWith("shown"), reverse.readAllStandardError().constData());
    }

    // With the option on, Exit remembers the files, their order, the active one, each caret and
    // an encoding chosen for one; the next start restores them and passes over one that has
    // gone, without a question.
    void sessions()
    {
        QStringList files;
        for (const char* name : {"one.html", "two.html", "three.html"})
            files << WriteTestFile(dir, name, "line 1\nline 2\nline 3\n");
        SaveSetting("Config", "Session", "True");
        m = StartMain(CommandLineFromArguments({"qrn", files[0], files[1], files[2]}));
        m->fctnNewDoc();   // untitled: not part of the session
        QList<frmDocument*> docs = m->Documents();
        docs.at(0)->Editor()->setCursorPosition(2, 4);
        QVERIFY(docs.at(2)->Reload(TextEncoding::Windows1252));
        docs.at(2)->Editor()->setCursorPosition(1, 3);
        docs.at(0)->SubWindow()->showNormal();
        m->findChild<QMdiArea*>("MDIClient")->setActiveSubWindow(docs.at(0)->SubWindow());
        CloseMain(prompter);
        QVERIFY(QFile::remove(files[1]));
        m = StartMain();
        QCOMPARE(DocumentPaths(), (QStringList{files[0], files[2]}));
        QCOMPARE(m->ActiveDocument()->PathPanel(), files[0]);
        int line = 0, index = 0;
        m->Documents().at(0)->Editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(line, index), QPoint(2, 4));
        m->Documents().at(1)->Editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(line, index), QPoint(1, 3));
        QCOMPARE(m->Documents().at(0)->Editor()->Format().encoding, TextEncoding::Utf8);
        QCOMPARE(m->Documents().at(1)->Editor()->Format().encoding, TextEncoding::Windows1252);
        QVERIFY(!m->Documents().at(1)->Editor()->CanUndo());
        CloseMain(prompter);
        SaveSetting("Config", "Session", "False");   // off: a start as always
        m = StartMain();
        QCOMPARE(m->Documents().size(), 1);
        QVERIFY(!m->ActiveDocument()->HasFile());
    }

    // A dark desktop: the document area, the icons' outlines, the About links and the default scheme
    // follow it, also when it turns dark while the program runs; a scheme the user chose is kept.
    void darkDesktop()
    {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (auto [role, colour] : {std::pair{QPalette::Window, 0x2b2b2b}, {QPalette::WindowText, 0xe0e0e0},
                                    {QPalette::Base, 0x1e1e1e}, {QPalette::Text, 0xe0e0e0},
                                    {QPalette::Button, 0x353535}, {QPalette::ButtonText, 0xe0e0e0}})
            dark.setColor(role, QColor::fromRgb(colour));
        auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        auto outlinePixels = [](frmMain* m) {
            const QImage image = m->ToolbarButton("Save")->icon().pixmap(24).toImage();
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += qAlpha(image.pixel(x, y)) > 200 && qAbs(qRed(image.pixel(x, y)) - 0x37) < 12 &&
                         qAbs(qBlue(image.pixel(x, y)) - 0x4f) < 12;
            return n;
        };
        auto paper = [](frmMain* m) {
            return ColourScheme::ToColor(int(m->ActiveDocument()->Editor()->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, 0)));
        };
        m = StartMain();
        auto* area = m->findChild<QMdiArea*>("MDIClient");
        QVERIFY(outlinePixels(m) > 0 && paper(m) == Qt::white);
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
        QCOMPARE(outlinePixels(m), 0);
        QVERIFY(paper(m).lightness() < 60 && area->background().color().lightness() < 60);
        QString link;
        prompter->queueDialog([&link](QDialog* about) {
            link = about->findChild<QLabel*>("Label10")->styleSheet();
            return QDialog::Rejected;
        });
        m->Action("mnuHelpAbout")->trigger();
        QVERIFY2(link.startsWith("color: #") && !link.contains("#0000ff"), qPrintable(link));
        CloseMain(prompter);
        SaveSetting("Syntax", "PlainBG", "12632256");   // the user's own light grey
        m = StartMain();
        QCOMPARE(paper(m), QColor(0xc0, 0xc0, 0xc0));
    }

    // Each dialog can be worked from the keyboard: Tab from its first focus goes round every
    // control and reaches its buttons.
    void keyboardWalk_data()
    {
        QTest::addColumn<QString>("command");   // an action, or "power N/caption" for an insertion entry
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("options") << "mnuToolsOptions" << QStringList{"OK", "Cancel", "Apply"};
        QTest::newRow("about") << "mnuHelpAbout" << QStringList{"OK"};
        QTest::newRow("find") << "mnuEditFind" << QStringList{"Find Next", "Close"};
        QTest::newRow("replace") << "mnuEditReplace" << QStringList{"Replace", "Replace All", "Close"};
        QTest::newRow("tidy") << "mnuToolsTidy" << QStringList{"Tidy document", "Close window"};
        QTest::newRow("properties") << "mnuFileProperties" << QStringList{"Close"};
        QTest::newRow("new page") << "power 1/Page wizard" << QStringList{"OK", "Cancel"};
        QTest::newRow("anchor") << "power 1/Anchor" << QStringList{"OK", "Cancel"};
        QTest::newRow("pop-up") << "power 8/Pop-up window script" << QStringList{"OK", "Cancel"};
    }
    void keyboardWalk()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, buttons);
        m = StartMain(CommandLineFromArguments({"qrn", WriteTestFile(dir, "page.html", "<P>text</P>\n")}));
        QStringList reached;
        QString stuck;
        prompter->queueDialog([&](QDialog* d) {
            d->show();
            QApplication::setActiveWindow(d);
            if (!QTest::qWaitForWindowActive(d))
                return stuck = "not active", QDialog::Rejected;
            QWidget* first = QApplication::focusWidget();
            for (int i = 0; i < 100; ++i) {
                QWidget* w = QApplication::focusWidget();
                if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                    if (qobject_cast<QCheckBox*>(w) && reached.isEmpty())
                        QTest::keyClick(w, Qt::Key_Space);   // a change, so that OK and Apply take part
                    reached << b->text().remove('&');
                }
                QTest::keyClick(w, Qt::Key_Tab);
                if (QApplication::focusWidget() == w)   // a text that takes Tab is left with Ctrl+Tab
                    QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
                if (QApplication::focusWidget() == w && w == first)
                    break;   // a dialog with a single stop
                if (QApplication::focusWidget() == w)
                    return stuck = w->metaObject()->className() + QString(' ') + w->objectName(), QDialog::Rejected;
                if (QApplication::focusWidget() == first)
                    break;
            }
            return QDialog::Rejected;
        });
        if (command.startsWith("power ")) {
            const QStringList parts = command.mid(6).split('/');
            QMenu* menu = m->PowerbarButton(parts[0].toInt())->menu();
            emit menu->aboutToShow();
            for (QAction* a : menu->actions())
                if (a->text().remove('&') == parts[1])
                    a->trigger();
        } else {
            m->Action(command)->trigger();
        }
        QCOMPARE(prompter->pendingAnswers(), 0);
        QCOMPARE(stuck, QString());
        for (const QString& b : buttons)
            QVERIFY2(reached.contains(b), qPrintable(reached.join(", ")));
    }

};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
