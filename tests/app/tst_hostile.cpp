#include <QDockWidget>
#include <QLineEdit>
#include <QLocalServer>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "TestProcesses.h"
#include "app/SingleInstance.h"
#include "document/CodeMax1.h"
#include "insert/frmNew.h"
#include "base/BrowserView.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

// Bad input from outside: command lines, hand-overs, files that are not files,
// damaged settings, other users' sockets, and closes at awkward moments.
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

    // Only regular files are read: anything else is refused at once with the reason.
    void notRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << "it is a named pipe (FIFO), not a file";
        QTest::newRow("socket") << "socket" << "it is a socket, not a file";
        QTest::newRow("/dev/zero") << "/dev/zero" << "it is a device, not a file";
        QTest::newRow("/dev/urandom") << "/dev/urandom" << "it is a device, not a file";
    }
    void notRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QLocalServer server;
        QString path = kind;
        if (kind == "fifo") {
            path = dir.filePath("pipe.html");
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "socket") {
            path = dir.filePath("socket.html");
            QVERIFY(server.listen(path));
        }
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain('"' + path + '"');
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY2(prompter->messages().first().contains("' could not be opened.") &&
                     prompter->messages().first().contains(reason),
                 qPrintable(prompter->messages().first()));
        QCOMPARE(m->Documents().size(), 0);
        CloseMain(prompter);
        // The real program too: it comes up and serves the next start.
        if (kind == "fifo" || kind == "/dev/zero") {
            QProcess first;
            first.setProcessChannelMode(QProcess::ForwardedChannels);
            first.start(QrnBinary(), {path});
            QVERIFY(first.waitForStarted(10000));
            QTRY_VERIFY_WITH_TIMEOUT(SingleInstance::OtherInstanceRunning(), 20000);
            QProcess second;
            second.start(QrnBinary(), {makeFile("next.html", "<P>next</P>")});
            QVERIFY2(second.waitForFinished(15000) && second.exitCode() == 0, "the first instance did not answer");
            QVERIFY(first.state() == QProcess::Running);
            StopProcess(first);
        }
    }

    // A settings file that is a FIFO is reported; the program starts on the defaults.
    void settingsFileIsFifo()
    {
        QDir().mkpath(QFileInfo(SettingsStore::FilePath()).absolutePath());
        QFile::remove(SettingsStore::FilePath());
        QCOMPARE(::mkfifo(QFile::encodeName(SettingsStore::FilePath()).constData(), 0600), 0);
        QProcess first;
        QVERIFY(StartFirstInstance(first));
        QProcess second;
        second.start(QrnBinary(), QStringList());
        QVERIFY2(second.waitForFinished(15000) && second.exitCode() == 0, "the first instance did not answer");
        StopProcess(first);
        QVERIFY(QFileInfo(SettingsStore::FilePath()).isSymLink() || !QFileInfo(SettingsStore::FilePath()).isFile());
        QFile::remove(SettingsStore::FilePath());
    }

    // Closing while a file too large to hand over in one piece loads: the load
    // stops, its window goes, and nothing is used after it has gone.
    void closeWhileLargeFileLoads_data()
    {
        QTest::addColumn<bool>("mainWindow");
        QTest::newRow("document") << false;
        QTest::newRow("main window") << true;
    }
    void closeWhileLargeFileLoads()
    {
        QFETCH(bool, mainWindow);
        const QString path = dir.filePath("large.html");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray line = QByteArray(99, 'x') + '\n';
            for (int i = 0; i < 800000; ++i)
                f.write(line);
        }
        bool closed = false;
        QTimer::singleShot(0, [&] {
            frmMain* m = MainWindow();
            closed = m && m->ActiveDocument() && m->ActiveDocument()->IsBusy();
            if (mainWindow)
                m->close();
            else if (closed)
                m->ActiveDocument()->SubWindow()->close();
        });
        StartMain('"' + path + '"');
        QVERIFY2(closed, "the close did not come during the load");
        QTRY_COMPARE(bool(MainWindow()), !mainWindow);
        if (!mainWindow)
            QCOMPARE(MainWindow()->Documents().size(), 0);
        QVERIFY(prompter->messages().isEmpty());
        QFile::remove(path);
    }

    // A name as long as the folder allows is saved; a name that is not UTF-8 is reported as such.
    void awkwardNames()
    {
        QTemporaryDir folder;
        const QString path = WriteTestFile(folder, QString(245, 'n') + ".html", "<P>");   // 250 bytes
        frmMain* m = StartMain('"' + path + '"');
        m->ActiveDocument()->Editor()->SetText("<P>saved</P>");
        QVERIFY(m->mnuFileSave_Click());
        QCOMPARE(ReadTestFile(path), QByteArray("<P>saved</P>"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);   // no temporary file left
        CloseMain(prompter);

        const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xE9.html";
        QVERIFY(::close(::open(latin1.constData(), O_CREAT | O_WRONLY, 0644)) == 0);
        const QString asQtSeesIt = QFile::decodeName(latin1);
        prompter->queueMsgBox(MsgAnswer::OK);
        StartMain('"' + asQtSeesIt + '"');
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY2(prompter->messages().first().contains("not valid UTF-8"), qPrintable(prompter->messages().first()));
        ::unlink(latin1.constData());
    }

    // Another user's socket where ours belongs is not listened to: this start is the first instance.
    void foreignSocketIgnored()
    {
        if (::getuid() != 0)
            QSKIP("needs root to act as a second user");
        const QString ours = SingleInstance::ServerName();
        QVERIFY(ours.startsWith('/'));
        QCOMPARE(QFileInfo(QFileInfo(ours).absolutePath()).permissions() & 0x0077, QFileDevice::Permissions());
        // A user "nobody" listens in a shared folder and answers "ok" to everything.
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        const QByteArray spot = QFile::encodeName(shared.filePath("s"));
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(1);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, spot.constData(), sizeof address.sun_path - 1);
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0)
                ::_exit(2);
            for (;;) {
                const int c = ::accept(fd, nullptr, nullptr);
                char buffer[64];
                if (c >= 0 && ::read(c, buffer, sizeof buffer) > 0)
                    [[maybe_unused]] ssize_t n = ::write(c, "ok\n", 3);
            }
        }
        QTRY_VERIFY(QFileInfo::exists(QString::fromLocal8Bit(spot)));
        QVERIFY(::rename(spot.constData(), QFile::encodeName(ours).constData()) == 0);
        const QString path = makeFile("mine.html", "<P>");
        frmMain* m = StartMain('"' + path + '"');
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY2(m, "the start handed over to another user's socket and ended");
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->ActiveDocument()->PathPanel(), path);
        QVERIFY(SingleInstance::OtherInstanceRunning());   // it listens there itself now
    }

    // Numbers in the settings that no screen has: the window stays on the screen.
    void overflowingSettings_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("near INT_MAX") << "MainLeft=2147483000 MainWidth=2147483000 MainTop=2147483000 MainHeight=2147483000";
        QTest::newRow("-1e308") << "MainLeft=-1e308 MainTop=-1e308";
        QTest::newRow("1e308") << "MainLeft=1e308 MainWidth=1e308 MainHeight=1e308";
        QTest::newRow("16777215 squared") << "MainLeft=-251658225 MainTop=-251658225 MainWidth=251658225 MainHeight=251658225";
    }
    void overflowingSettings()
    {
        QFETCH(QString, settings);
        for (const QString& pair : settings.split(' '))
            SaveSetting("Config", pair.section('=', 0, 0), pair.section('=', 1));
        SaveSetting("Syntax", "DefSize", "1e9");
        frmMain* m = StartMain();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY2(m->width() <= screen.width() && m->height() <= screen.height(),
                 qPrintable(QString("%1x%2").arg(m->width()).arg(m->height())));
        QVERIFY2(std::abs(m->x()) <= 4 * screen.width() && std::abs(m->y()) <= 4 * screen.height(),
                 qPrintable(QString("%1,%2").arg(m->x()).arg(m->y())));
        QVERIFY(m->ActiveDocument()->Editor()->Font().pointSize() <= 400);
    }

    // A file handed over while the new-page wizard asks: the page goes to the document it was asked for.
    void handOverWhileWizardOpen()
    {
        SaveSetting("Config", "NewDoc", "True");
        const QString path = makeFile("handed.html", "<P>handed</P>");
        prompter->queueDialog([&](QDialog* d) {
            SaveSetting("Config", "Command", '"' + path + '"');
            MainWindow()->OnHandOver();
            auto* wizard = qobject_cast<frmNew*>(d);
            wizard->findChild<QLineEdit*>("txtA0")->setText("Wizard page");
            wizard->cmdOK_Click();
            return int(QDialog::Accepted);
        });
        frmMain* m = StartMain();
        QCOMPARE(m->Documents().size(), 2);
        for (frmDocument* doc : m->Documents()) {
            if (doc->HasFile())
                QCOMPARE(doc->Editor()->Text(), QString("<P>handed</P>"));
            else
                QVERIFY2(doc->Editor()->Text().contains("<TITLE>Wizard page</TITLE>"), qPrintable(doc->Editor()->Text()));
        }
    }

    // An installed program looks for the browser module only where it was installed.
    void browserModuleFolders()
    {
        BrowserModule::SetFolder(QString());
        const QString bin = QStringLiteral(QRN_BINDIR);
        QCOMPARE(BrowserModule::SearchFolders(bin), QStringList{QStringLiteral(QRN_PLUGINDIR)});
        QCOMPARE(BrowserModule::SearchFolders("/opt/q/bin"), (QStringList{"/opt/q/bin", "/opt/q/bin/../lib/qrn"}));
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

    // A file manager's "Open with" on 20 files starts 20 processes at once:
    // every file opens, exactly once.
    void twentyStartsAtOnce()
    {
        frmMain* m = StartMain();
        QStringList paths;
        QList<QProcess*> starts;
        for (int i = 0; i < 20; ++i) {
            paths << makeFile(QStringLiteral("page%1.html").arg(i), "<P>");
            auto* p = new QProcess(this);
            p->start(QrnBinary(), {paths.last()});
            starts << p;
        }
        // This test is the first instance: its event loop serves them while it waits.
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(starts.begin(), starts.end(),
                                             [](QProcess* p) { return p->state() == QProcess::NotRunning; }),
                                 90000);
        for (QProcess* p : starts) {
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
            delete p;
        }
        QTRY_COMPARE_WITH_TIMEOUT(m->Documents().size(), 21, 15000);
        QTest::qWait(500);   // nothing comes twice, late
        QStringList opened;
        for (frmDocument* d : m->Documents())
            if (d->HasFile())
                opened << d->PathPanel();
        opened.sort();
        paths.sort();
        QCOMPARE(opened, paths);
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
        // A sanitizer build starts several times slower.
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 60000);
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
