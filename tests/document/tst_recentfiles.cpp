#include <QtTest>

#include "TestEnv.h"
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

    void captions()
    {
        RecentFiles r;
        r.Add("/srv/www/site/index.html");
        r.Add("/home/u/My Site/a b.htm");
        QCOMPARE(r.Caption(1), QStringLiteral("&1 a b.htm"));
        QCOMPARE(r.Caption(2), QStringLiteral("&2 index.html"));
        QVERIFY(!r.Visible(3));
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
};

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
