#include <QCheckBox>
#include <QProcess>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "options/ShellEntries.h"
#include "options/frmOptions.h"

namespace {
QCheckBox* shellBox(frmOptions& d, int i) { return d.findChild<QCheckBox*>(QStringLiteral("chkShell%1").arg(i)); }
QString applications() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/applications"; }
QStringList entries() { return QDir(applications()).entryList({"*.desktop"}, QDir::Files, QDir::Name); }

QString entryValue(const QString& path, const QString& key)
{
    const QString text = QString::fromUtf8(ReadTestFile(path));
    return QRegularExpression("^" + key + "=(.*)$", QRegularExpression::MultilineOption).match(text).captured(1);
}

// What gio says, in the C locale.
QString gio(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.start("gio", args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void applyBoxes(const QList<int>& ticked)
{
    frmOptions d;
    for (int i = 0; i < ShellEntries::EntryCount; ++i)
        shellBox(d, i)->setChecked(ticked.contains(i));
    d.findChild<QCheckBox*>("chkTidy0")->toggle();  // a change, whatever the boxes held
    d.cmdOK_Click();
}
} // namespace

class TestShellEntries : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init()
    {
        ResetSettingsStore();
        QDir(applications()).removeRecursively();
        prompter = ScriptedPrompter::install();
    }
    void cleanup() { QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | "))); }

    // Nothing is written on a fresh system; a lone SHTML entry leaves HTML clear and Apply removes it. In the Exec
    // line blanks, "$" and backslashes are quoted, "%" goes through env, as the desktop entry rules ask; a program
    // that has moved has its entries' command rewritten.
    void entriesAndExecLine()
    {
        applyBoxes({});
        QVERIFY(!QFileInfo::exists(applications()));
        const QString entry = applications() + "/qrn-shtmlfile.desktop";
        QVERIFY(WriteFileAt(entry, ShellEntries::EntryText("shtmlfile", "/usr/bin/qrn").toUtf8()));
        frmOptions d;
        QVERIFY(!shellBox(d, 0)->isChecked());
        d.findChild<QCheckBox*>("chkTidy0")->toggle();
        d.cmdApply_Click();
        QVERIFY(!QFileInfo::exists(entry));
        for (const auto& [program, exec] : {std::pair{"/usr/bin/qrn", "/usr/bin/qrn %f"},
                                            {"/opt/My Apps/qrn", "\"/opt/My Apps/qrn\" %f"},
                                            {"/opt/100%/qrn", "env /opt/100%%/qrn %f"},
                                            {"/opt/$x/qrn", "\"/opt/\\\\$x/qrn\" %f"},
                                            {"/opt/a\\b/qrn", "\"/opt/a\\\\\\\\b/qrn\" %f"}})
            QCOMPARE(ShellEntries::ExecLine(program), QString(exec));
        QVERIFY(ShellEntries::Apply(4, true, "/old/place/qrn"));
        const QString path = ShellEntries::EntryPath("txtfile");
        QCOMPARE(entryValue(path, "Exec"), QStringLiteral("/old/place/qrn %f"));
        QVERIFY(!ShellEntries::Apply(4, true, "/old/place/qrn"));   // same program: nothing to rewrite
        applyBoxes({4});
        QCOMPARE(entryValue(path, "Exec"), ShellEntries::ExecLine(QCoreApplication::applicationFilePath()));
    }

    void createdAndRemovedPerBox_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("expected");   // "class=MimeType" in file name order
        const QString ssi = "text/x-server-parsed-html;";
        QTest::newRow("html") << 0 << QStringList{"htmlfile=text/html;", "shtmfile=" + ssi, "shtmlfile=" + ssi};
        QTest::newRow("asp") << 1 << QStringList{"aspfile=application/x-asp;"};
        QTest::newRow("js") << 2 << QStringList{"jsfile=application/javascript;text/javascript;"};
        QTest::newRow("css") << 3 << QStringList{"cssfile=text/css;"};
        QTest::newRow("txt") << 4 << QStringList{"txtfile=text/plain;"};
    }
    void createdAndRemovedPerBox()
    {
        QFETCH(int, index);
        QFETCH(QStringList, expected);
        applyBoxes({index});
        QStringList found;
        for (const QString& file : entries()) {
            const QString path = applications() + "/" + file;
            found << file.mid(4).chopped(8) + "=" + entryValue(path, "MimeType");
            QCOMPARE(entryValue(path, "Exec"), ShellEntries::ExecLine(QCoreApplication::applicationFilePath()));
        }
        QCOMPARE(found, expected);
        const QByteArray first = "=qrn-" + expected.first().section('=', 0, 0).toUtf8() + ".desktop";
        QVERIFY(QStandardPaths::findExecutable("update-desktop-database").isEmpty() ||
                ReadTestFile(applications() + "/mimeinfo.cache").contains(first));
        frmOptions shown;
        for (int i = 0; i < ShellEntries::EntryCount; ++i)
            QCOMPARE(shellBox(shown, i)->isChecked(), i == index);
        applyBoxes({});
        QCOMPARE(entries(), QStringList());
    }

    // What GLib makes of the entries: a program path with "%" loads, and SHTML pages get
    // a type of their own with our entry, gone again with the box.
    void glibReadsEntries()
    {
        if (QStandardPaths::findExecutable("gio").isEmpty() || QStandardPaths::findExecutable("update-mime-database").isEmpty())
            QSKIP("needs gio and update-mime-database");
        QTemporaryDir dir;
        const QString program = dir.filePath("100%/qrn");
        QDir().mkpath(QFileInfo(program).absolutePath());
        QVERIFY(QFile::copy("/bin/true", program));
        const QString page = WriteTestFile(dir, "page.shtml", "Plain words first, then <P>markup</P>");
        QVERIFY(ShellEntries::Apply(0, true, program));
        QVERIFY(ShellEntries::Apply(3, true, program));
        ShellEntries::RefreshDatabase();
        QVERIFY2(gio({"mime", "text/css"}).contains("qrn-cssfile.desktop"), qPrintable(gio({"mime", "text/css"})));
        QVERIFY2(gio({"info", "-a", "standard::content-type", page}).contains("text/x-server-parsed-html"),
                 qPrintable(gio({"info", "-a", "standard::content-type", page})));
        QVERIFY(gio({"mime", "text/x-server-parsed-html"}).contains("qrn-shtmlfile.desktop"));
        QVERIFY(ShellEntries::Apply(0, false, program));
        QVERIFY(!QFileInfo::exists(ShellEntries::MimePackagePath()));
        QVERIFY(!gio({"info", "-a", "standard::content-type", page}).contains("text/x-server-parsed-html"));
        ShellEntries::Apply(3, false, program);
    }

    // Adding "Edit with QRN" leaves the user's default program for the type as it was,
    // and unticking takes back only what was written for that.
    void defaultOpenerStays()
    {
        if (QStandardPaths::findExecutable("gio").isEmpty() ||
            QStandardPaths::findExecutable("update-desktop-database").isEmpty())
            QSKIP("needs gio and update-desktop-database");
        QTemporaryDir system;
        WriteTestFile(system, "applications/other-editor.desktop",
                      "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\nMimeType=text/css;\n");
        QProcess::execute("update-desktop-database", {system.filePath("applications")});
        const QByteArray dirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", (system.path() + ":/usr/share").toUtf8());
        const QString list = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/mimeapps.list";
        QFile::remove(list);
        auto opener = [] { return gio({"mime", "text/css"}).section('\n', 0, 0); };
        const QString before = opener();
        QVERIFY2(before.endsWith("other-editor.desktop"), qPrintable(before));
        QVERIFY(ShellEntries::Apply(3, true, QCoreApplication::applicationFilePath()));
        ShellEntries::RefreshDatabase();
        const QString during = opener();
        QVERIFY(ShellEntries::Apply(3, false, QCoreApplication::applicationFilePath()));
        ShellEntries::RefreshDatabase();
        const QString after = opener();
        const QByteArray listAfter = ReadTestFile(list);
        qputenv("XDG_DATA_DIRS", dirs);
        QCOMPARE(during, before);
        QCOMPARE(after, before);
        QVERIFY2(!listAfter.contains("text/css="), listAfter.constData());
    }

    // The files the desktop reads about the program (the row's name is their ending) name its command, icon and
    // types, and pass their validators.
    void installedFiles_data()
    {
        QTest::addColumn<QStringList>("validator");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("desktop") << QStringList{"desktop-file-validate"}
            << QByteArrayList{"\nExec=qrn %f\n", "\nIcon=org.quorlen.Quorlen\n", "text/html;", "text/css;",
                              "text/javascript;", "text/plain;", "application/x-asp;"};
        QTest::newRow("metainfo.xml") << QStringList{"appstreamcli", "validate", "--no-net"} << QByteArrayList();
    }
    void installedFiles()
    {
        QFETCH(QStringList, validator);
        QFETCH(QByteArrayList, lines);
        QString file = QString(QRN_SOURCE_DIR "/resources/desktop/org.quorlen.Quorlen.") + QTest::currentDataTag();
        for (const QByteArray& line : lines)
            QVERIFY2(ReadTestFile(file).contains(line), line.constData());
        const int rc = QProcess::execute(validator.first(), validator.mid(1) << file);
        if (rc == -2)
            QSKIP("validator not installed");
        QCOMPARE(rc, 0);   // its complaints are in the output above
    }

};

QTEST_MAIN(TestShellEntries)
#include "tst_shellentries.moc"
