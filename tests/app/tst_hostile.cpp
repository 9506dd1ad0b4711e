#include <QDockWidget>
#include <QProcess>
#include <QToolBar>
#include <QtTest>

#include "TestEnv.h"
#include "TestProcesses.h"
#include "app/SingleInstance.h"
#include "document/CodeMax1.h"

// Bad input from outside: command lines, hand-overs, damaged settings.
class TestHostile : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    QString makeFile(const QString& name, const QByteArray& content)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(content);
        return QFileInfo(f.fileName()).canonicalFilePath();
    }

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup()
    {
        CloseMain(prompter);
        ClearCommandLineOverride();
    }

    void awkwardFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("0 bytes") << "empty.html" << QByteArray();
        QTest::newRow("PNG") << "picture.png"
                             << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89", 33);
        QTest::newRow("blanks") << "my page.html" << QByteArray("<P>");
        QTest::newRow("non-ASCII") << "Übersicht – café.html" << QByteArray("<P>\xc3\xa9</P>");
        QTest::newRow("leading dash") << "-x.html" << QByteArray("<P>");
        QTest::newRow("newline") << "two\nlines.html" << QByteArray("<P>");
    }
    void awkwardFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = makeFile(name, content);
        QVERIFY(!path.isEmpty());
        frmMain* m = StartMain('"' + path + '"');
        QVERIFY(prompter->unexpected.isEmpty());
        QCOMPARE(m->Documents().size(), 1);
        frmDocument* d = m->ActiveDocument();
        QCOMPARE(d->Caption(), name);
        QCOMPARE(d->Editor()->TextLength(), int(FileText::Decode(content, nullptr).size()));
        // Saved unedited, the bytes come back as they were.
        QVERIFY(m->mnuFileSave_Click());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    void unreadableFile()
    {
        // Root reads any file, so a file whose read fails stands in for an unreadable one.
        const QString path = "/proc/self/mem";
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain('"' + path + '"');
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY2(prompter->messages().first().contains("/mem' could not be opened."), qPrintable(prompter->messages().first()));
        QCOMPARE(m->Documents().size(), 0);
    }

    void leadingDashOnRealCommandLine()
    {
        // Given on its own, an existing file that begins with "-" is opened, not read as an option.
        const QString path = makeFile("-dash.html", "<P>dash</P>");
        QProcess first;
        first.setWorkingDirectory(dir.path());
        QVERIFY(StartFirstInstance(first, {"-dash.html"}));
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 15000);
        StopProcess(first);
        QProcess help;
        help.start(QrnBinary(), {"--version"});
        QVERIFY(help.waitForFinished(10000));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.readAllStandardOutput().startsWith("Quorlen (qrn) 1.2.0"));
    }

    void tenStartsAtOnce()
    {
        QProcess first;
        QVERIFY(StartFirstInstance(first));
        QStringList paths;
        QList<QProcess*> starts;
        for (int i = 0; i < 10; ++i) {
            paths << makeFile(QStringLiteral("page%1.html").arg(i), "<P>");
            auto* p = new QProcess(this);
            p->start(QrnBinary(), {paths.last()});
            starts << p;
        }
        for (QProcess* p : starts) {
            QVERIFY2(p->waitForFinished(30000), "a second start hung");
            QCOMPARE(p->exitCode(), 0);
            delete p;
        }
        QVERIFY(first.state() == QProcess::Running);
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("Config", "Command", "absent"), QString(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(paths.contains(GetSetting("MRU", "1")), 15000);
        StopProcess(first);
    }

    void firstKilledDuringHandOver()
    {
        QProcess first;
        QVERIFY(StartFirstInstance(first));
        first.kill();
        first.waitForFinished(10000);
        // The next start finds nobody answering and becomes the first instance itself.
        const QString path = makeFile("orphan.html", "<P>");
        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(QrnBinary(), {path});
        QVERIFY(second.waitForStarted(10000));
        QVERIFY(!second.waitForFinished(2000));
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 15000);
        QCOMPARE(GetSetting("Config", "Command", "absent"), QStringLiteral("absent"));
        QTRY_VERIFY_WITH_TIMEOUT(SingleInstance::OtherInstanceRunning(), 15000);
        StopProcess(second);
    }

    void damagedSettingsFile()
    {
        QDir().mkpath(QFileInfo(SettingsStore::FilePath()).absolutePath());
        QFile f(SettingsStore::FilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x00\x01\xff\xfe[Config\x00]\nDock=\x80\x81\n", 20));
        f.close();
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain();
        QVERIFY(m);
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY(prompter->messages().first().contains("was damaged"));
        QVERIFY(QFile::exists(SettingsStore::FilePath() + ".bad"));
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        CloseMain(prompter);
        // The next start reads the fresh file without complaint.
        StartMain();
        QCOMPARE(prompter->messages().size(), 1);
    }

    void everyNumberBroken()
    {
        for (const char* key : {"Instance", "Splash", "LoadDir", "FullIns", "NewDoc", "MainLeft", "MainTop", "MainWidth",
                                "MainHeight", "WindowState", "Tbar", "Pbar", "Sbar", "Margin", "LineNo", "Whitespace",
                                "Lbar", "Dock", "View", "DocState"})
            SaveSetting("Config", key, "zz");
        for (const char* key : {"DefSize", "TagFG", "CommEffect"})
            SaveSetting("Syntax", key, "zz");
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain();
        QVERIFY(m);
        QCOMPARE(prompter->messages().size(), 1);   // said once
        const QString text = prompter->messages().first();
        QVERIFY(text.startsWith("13: Type mismatch"));
        for (const char* key : {"Config/Instance", "Config/Dock", "Config/MainLeft", "Config/Whitespace", "Config/LoadDir"})
            QVERIFY2(text.contains(key), key);
        QCOMPARE(m->Documents().size(), 1);
        QVERIFY(m->Toolbar1()->isVisibleTo(m));
        QVERIFY(!m->Action("mnuViewWhitespace")->isChecked());
        QCOMPARE(m->ActiveDocument()->Editor()->Font().pointSize(), 10);
    }

    void unwritableConfigFolder()
    {
        // A config "folder" that is really a file cannot be created, even by root.
        const QString blocker = makeFile("blocker", "x");
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", (blocker + "/config").toUtf8());
        // Nothing can be read either, so the new-page wizard comes up as on a first run.
        prompter->queueDialog([](QDialog*) { return int(QDialog::Rejected); });
        frmMain* m = StartMain();
        QVERIFY(m);
        QVERIFY(prompter->unexpected.isEmpty());
        QCOMPARE(m->Documents().size(), 1);
        CloseMain(prompter);
        QVERIFY(SettingsStore::WriteFailed());
        qputenv("XDG_CONFIG_HOME", saved);
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
