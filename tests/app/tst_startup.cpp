#include <QMenu>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "TestProcesses.h"

// Start-up and the hand-over between real processes of the program.
class TestStartup : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    QString makeFile(const QString& name) { return QFileInfo(WriteTestFile(dir, name, "<P>x</P>\n")).canonicalFilePath(); }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); ClearCommandLineOverride(); }

    // A killed first instance leaves its socket: the next start becomes the first instance and opens its
    // file itself; later starts hand over nothing, or their file, and end, unless the mode is off.
    void handOverBetweenProcesses()
    {
        QProcess crashed, first, second;
        QVERIFY(StartFirstInstance(crashed));
        StopProcess(crashed);
        QVERIFY(!SingleInstance::OtherInstanceRunning());
        const QString orphan = makeFile("orphan.html");
        QVERIFY(StartFirstInstance(first, {orphan}));
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), orphan, 60000);   // a sanitizer build starts slowly
        second.start(QrnBinary(), {});
        QVERIFY(second.waitForFinished(15000) && second.exitCode() == 0);
        QCOMPARE(GetSetting("Config", "Command", "absent"), QStringLiteral("absent"));   // nobody wrote the slot
        const QString path = makeFile("hand over.html");
        second.start(QrnBinary(), {path});
        QVERIFY(second.waitForFinished(15000) && second.exitStatus() == QProcess::NormalExit && !second.exitCode());
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 15000);
        QTRY_COMPARE(GetSetting("Config", "Command", "absent"), QString());   // the slot is emptied
        QVERIFY(first.state() == QProcess::Running);
        SaveSetting("Config", "Instance", "0");
        second.start(QrnBinary(), {});
        QVERIFY(second.waitForStarted(10000) && !second.waitForFinished(3000));   // still running, its own window
        StopProcess(second);
        StopProcess(first);
    }

    // The message repeats the command line; unquoted, its first and last characters are dropped.
    void missingFileMessage_data()
    {
        QTest::addColumn<QString>("commandLine");
        for (const char* line : {"\"/nonexistent/x.html\"", "/tmp", "\"/tmp\""})
            QTest::newRow(line) << QString(line);
    }
    void missingFileMessage()
    {
        QFETCH(QString, commandLine);
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain(commandLine);
        QCOMPARE(prompter->messages(), QStringList{commandLine + " could not be opened."});
        QCOMPARE(m->Documents().size(), 0);
        QVERIFY(!m->Menu("mnuEdit")->menuAction()->isEnabled() && !m->Action("mnuFileSave")->isEnabled());
        QVERIFY(!m->ToolbarButton("Save")->isEnabled());   // no document: Edit and Save greyed out
    }

    // A file on the command line opens by its real path; the splash is gone by then.
    void commandLineFileOpensByLongPath()
    {
        SaveSetting("Config", "Splash", "True");
        const QString real = makeFile("Real Page.html");
        QVERIFY(QFile::link(real, dir.filePath("link.html")));
        frmMain* m = StartMain('"' + dir.filePath("link.html") + '"');
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->ActiveDocument()->PathPanel(), real);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Real Page.html"));
        QCOMPARE(m->DocCount(), 0);  // not numbered
        QCOMPARE(fctnLongPath(dir.filePath("missing")), QString());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w->objectName() != "frmSplash" || !w->isVisible(), "splash still shown");
    }

    void workingFolder_data()
    {
        QTest::addColumn<QString>("layout");   // "file", "subfolders", "missing"
        QTest::addColumn<QString>("loadDir");  // empty: absent; "yes" is reported
        QTest::addColumn<bool>("useStored");
        QTest::newRow("folder with a file") << "file" << "" << true;
        QTest::newRow("options form -1") << "file" << "-1" << true;
        QTest::newRow("LoadDir 0") << "file" << "0" << false;
        QTest::newRow("LoadDir not a number: its default") << "file" << "yes" << true;
        QTest::newRow("only sub-folders") << "subfolders" << "" << false;
        QTest::newRow("missing folder") << "missing" << "" << false;
    }
    void workingFolder()
    {
        QFETCH(QString, layout);
        QFETCH(QString, loadDir);
        QFETCH(bool, useStored);
        QTemporaryDir work;
        const QString stored = work.path() + "/site/";
        QVERIFY(layout != "file" || !WriteTestFile(work, "site/index.html", "").isEmpty());
        QVERIFY(layout != "subfolders" || QDir().mkpath(stored + "images"));
        SaveSetting("Config", "WorkDir", stored);
        if (!loadDir.isEmpty())
            SaveSetting("Config", "LoadDir", loadDir);
        if (loadDir == "yes")
            prompter->queueMsgBox(MsgAnswer::OK);
        QDir::setCurrent(QDir::rootPath());
        QCOMPARE(StartMain()->Documents().size(), 1);
        const QString report = "13: Type mismatch\n\nThese settings could not be read; their defaults are used: ";
        QCOMPARE(prompter->messages(), loadDir == "yes" ? QStringList{report + "Config/LoadDir."} : QStringList());
        const QString expected = useStored ? QFileInfo(stored).canonicalFilePath() : QDir::homePath();
        QCOMPARE(QDir::current().canonicalPath(), QDir(expected).canonicalPath());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
