#include <QListWidget>
#include <QTabBar>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "tools/Sidebar.h"

// The sidebar's two lists and what a double-click inserts.
class TestSidebar : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    frmMain* main = nullptr;

    CodeMax1* editor() const { return main->ActiveDocument()->Editor(); }

    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < main->List1()->count(); ++i)
            out << main->List1()->item(i)->text();
        return out;
    }

    void doubleClick(const QString& text)
    {
        const auto found = main->List1()->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QCOMPARE(found.size(), 1);
        main->List1()->setCurrentItem(found.first());
        main->List1()->setFocus();
        emit main->List1()->itemDoubleClicked(found.first());
    }

private slots:
    void initTestCase()
    {
        PrepareTestProfile();
        SaveSetting("Config", "Lbar", "2");
        prompter = ScriptedPrompter::install();
        main = StartMain();
        QVERIFY(main);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
    }
    void cleanupTestCase() { CloseMain(prompter); }

    void startsOnTheStoredTab()
    {
        QCOMPARE(main->TabStrip1()->currentIndex(), 1);
        QCOMPARE(main->List1()->count(), 101);
        QCOMPARE(main->List1()->toolTip(), QStringLiteral("Insert into active document"));
    }

    void tabsRefillTheList()
    {
        for (int round = 0; round < 3; ++round) {
            main->TabStrip1()->setCurrentIndex(0);
            QCOMPARE(main->List1()->count(), 110);
            main->TabStrip1()->setCurrentIndex(1);
            QCOMPARE(main->List1()->count(), 101);
        }
    }

    void tagList()
    {
        main->TabStrip1()->setCurrentIndex(0);
        const QStringList tags = rows();
        QCOMPARE(tags.size(), 110);
        QCOMPARE(tags.first(), QStringLiteral("A"));
        QCOMPARE(tags.last(), QStringLiteral("XML"));
        QCOMPARE(tags.mid(38, 7), (QStringList{"H1", "H2", "H3", "H4", "H5", "H6", "HEAD"}));
        QCOMPARE(tags.indexOf("SQ.DTC"), 89);
        QCOMPARE(tags.indexOf("MVCOMMERCESTOP"), 66);
    }

    void charList_data()
    {
        QTest::addColumn<int>("row");   // from 1
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("entity");
        QTest::newRow("1") << 1 << "Non-brk space" << "&nbsp;";
        QTest::newRow("2") << 2 << "\"" << "&quot;";
        QTest::newRow("3") << 3 << "&" << "&amp;";
        QTest::newRow("4") << 4 << "<" << "&lt;";
        QTest::newRow("5") << 5 << ">" << "&gt;";
        QTest::newRow("6") << 6 << "Trademark" << "&trade;";
        QTest::newRow("7 times") << 7 << QString(QChar(215)) << "&times;";
        QTest::newRow("8 divide") << 8 << QString(QChar(247)) << "&divide;";
        QTest::newRow("9 Agrave") << 9 << QString(QChar(192)) << "&Agrave;";
        QTest::newRow("31 Ouml") << 31 << QString(QChar(214)) << "&Ouml;";
        QTest::newRow("32 Oslash") << 32 << QString(QChar(216)) << "&Oslash;";
        QTest::newRow("37 Yacute") << 37 << QString(QChar(221)) << "&Yacute;";
        QTest::newRow("38 agrave") << 38 << QString(QChar(224)) << "&agrave;";
        QTest::newRow("60 ouml") << 60 << QString(QChar(246)) << "&ouml;";
        QTest::newRow("61 oslash") << 61 << QString(QChar(248)) << "&oslash;";
        QTest::newRow("63 uacute") << 63 << QString(QChar(250)) << "&uacute;";
        QTest::newRow("66 yacute") << 66 << QString(QChar(253)) << "&yacute;";
        QTest::newRow("67 yuml") << 67 << QString(QChar(255)) << "&yuml;";
        QTest::newRow("68 THORN") << 68 << QString(QChar(222)) << "&THORN;";
        QTest::newRow("69 thorn") << 69 << QString(QChar(254)) << "&thorn;";
        QTest::newRow("70 szlig") << 70 << QString(QChar(223)) << "&szlig;";
        QTest::newRow("71 iexcl") << 71 << QString(QChar(161)) << "&iexcl;";
        QTest::newRow("76 broken bar") << 76 << QString(QChar(166)) << "&#166;";
        QTest::newRow("78 diaeresis") << 78 << QString(QChar(168)) << "&#168;";
        QTest::newRow("79 copy") << 79 << QString(QChar(169)) << "&copy;";
        QTest::newRow("83 shy") << 83 << QString(QChar(173)) << "&shy;";
        QTest::newRow("101 iquest") << 101 << QString(QChar(191)) << "&iquest;";
    }
    void charList()
    {
        QFETCH(int, row);
        QFETCH(QString, shown);
        QFETCH(QString, entity);
        main->TabStrip1()->setCurrentIndex(1);
        QCOMPARE(main->List1()->count(), 101);
        QCOMPARE(main->List1()->item(row - 1)->text(), shown);
        SetMarkedText(editor(), "x[sel]y");
        doubleClick(shown);
        QCOMPARE(MarkedText(editor()), "x" + entity + "|y");
        QVERIFY(editor()->hasFocus());
    }

    void noCharacterTwice()
    {
        main->TabStrip1()->setCurrentIndex(1);
        const QStringList chars = rows();
        QCOMPARE(QSet<QString>(chars.begin(), chars.end()).size(), 101);
        QVERIFY(!chars.contains(QString(QChar(160))));
    }

    void tags_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("BR replaces") << "BR" << "[abc]" << "<BR>|";
        QTest::newRow("WBR") << "WBR" << "a|b" << "a<WBR>|b";
        QTest::newRow("B sel") << "B" << "[abc]" << "<B>abc|</B>";
        QTest::newRow("B empty") << "B" << "|" << "<B>|</B>";
        QTest::newRow("H3") << "H3" << "[Title]" << "<H3>Title|</H3>";
        QTest::newRow("SQ.DTC") << "SQ.DTC" << "|" << "<SQ.DTC>|</SQ.DTC>";
        QTest::newRow("A") << "A" << "[home]" << "<A HREF=\"|\">home</A>";
        QTest::newRow("A empty") << "A" << "|" << "<A HREF=\"|\"></A>";
        QTest::newRow("IFRAME") << "IFRAME" << "[x]" << "<IFRAME SRC=\"|\"></IFRAME>";
        QTest::newRow("IMG") << "IMG" << "[x]" << "<IMG SRC=\"|\" ALT=\"\" BORDER=\"0\">";
        QTest::newRow("TABLE") << "TABLE" << "[Name]"
            << "<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TH>|Name</TH>\r\n\t<TH></TH>\r\n</TR>\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>";
    }
    void tags()
    {
        QFETCH(QString, tag);
        QFETCH(QString, before);
        QFETCH(QString, after);
        main->TabStrip1()->setCurrentIndex(0);
        SetMarkedText(editor(), before);
        doubleClick(tag);
        QCOMPARE(MarkedText(editor()), after);
        QVERIFY(editor()->hasFocus());
    }

    // Each of the 18 names of the empty-element set inserts no closing tag; every other
    // name but the four with rules of their own is paired.
    void everyTagHasItsForm()
    {
        const QSet<QString> empty{"AREA", "BASE", "BASEFONT", "BGSOUND", "BR", "COL", "EMBED", "FRAME", "HR",
                                  "INPUT", "ISINDEX", "LINK", "META", "MVCOMMERCESTOP", "PARAM", "SND", "SPACER",
                                  "WBR"};
        int paired = 0;
        for (const QString& tag : Sidebar::Tags()) {
            const Snippet s = Sidebar::TagSnippet(tag, "s");
            if (empty.contains(tag)) {
                QCOMPARE(s.text, "<" + tag + ">");
                QCOMPARE(s.chars, 0);
            } else if (!QStringList{"A", "IFRAME", "IMG", "TABLE"}.contains(tag)) {
                QCOMPARE(s.text, "<" + tag + ">s</" + tag + ">");
                QCOMPARE(s.chars, int(tag.size()) + 3);
                ++paired;
            }
        }
        QCOMPARE(paired, 110 - 18 - 4);
    }

    void storedTabWrittenAtExit()
    {
        main->TabStrip1()->setCurrentIndex(0);
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Lbar"), QStringLiteral("1"));
        main = nullptr;
    }
};

QTEST_MAIN(TestSidebar)
#include "tst_sidebar.moc"
