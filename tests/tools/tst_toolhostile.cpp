#include <QToolBar>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "app/ShellRoutines.h"
#include "document/CodeMax1.h"
#include "tools/Preview.h"
#include "tools/SpellCheck.h"

// Tools facing a hostile machine or page: no dictionary, a page that never stops.
class TestToolHostile : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup()
    {
        CloseMain(prompter);
        Probe::SetDictionaryFolders({});
    }

    void noDictionaryInstalled()
    {
        QVERIFY(QDir().mkpath(dir.filePath("nodics")));
        Probe::SetDictionaryFolders({dir.filePath("nodics")});
        frmMain* m = StartMain();
        QVERIFY(!m->Action("mnuToolsSpellCheck")->isVisible());
        QVERIFY(!m->ToolbarButton("Spell")->isVisible());
        // Reached anyway (a stale shortcut, say): nothing breaks and the text stays.
        m->ActiveDocument()->Editor()->SetText("Speling");
        prompter->defaultMsgAnswer = MsgAnswer::OK;
        fctnSpellCheck(m);
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("Speling"));
        QVERIFY(SpellDictionary::Installed().isEmpty());
    }

    void previewOfEndlessScript()
    {
        const QString page = WriteTestFile(dir, "loop.html", "<HTML><BODY>x<SCRIPT>while (true) {}</SCRIPT></BODY></HTML>");
        frmMain* m = StartMain('"' + page + '"');
        frmDocument* d = m->ActiveDocument();
        if (!Preview::Browser(d))
            QSKIP("the embedded browser is not installed");
        QVERIFY(Preview::PanelClick(m, d, 2));
        QVERIFY(!d->IsEditMode());
        // The page spins in the browser's own process; this thread keeps serving events.
        QElapsedTimer t;
        t.start();
        QTest::qWait(300);
        QVERIFY(t.elapsed() < 2000);
        QVERIFY(Preview::PanelClick(m, d, 1));
        QVERIFY(d->IsEditMode());
        QVERIFY(d->Editor()->isVisible());
        QTest::keyClicks(d->Editor(), "ok");
        QVERIFY(d->Editor()->Text().startsWith("ok"));
    }
};

QTEST_MAIN(TestToolHostile)
#include "tst_toolhostile.moc"
