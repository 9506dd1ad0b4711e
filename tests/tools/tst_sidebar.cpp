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
    }

    void lists()
    {
        auto rows = [this] {
            QStringList out;
            for (int i = 0; i < main->List1()->count(); ++i)
                out << main->List1()->item(i)->text();
            return out;
        };
        QCOMPARE(main->TabStrip1()->currentIndex(), 1);
        QCOMPARE(main->List1()->count(), 101);
        main->TabStrip1()->setCurrentIndex(0);
        const QStringList tags = rows();
        QCOMPARE(tags.size(), 110);
        QCOMPARE(tags.first() + " " + tags.last(), QStringLiteral("A XML"));
        QCOMPARE(tags.mid(38, 7), (QStringList{"H1", "H2", "H3", "H4", "H5", "H6", "HEAD"}));
        main->TabStrip1()->setCurrentIndex(1);
        const QStringList chars = rows();
        QCOMPARE(QSet<QString>(chars.begin(), chars.end()).size(), 101);
        QCOMPARE(chars.mid(0, 6), (QStringList{"Non-brk space", "\"", "&", "<", ">", "Trademark"}));
        QCOMPARE(chars.at(100), QString(QChar(191)));
    }

    void insert_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("nbsp") << 1 << "Non-brk space" << "x[sel]y" << "x&nbsp;|y";
        QTest::newRow("broken bar") << 1 << QString(QChar(166)) << "|" << "&#166;|";
        QTest::newRow("BR replaces") << 0 << "BR" << "[abc]" << "<BR>|";
        QTest::newRow("B sel") << 0 << "B" << "[abc]" << "<B>abc|</B>";
        QTest::newRow("A") << 0 << "A" << "[home]" << "<A HREF=\"|\">home</A>";
        QTest::newRow("IMG") << 0 << "IMG" << "[x]" << "<IMG SRC=\"|\" ALT=\"\" BORDER=\"0\">";
        QTest::newRow("TABLE") << 0 << "TABLE" << "[Name]"
            << "<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TH>|Name</TH>\r\n\t<TH></TH>\r\n</TR>\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>";
    }
    void insert()
    {
        QFETCH(int, tab);
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(QString, after);
        main->TabStrip1()->setCurrentIndex(tab);
        CodeMax1* editor = main->ActiveDocument()->Editor();
        SetMarkedText(editor, before);
        const auto found = main->List1()->findItems(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QCOMPARE(found.size(), 1);
        main->List1()->setFocus();
        emit main->List1()->itemDoubleClicked(found.first());
        QCOMPARE(MarkedText(editor), after);
        QVERIFY(editor->hasFocus());
    }

    // The 18 empty elements get no closing tag; every other name but four with rules of their own is paired.
    void everyTagHasItsForm()
    {
        const QSet<QString> empty{"AREA", "BASE", "BASEFONT", "BGSOUND", "BR", "COL", "EMBED", "FRAME", "HR",
                                  "INPUT", "ISINDEX", "LINK", "META", "MVCOMMERCESTOP", "PARAM", "SND", "SPACER",
                                  "WBR"};
        int paired = 0;
        for (const QString& tag : Sidebar::Tags()) {
            const Snippet s = Sidebar::TagSnippet(tag, "s");
            if (empty.contains(tag))
                QCOMPARE(s.text + " " + QString::number(s.chars), "<" + tag + "> 0");
            else if (!QStringList{"A", "IFRAME", "IMG", "TABLE"}.contains(tag) && ++paired)
                QCOMPARE(s.text + " " + QString::number(s.chars),
                         QString("<%1>s</%1> %2").arg(tag).arg(tag.size() + 3));
        }
        QCOMPARE(paired, 110 - 18 - 4);
    }

    void storedTabWrittenAtExit()
    {
        main->TabStrip1()->setCurrentIndex(0);
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Lbar"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestSidebar)
#include "tst_sidebar.moc"
