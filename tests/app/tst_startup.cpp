#include <QLineEdit>
#include <QLocalServer>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "TestProcesses.h"
#include "base/BrowserView.h"
#include "base/cCommonDialog.h"
#include "document/CodeMax1.h"
#include "insert/frmNew.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int kMismatch = -13;   // the reader threw "13: Type mismatch"
}

// Start-up, the settings store and the hand-over between real processes of the program, and bad input from outside:
// command lines, hand-overs, files that are not files, damaged settings, other users' sockets, and closes at awkward
// moments.
class TestStartup : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    QString makeFile(const QString& name, const QByteArray& bytes = "<P>x</P>\n")
    {
        return QFileInfo(WriteTestFile(dir, name, bytes)).canonicalFilePath();
    }
    // Exactly one message was shown, and it holds part and also.
    bool saidOnce(const QString& part, const QString& also = QString()) const
    {
        const QStringList all = prompter->messages();
        const bool ok = all.size() == 1 && all.first().contains(part) && all.first().contains(also);
        if (!ok)
            qWarning() << "messages:" << all;
        return ok;
    }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); ClearCommandLineOverride(); }

    // Stored texts as switches and numbers: True/False in any case, numbers with blanks around.
    void storedForms_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("asBool");
        QTest::addColumn<int>("asInt");
        const int no = kMismatch;
        for (auto [stored, b, i] : std::initializer_list<std::tuple<const char*, int, int>>{
                 {"True", 1, no}, {"False", 0, no}, {"true", 1, no}, {"FALSE", 0, no}, {"-1", 1, -1}, {"0", 0, 0},
                 {"1", 1, 1}, {"7", 1, 7}, {" 0 ", 0, 0}, {"12 ", 1, 12}, {"yes", no, no}, {"", no, no},
                 {"12abc", no, no}})
            QTest::addRow("'%s'", stored) << QString(stored) << b << i;
    }
    void storedForms()
    {
        QFETCH(QString, stored);
        QFETCH(int, asBool);
        QFETCH(int, asInt);
        SaveSetting("Config", "LoadDir", stored);
        const auto read = [](auto get) -> int {
            try {
                return int(get());
            } catch (const SettingsError& e) {
                return e.message() == "13: Type mismatch" ? kMismatch : -99;
            }
        };
        QCOMPARE(read([] { return Setting::Bool("Config", "LoadDir"); }), asBool);
        QCOMPARE(read([] { return Setting::Int("Config", "LoadDir"); }), asInt);
    }

    // Absent keys read as their defaults (the options dialog has its own for some); reading writes nothing. Values
    // are kept as given, empty or with a comma, in QRN/QRN.conf under XDG_CONFIG_HOME; numbers in their shortest form.
    void storeValues()
    {
        ResetSettingsStore();
        QCOMPARE(Setting::Int("Config", "LoadDir"), 1);
        QCOMPARE(Setting::Int("Config", "LoadDir", DefaultsFor::OptionsDialog), -1);
        QCOMPARE(Setting::String("MRU", "3"), QString());
        QCOMPARE(GetSetting("Config", "Nothing", true), QStringLiteral("True"));
        QCOMPARE(GetSetting("Config", "Nothing", 1000), QStringLiteral("1000"));
        QVERIFY(!QFile::exists(SettingsStore::FilePath()));
        SaveSetting("Config", "Tool1", "");
        QCOMPARE(GetSetting("Config", "Tool1", "fallback"), QString());
        SaveSetting("MRU", "1", "/home/u/a,b.html");
        QCOMPARE(GetSetting("MRU", "1"), QStringLiteral("/home/u/a,b.html"));
        SaveSetting("Config", "Splash", "0");
        const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/QRN/QRN.conf";
        QCOMPARE(SettingsStore::FilePath(), expected);
        QCOMPARE(QSettings(expected, QSettings::IniFormat).value("Config/Splash").toString(), QStringLiteral("0"));
        for (auto [value, text] : QList<std::pair<double, QString>>{
                 {1000.0, "1000"}, {11265.5, "11265.5"}, {100000.0, "100000"}, {-15.0, "-15"}})
            QCOMPARE(SettingText::FromFloat(value), text);
    }

    // The file dialog's filters: labels give up their own pattern lists, "*.*" takes files without an ending, ":"
    // splits as "|" does.
    void fileDialogCalls()
    {
        QCOMPARE(cCommonDialog::QtNameFilters("ASP files (*.asp)|*.asp|CSS files (*.css)|*.css|HTML/SHTML files "
                                              "(*.htm*, *.shtm*)|*.htm*;*.shtm*|Javascript files (*.js)|*.js|"
                                              "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"),
                 (QStringList{"ASP files (*.asp)", "CSS files (*.css)", "HTML/SHTML files (*.htm* *.shtm*)",
                              "Javascript files (*.js)", "Text Files (*.txt)", "All Files (*)"}));
        QCOMPARE(cCommonDialog::QtNameFilters("Web: *.htm|Text|*.txt"), QStringList({"Web (*.htm)", "Text (*.txt)"}));
        // One file gives its path and title; several give the folder with one trailing slash and the names separated
        // by NUL. What the program asks for and does with them: tst_fileops (File > Open and Save As),
        // tst_snippetmenus (the colour and font choosers, the image's file); on Cancel, there and in tst_optionsdialog.
        QString name, title, filter;
        int index = 1, flags = 0;
        auto open = [&](const FileDialogResult& answer) {
            bool readOnly = false;
            prompter->queueFile(answer);
            return cCommonDialog().VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "",
                                                     nullptr, flags);
        };
        QVERIFY(open({true, {"/srv/www/one.html"}, 1}));
        QCOMPARE(name + "|" + title, QStringLiteral("/srv/www/one.html|one.html"));
        QVERIFY(open({true, {"/a.html", "/b.html"}, 0}));
        QCOMPARE(name + "|" + title, QStringLiteral("/|a.html") + QChar::Null + QStringLiteral("b.html"));
        QVERIFY(open({true, {"/srv/x y/a.html", "/srv/x y/b.html"}, 0}));
        QCOMPARE(name, QStringLiteral("/srv/x y/"));
    }

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
    }

    // A file on the command line opens by its real path; the splash is gone by then.
    void commandLineFileOpensByLongPath()
    {
        SaveSetting("Config", "Splash", "True");
        const QString real = makeFile("Real Page.html");
        QVERIFY(QFile::link(real, dir.filePath("link.html")));
        frmMain* m = StartMain('"' + dir.filePath("link.html") + '"');
        QCOMPARE(DocumentPaths(), QStringList{real});
        QCOMPARE(m->ActiveDocument()->Caption() + " " + QString::number(m->DocCount()), "Real Page.html 0");   // not numbered
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

    void awkwardFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("0 bytes") << "empty.html" << QByteArray();
        QTest::newRow("PNG") << "picture.png"
                             << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89", 33);
        QTest::newRow("non-ASCII") << "Übersicht – café.html" << QByteArray("<P>\xc3\xa9</P>");
        for (const char* name : {"my page.html", "-x.html", "two\nlines.html"})   // a blank, a leading dash, a newline
            QTest::newRow(name) << QString(name) << QByteArray("<P>");
    }
    void awkwardFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = makeFile(name, content);
        frmMain* m = StartMain('"' + path + '"');
        QVERIFY(prompter->unexpected.isEmpty() && m->Documents().size() == 1);
        QCOMPARE(m->ActiveDocument()->Caption(), name);
        QCOMPARE(m->ActiveDocument()->Editor()->TextLength(), int(FileText::Decode(content, nullptr).size()));
        QVERIFY(m->mnuFileSave_Click());   // saved unedited, the bytes come back as they were
        QCOMPARE(ReadTestFile(path), content);
    }

    // Only regular files that can be read are opened: anything else is refused at once with the
    // reason, and the real program comes up on it and serves the next start.
    void notRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << "it is a named pipe (FIFO), not a file";
        QTest::newRow("socket") << "socket" << "it is a socket, not a file";
        QTest::newRow("/dev/zero") << "/dev/zero" << "it is a device, not a file";
        QTest::newRow("read fails") << "/proc/self/mem" << "";   // root reads any file; this read fails
    }
    void notRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QLocalServer server;
        QString path = kind;
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path = dir.filePath("pipe.html")).constData(), 0600), 0);
        else if (kind == "socket")
            QVERIFY(server.listen(path = dir.filePath("socket.html")));
        prompter->queueMsgBox(MsgAnswer::OK);
        QCOMPARE(StartMain('"' + path + '"')->Documents().size(), 0);
        QVERIFY(saidOnce(QFileInfo(path).fileName() + "' could not be opened.", reason));
        CloseMain(prompter);
        if (kind != "fifo" && kind != "/dev/zero")
            return;
        QProcess first, next;
        QVERIFY(StartFirstInstance(first, {path}));
        next.start(QrnBinary(), {makeFile("next.html", "<P>next</P>")});
        QVERIFY2(next.waitForFinished(15000) && next.exitCode() == 0, "the first instance did not answer");
        QVERIFY(first.state() == QProcess::Running);
        StopProcess(first);
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
        const QString path = WriteTestFile(dir, "large.html", (QByteArray(99, 'x') + '\n').repeated(800000));
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
        QVERIFY((mainWindow || MainWindow()->Documents().isEmpty()) && prompter->messages().isEmpty());
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
        prompter->queueMsgBox(MsgAnswer::OK);
        StartMain('"' + QFile::decodeName(latin1) + '"');   // the name as Qt sees it
        QVERIFY(saidOnce("not valid UTF-8"));
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
            sockaddr_un address{AF_UNIX, {}};
            std::strncpy(address.sun_path, spot.constData(), sizeof address.sun_path - 1);
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0)
                ::_exit(2);
            for (char buffer[64];;)
                if (const int c = ::accept(fd, nullptr, nullptr); c >= 0 && ::read(c, buffer, sizeof buffer) > 0)
                    [[maybe_unused]] ssize_t n = ::write(c, "ok\n", 3);
        }
        QTRY_VERIFY(QFileInfo::exists(QString::fromLocal8Bit(spot)));
        QVERIFY(::rename(spot.constData(), QFile::encodeName(ours).constData()) == 0);
        const QString path = makeFile("mine.html", "<P>");
        frmMain* m = StartMain('"' + path + '"');
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY2(m, "the start handed over to another user's socket and ended");
        QCOMPARE(DocumentPaths(), QStringList{path});
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
        const QString where = QString("%1,%2 %3x%4").arg(m->x()).arg(m->y()).arg(m->width()).arg(m->height());
        QVERIFY2(m->width() <= screen.width() && m->height() <= screen.height(), qPrintable(where));
        QVERIFY2(std::abs(m->x()) <= 4 * screen.width() && std::abs(m->y()) <= 4 * screen.height(), qPrintable(where));
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
            d->findChild<QLineEdit*>("txtA0")->setText("Wizard page");
            qobject_cast<frmNew*>(d)->cmdOK_Click();
            return int(QDialog::Accepted);
        });
        frmMain* m = StartMain();
        QCOMPARE(m->Documents().size(), 2);
        for (frmDocument* doc : m->Documents())
            QVERIFY2(doc->HasFile() ? doc->Editor()->Text() == "<P>handed</P>"
                                    : doc->Editor()->Text().contains("<TITLE>Wizard page</TITLE>"),
                     qPrintable(doc->Editor()->Text()));
    }

    // Given on its own, an existing file that begins with "-" is opened, not read as an option. An installed program
    // looks for the browser module only where it was installed.
    void leadingDashOnRealCommandLine()
    {
        BrowserModule::SetFolder(QString());
        QCOMPARE(BrowserModule::SearchFolders(QStringLiteral(QRN_BINDIR)), QStringList{QStringLiteral(QRN_PLUGINDIR)});
        QCOMPARE(BrowserModule::SearchFolders("/opt/q/bin"), (QStringList{"/opt/q/bin", "/opt/q/bin/../lib/qrn"}));
        const QString path = makeFile("-dash.html", "<P>dash</P>");
        QProcess first, version;
        first.setWorkingDirectory(dir.path());
        QVERIFY(StartFirstInstance(first, {"-dash.html"}));
        QTRY_COMPARE_WITH_TIMEOUT(GetSetting("MRU", "1"), path, 15000);
        StopProcess(first);
        version.start(QrnBinary(), {"--version"});
        QVERIFY(version.waitForFinished(10000) && version.exitCode() == 0);
        QVERIFY(version.readAllStandardOutput().startsWith("Quorlen (qrn) 1.2.0"));
    }

    // A file manager's "Open with" on 20 files starts 20 processes at once:
    // every file opens, exactly once.
    void twentyStartsAtOnce()
    {
        frmMain* m = StartMain();
        QStringList paths;
        std::vector<std::unique_ptr<QProcess>> starts;
#ifdef __SANITIZE_ADDRESS__
        const int count = 6;   // each instrumented start costs seconds of the two cores
#else
        const int count = 20;
#endif
        for (int i = 0; i < count; ++i) {
            paths << makeFile(QStringLiteral("page%1.html").arg(i), "<P>");
            starts.emplace_back(new QProcess)->start(QrnBinary(), {paths.last()});
        }
        // This test is the first instance: its event loop serves them while it waits.
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(starts.begin(), starts.end(),
                                             [](const auto& p) { return p->state() == QProcess::NotRunning; }),
                                 240000);
        for (const auto& p : starts)
            QVERIFY(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0);
        QTRY_COMPARE_WITH_TIMEOUT(m->Documents().size(), count + 1, 15000);
        QTest::qWait(500);   // nothing comes twice, late
        QStringList opened = DocumentPaths();
        opened.sort();
        paths.sort();
        QCOMPARE(opened, QStringList{QString()} + paths);   // and the untitled first document
    }

    // A settings file that is a FIFO: the program starts on the defaults and serves the next start. A damaged one is
    // set aside with a word; the defaults apply, and the next start is quiet. Every number in the settings broken:
    // one message names them, and the defaults apply. A config "folder" that is really a file cannot be created, even
    // by root; nothing can be read either, so the new-page wizard comes up as on a first run.
    void damagedSettings()
    {
        QFile::remove(SettingsStore::FilePath());
        QCOMPARE(::mkfifo(QFile::encodeName(SettingsStore::FilePath()).constData(), 0600), 0);
        QProcess first, next;
        QVERIFY(StartFirstInstance(first));
        next.start(QrnBinary(), QStringList());
        QVERIFY2(next.waitForFinished(15000) && next.exitCode() == 0, "the first instance did not answer");
        StopProcess(first);
        QVERIFY(QFileInfo(SettingsStore::FilePath()).isSymLink() || !QFileInfo(SettingsStore::FilePath()).isFile());
        QFile::remove(SettingsStore::FilePath());
        QVERIFY(WriteFileAt(SettingsStore::FilePath(), QByteArray("\x00\x01\xff\xfe[Config\x00]\nDock=\x80\x81\n", 20)));
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain();
        QVERIFY(m && saidOnce("was damaged"));
        QVERIFY(QFile::exists(SettingsStore::FilePath() + ".bad"));
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        CloseMain(prompter);
        StartMain();
        QCOMPARE(prompter->messages().size(), 1);
        CloseMain(prompter);
        prompter = ScriptedPrompter::install();
        for (const char* key : {"Instance", "Splash", "LoadDir", "FullIns", "NewDoc", "MainLeft", "MainTop", "MainWidth",
                                "MainHeight", "WindowState", "Tbar", "Pbar", "Sbar", "Margin", "LineNo", "Whitespace",
                                "Lbar", "Dock", "View", "DocState"})
            SaveSetting("Config", key, "zz");
        for (const char* key : {"DefSize", "TagFG", "CommEffect"})
            SaveSetting("Syntax", key, "zz");
        prompter->queueMsgBox(MsgAnswer::OK);
        m = StartMain();
        const QString text = prompter->messages().value(0);
        QVERIFY(m && saidOnce("") && text.startsWith("13: Type mismatch"));
        for (const char* key : {"Config/Instance", "Config/Dock", "Config/MainLeft", "Config/Whitespace", "Config/LoadDir"})
            QVERIFY2(text.contains(key), key);
        QVERIFY(m->Documents().size() == 1 && m->Toolbar1()->isVisibleTo(m) && !m->Action("mnuViewWhitespace")->isChecked());
        QCOMPARE(m->dockWidgetArea(m->Picture1()), Qt::LeftDockWidgetArea);
        QCOMPARE(m->ActiveDocument()->Editor()->Font().pointSize(), 10);
        CloseMain(prompter);
        prompter = ScriptedPrompter::install();   // the wizard above, unasked for, was turned down
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", (makeFile("blocker", "x") + "/config").toUtf8());
        prompter->queueDialog([](QDialog*) { return int(QDialog::Rejected); });
        m = StartMain();
        QVERIFY2(m && prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        QCOMPARE(m->Documents().size(), 1);
        CloseMain(prompter);
        QVERIFY(SettingsStore::WriteFailed());
        qputenv("XDG_CONFIG_HOME", saved);
    }

};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
