#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "document/CodeMax1.h"
#include "document/RecentFiles.h"

class TestRecentFiles : public QObject {
    Q_OBJECT
private:
    static QStringList pathsOf(const RecentFiles& r)
    {
        QStringList out;
        for (int i = 1; i <= RecentFiles::Count; ++i)
            out << r.Path(i);
        return out;
    }

private slots:
    void init() { ResetSettingsStore(); }

    void addOrder_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("five files drop the first") << QStringList{"a", "b", "c", "d", "e"}
                                                   << QStringList{"e", "d", "c", "b"};
        QTest::newRow("existing entry moves up") << QStringList{"b", "c", "d", "e", "b"}
                                                 << QStringList{"b", "e", "d", "c"};
        QTest::newRow("top entry again") << QStringList{"a", "b", "b"} << QStringList{"b", "a", "", ""};
        QTest::newRow("case matters") << QStringList{"/x/A.html", "/x/a.html"}
                                      << QStringList{"/x/a.html", "/x/A.html", "", ""};
        // Start-up passes the empty slots too; they change nothing.
        QTest::newRow("start-up rebuild") << QStringList{"", "", "b", "a"} << QStringList{"a", "b", "", ""};
    }
    void addOrder()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        RecentFiles r;
        for (const QString& p : added)
            r.Add(p);
        QCOMPARE(pathsOf(r), expected);
    }

    void removeWritesStore_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("middle") << 2 << QStringList{"a", "c", "", ""};
        QTest::newRow("last filled") << 3 << QStringList{"a", "b", "", ""};
        QTest::newRow("first") << 1 << QStringList{"b", "c", "", ""};
    }
    void removeWritesStore()
    {
        QFETCH(int, slot);
        QFETCH(QStringList, expected);
        RecentFiles r;
        for (const char* p : {"c", "b", "a"})
            r.Add(p);
        r.PersistAll();
        r.Remove(slot);
        QCOMPARE(pathsOf(r), expected);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(GetSetting("MRU", QString::number(i), "?"), expected.at(i - 1));
    }

    // --- the File menu's slots ---

    void menuRestoredFromStore()
    {
        PrepareTestProfile();
        auto* prompter = ScriptedPrompter::install();
        SaveSetting("MRU", "1", "/srv/a.html");
        SaveSetting("MRU", "2", "/srv/b.html");
        frmMain* m = StartMain();
        QVERIFY(m->Action("mnuFileMRU1")->isVisible());
        QCOMPARE(m->Action("mnuFileMRU1")->text(), QStringLiteral("&1 a.html"));
        QCOMPARE(m->Action("mnuFileMRU2")->text(), QStringLiteral("&2 b.html"));
        QCOMPARE(m->Action("mnuFileMRU2")->statusTip(), QStringLiteral("/srv/b.html"));
        QVERIFY(!m->Action("mnuFileMRU3")->isVisible() && !m->Action("mnuFileMRU4")->isVisible());
        QVERIFY(m->Action("mnuFileBar4")->isVisible());
        CloseMain(prompter);
        QCOMPARE(GetSetting("MRU", "1"), QStringLiteral("/srv/a.html"));
        QCOMPARE(GetSetting("MRU", "3", "?"), QString());

        PrepareTestProfile();
        m = StartMain();
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!m->Action(QStringLiteral("mnuFileMRU%1").arg(i))->isVisible());
        QVERIFY(!m->Action("mnuFileBar4")->isVisible() && !m->Action("mnuFileClearRecent")->isVisible());
        CloseMain(prompter);

        // File > Clear Recent Files empties the list and the store.
        SaveSetting("MRU", "1", "/srv/a.html");
        m = StartMain();
        m->Action("mnuFileClearRecent")->trigger();
        QVERIFY(!m->Action("mnuFileMRU1")->isVisible() && !m->Action("mnuFileClearRecent")->isVisible());
        QCOMPARE(GetSetting("MRU", "1", "?"), QString());
        CloseMain(prompter);
    }

    void choosingEntries()
    {
        PrepareTestProfile();
        auto* prompter = ScriptedPrompter::install();
        QTemporaryDir dir;
        QStringList paths;
        for (const char* n : {"c.html", "b.html", "a.html"})
            paths.prepend(QFileInfo(WriteTestFile(dir, n, n)).canonicalFilePath());
        for (int i = 0; i < 3; ++i)
            SaveSetting("MRU", QString::number(i + 1), paths.at(i));   // a, b, c
        frmMain* m = StartMain();
        QCOMPARE(m->Documents().size(), 1);

        // Only the untouched Document 1: the file goes into that window.
        m->Action("mnuFileMRU2")->trigger();
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("b.html"));
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("b.html"));
        QCOMPARE(m->Recent().Path(1), paths.at(1));   // b, a, c

        // Already open: its window is activated, the list is not reordered.
        m->fctnNewDoc();
        m->Action("mnuFileMRU1")->trigger();
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("b.html"));
        QCOMPARE(m->Recent().Path(1), paths.at(1));

        // Another file: a new window.
        m->Action("mnuFileMRU2")->trigger();
        QCOMPARE(m->Documents().size(), 3);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("a.html"));

        // A deleted file is reported and removed: list a, b, c -> a, c.
        m->mnuFileCloseAll_Click();
        QCOMPARE(m->Documents().size(), 0);
        QVERIFY(QFile::remove(paths.at(1)));
        QCOMPARE(m->Recent().Path(2), paths.at(1));
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuFileMRU2")->trigger();
        QCOMPARE(prompter->messages().size(), 1);
        QCOMPARE(prompter->messages().last(),
                 "'" + paths.at(1) +
                     "' was either moved or deleted, and so will be removed from the 'most recently used' list of files.");
        QCOMPARE(prompter->asked.last().title, QStringLiteral("QRN"));
        QCOMPARE(m->Recent().Path(1), paths.at(0));
        QCOMPARE(m->Recent().Path(2), paths.at(2));
        QVERIFY(!m->Action("mnuFileMRU3")->isVisible());   // the store is checked in removeWritesStore
        QCOMPARE(m->Documents().size(), 0);
        CloseMain(prompter);
        QVERIFY(prompter->unexpected.isEmpty());
    }
};

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
