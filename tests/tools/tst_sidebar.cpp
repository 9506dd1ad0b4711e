#include <QListWidget>
#include <QTabBar>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "tools/Sidebar.h"

class TestSidebar : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    frmMain* main = nullptr;

private slots:
    void initTestCase()
    {
        PrepareTestProfile();
        SaveSetting("Config", "Lbar", "2");
        prompter = ScriptedPrompter::install();
        main = StartMain();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(main->TabStrip1()->currentIndex(), 1);   // the stored tab
    }

    // Double-click inserts the tag or character reference and gives the editor the focus.
    void insert_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("nbsp") << "Non-brk space" << "x[sel]y" << "x&nbsp;|y";
        QTest::newRow("BR replaces") << "BR" << "[abc]" << "<BR>|";
        QTest::newRow("paired around sel") << "STRONG" << "[abc]" << "<STRONG>abc|</STRONG>";
        QTest::newRow("A") << "A" << "[home]" << "<A HREF=\"|\">home</A>";
        QTest::newRow("IFRAME") << "IFRAME" << "[x]" << "<IFRAME SRC=\"|\"></IFRAME>";
        QTest::newRow("IMG") << "IMG" << "[x]" << "<IMG SRC=\"|\" ALT=\"\" BORDER=\"0\">";
        QTest::newRow("TABLE") << "TABLE" << "[Name]"
            << "<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TH>|Name</TH>\r\n\t<TH></TH>\r\n</TR>\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>";
    }
    void insert()
    {
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(QString, after);
        main->TabStrip1()->setCurrentIndex(Sidebar::Tags().contains(item) ? 0 : 1);
        CodeMax1* editor = main->ActiveDocument()->Editor();
        SetMarkedText(editor, before);
        const auto found = main->List1()->findItems(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QCOMPARE(found.size(), 1);
        main->List1()->setFocus();
        emit main->List1()->itemDoubleClicked(found.first());
        QCOMPARE(MarkedText(editor), after);
        QVERIFY(editor->hasFocus());
    }

    // Each tab fills the list with its own rows, none twice; the tab shown last is stored at exit.
    void listsAndStoredTab()
    {
        for (int tab : {1, 0}) {
            main->TabStrip1()->setCurrentIndex(tab);
            QStringList rows;
            for (int i = 0; i < main->List1()->count(); ++i)
                rows << main->List1()->item(i)->text();
            QCOMPARE(rows, tab ? Sidebar::Chars() : Sidebar::Tags());
            QCOMPARE(QSet<QString>(rows.begin(), rows.end()).size(), tab ? 101 : 110);
        }
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Lbar"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestSidebar)
#include "tst_sidebar.moc"
