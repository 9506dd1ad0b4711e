#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "app/CommandStates.h"
#include "document/CodeMax1.h"

Q_DECLARE_METATYPE(DocumentState)

// The Edit menu, its shortcuts and the main toolbar acting on the active document.
class TestEditCommands : public QObject {
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

    void shortcutsReachTheMenu()
    {
        start("abc|");
        QTest::keyClicks(e, "d");
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);  // undo
        QCOMPARE(MarkedText(e), QStringLiteral("abc|"));
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);  // redo, not select-all
        QCOMPARE(MarkedText(e), QStringLiteral("abcd|"));
        QCOMPARE(e->SelLength(), 0);
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

    void toolbarDispatch()
    {
        start("");
        QTest::keyClicks(e, "abc");
        m->ToolbarButton("Undo")->trigger();
        QCOMPARE(e->Text(), QString());
        m->ToolbarButton("Redo")->trigger();
        m->Toolbar1_ButtonClick("NoSuchKey");  // ignored
        QCOMPARE(e->Text() + "/" + QString::number(m->Documents().size()), QStringLiteral("abc/1"));
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

    void previewModeDisablesEditing()
    {
        start("text");
        frmDocument* d = m->ActiveDocument();
        d->Panel(1)->SetBevel(2);
        d->Panel(2)->SetBevel(1);
        d->fctnRefreshCommands();
        QVERIFY(!m->Menu("mnuEdit")->menuAction()->isEnabled() && !m->ToolbarButton("Find")->isEnabled());
        // Commands do nothing to the hidden text.
        m->mnuEditDeleteLine_Click();
        QCOMPARE(e->Text(), QStringLiteral("text"));
        d->Panel(1)->SetBevel(1);
        d->Panel(2)->SetBevel(2);
        d->fctnRefreshCommands();
        QVERIFY(m->Menu("mnuEdit")->menuAction()->isEnabled() && m->ToolbarButton("Find")->isEnabled());
    }

    void findAndFindNext()
    {
        start("|alpha beta alpha");
        prompter->queueDialog([](QDialog* d) {
            d->findChild<QLineEdit*>("txtFind")->setText("alpha");
            d->findChild<QPushButton*>("cmdFindNext")->click();
            return int(QDialog::Rejected);
        });
        m->Action("mnuEditFind")->trigger();
        QCOMPARE(prompter->asked.last().text, QStringLiteral("dlgFind"));
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 0, 0, 5}));
        QTest::keyClick(e, Qt::Key_F3);
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 11, 0, 16}));
    }

    void replaceAll()
    {
        start("<b>x</b> <b>y</b>");
        prompter->queueDialog([](QDialog* d) {
            d->findChild<QLineEdit*>("txtFind")->setText("b>");
            d->findChild<QLineEdit*>("txtReplace")->setText("strong>");
            d->findChild<QPushButton*>("cmdReplaceAll")->click();
            return int(QDialog::Rejected);
        });
        prompter->queueMsgBox(MsgAnswer::OK);
        QTest::keyClick(e, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(prompter->asked.first().text, QStringLiteral("dlgReplace"));
        QCOMPARE(e->Text(), QStringLiteral("<strong>x</strong> <strong>y</strong>"));
    }

    void gotoLine()
    {
        start("1\r\n2\r\n3\r\n4");
        prompter->queueInput(QStringLiteral("3"));
        m->Action("mnuEditGoto")->trigger();
        QCOMPARE(MarkedText(e), QStringLiteral("1\r\n2\r\n|3\r\n4"));
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

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
