#include <QMenu>
#include <QProcess>
#include <QtTest>

#include "TestEnv.h"
#include "TestProcesses.h"
#include "TestFiles.h"
#include "app/SingleInstance.h"

// Start-up and the hand-over between real processes of the program.
class TestStartup : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;




    QString makeFile(const QString& name) { return QFileInfo(WriteTestFile(dir, name, "<P>x</P>\n")).canonicalFilePath(); }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup()
    {
        CloseMain(prompter);
        ClearCommandLineOverride();
    }

    void commandLineForm_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("commandLine");
        QTest::newRow("none") << QStringList{"qrn"} << "";
        QTest::newRow("path") << QStringList{"qrn", "/a b/c.html"} << "\"/a b/c.html\"";
        QTest::newRow("empty argument") << QStringList{"qrn", ""} << "";
    }
    void commandLineForm()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, commandLine);
        QCOMPARE(CommandLineFromArguments(arguments), commandLine);
    }

    void handOverBetweenProcesses()
    {
        QProcess first;
        QVERIFY(StartFirstInstance(first));
        // A second start without a file hands over nothing and ends.
        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(QrnBinary(), {});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(GetSetting("Config", "Command", "absent"), QStringLiteral("absent"));
        // With a file: the first instance opens it (so it tops the recent files) and empties the slot.
        const QString path = makeFile("hand over.html");
        second.start(QrnBinary(), {path});
        QVERIFY(second.waitForFinished(15000));
        QVERIFY(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 15000);
        QTRY_COMPARE(GetSetting("Config", "Command", "absent"), QString());
        QVERIFY(first.state() == QProcess::Running);
        StopProcess(first);
    }

    void staleSocketDoesNotBlock()
    {
        QProcess crashed;
        QVERIFY(StartFirstInstance(crashed));
        StopProcess(crashed);   // killed: its socket file stays behind
        QVERIFY(!SingleInstance::OtherInstanceRunning());
        QProcess first;
        QVERIFY(StartFirstInstance(first));   // comes up and listens despite the stale socket
        const QString path = makeFile("after crash.html");
        QProcess second;
        second.start(QrnBinary(), {path});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 15000);
        StopProcess(first);
    }

    void instanceModeOffRunsItsOwnWindow()
    {
        SaveSetting("Config", "Instance", "0");
        QProcess first;
        QVERIFY(StartFirstInstance(first));
        QProcess second;
        second.start(QrnBinary(), {});
        QVERIFY(second.waitForStarted(10000));
        QVERIFY(!second.waitForFinished(3000));   // still running with its own window
        StopProcess(second);
        StopProcess(first);
    }

    void missingFileMessage_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("message");
        QTest::newRow("quoted missing") << "\"/nonexistent/x.html\"" << "\"/nonexistent/x.html\" could not be opened.";
        // Unquoted: the first and last characters are dropped, so the lookup fails.
        QTest::newRow("unquoted") << "/tmp" << "/tmp could not be opened.";
        QTest::newRow("a folder") << "\"/tmp\"" << "\"/tmp\" could not be opened.";
    }
    void missingFileMessage()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, message);
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain(commandLine);
        QVERIFY(m);
        QCOMPARE(prompter->messages(), QStringList{message});
        QCOMPARE(m->Documents().size(), 0);
        // The window stays as designed for no document: Edit and Save greyed out.
        QVERIFY(!m->Menu("mnuEdit")->menuAction()->isEnabled());
        QVERIFY(!m->Action("mnuFileSave")->isEnabled());
        QVERIFY(!m->ToolbarButton("Save")->isEnabled());
    }

    void commandLineFileOpensByLongPath()
    {
        const QString real = makeFile("Real Page.html");
        const QString link = dir.filePath("link.html");
        QVERIFY(QFile::link(real, link));
        frmMain* m = StartMain('"' + link + '"');
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->ActiveDocument()->PathPanel(), real);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Real Page.html"));
        QCOMPARE(m->DocCount(), 0);  // not numbered
        QCOMPARE(fctnLongPath(dir.filePath("missing")), QString());
    }

    void workingFolder_data()
    {
        QTest::addColumn<QString>("layout");   // "file", "subfolders", "missing"
        QTest::addColumn<QString>("loadDir");  // empty: absent
        QTest::addColumn<bool>("useStored");
        QTest::newRow("folder with a file") << "file" << "" << true;
        QTest::newRow("options form -1") << "file" << "-1" << true;
        QTest::newRow("LoadDir 0") << "file" << "0" << false;
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
        if (layout == "file")
            QVERIFY(!WriteTestFile(work, "site/index.html", "").isEmpty());
        else if (layout == "subfolders")
            QVERIFY(QDir().mkpath(stored + "images"));
        SaveSetting("Config", "WorkDir", stored);
        if (!loadDir.isEmpty())
            SaveSetting("Config", "LoadDir", loadDir);
        QDir::setCurrent(QDir::rootPath());
        StartMain();
        const QString expected = useStored ? QFileInfo(stored).canonicalFilePath() : QDir::homePath();
        QCOMPARE(QDir::current().canonicalPath(), QDir(expected).canonicalPath());
    }

    void nonNumberLoadDirReported()
    {
        SaveSetting("Config", "LoadDir", "yes");
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain();
        QCOMPARE(prompter->messages(),
                 QStringList{"13: Type mismatch\n\nThese settings could not be read; their defaults are used: Config/LoadDir."});
        QCOMPARE(QDir::currentPath(), QDir::homePath());
        QCOMPARE(m->Documents().size(), 1);
    }

    void splashGoneOnceStarted()
    {
        SaveSetting("Config", "Splash", "True");
        QVERIFY(StartMain());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w->objectName() != "frmSplash" || !w->isVisible(), "splash still shown");
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
