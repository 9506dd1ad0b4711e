#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "options/ShellEntries.h"
#include "options/frmOptions.h"

namespace {
QCheckBox* shellBox(frmOptions& d, int i)
{
    return d.findChild<QCheckBox*>(QStringLiteral("chkShell%1").arg(i));
}

QString applications()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/applications";
}

// The value of one key of the [Desktop Entry] group.
QString entryValue(const QString& path, const QString& key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return QStringLiteral("<no key>");
}

// Ticks exactly the given boxes and presses OK.
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
    void cleanup()
    {
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void execLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/qrn" << "/usr/bin/qrn %f";
        QTest::newRow("blank") << "/opt/My Apps/qrn" << "\"/opt/My Apps/qrn\" %f";
        QTest::newRow("percent") << "/opt/100%/qrn" << "/opt/100%%/qrn %f";
        QTest::newRow("dollar") << "/opt/$x/qrn" << "\"/opt/\\\\$x/qrn\" %f";
        QTest::newRow("backslash") << "/opt/a\\b/qrn" << "\"/opt/a\\\\\\\\b/qrn\" %f";
    }
    void execLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(ShellEntries::ExecLine(program), exec);
    }

    void createdAndRemovedPerBox_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<QStringList>("mimeTypes");
        QTest::newRow("html") << 0 << QStringList{"htmlfile", "shtmlfile", "shtmfile"}
                              << QStringList{"text/html;", "text/x-server-parsed-html;", "text/x-server-parsed-html;"};
        QTest::newRow("asp") << 1 << QStringList{"aspfile"} << QStringList{"application/x-asp;"};
        QTest::newRow("js") << 2 << QStringList{"jsfile"} << QStringList{"application/javascript;text/javascript;"};
        QTest::newRow("css") << 3 << QStringList{"cssfile"} << QStringList{"text/css;"};
        QTest::newRow("txt") << 4 << QStringList{"txtfile"} << QStringList{"text/plain;"};
    }
    void createdAndRemovedPerBox()
    {
        QFETCH(int, index);
        QFETCH(QStringList, classes);
        QFETCH(QStringList, mimeTypes);
        applyBoxes({index});
        const QStringList files = QDir(applications()).entryList({"*.desktop"}, QDir::Files, QDir::Name);
        QStringList expectedFiles;
        for (const QString& c : classes)
            expectedFiles << "qrn-" + c + ".desktop";
        expectedFiles.sort();
        QCOMPARE(files, expectedFiles);
        const QString exec = ShellEntries::ExecLine(QCoreApplication::applicationFilePath());
        for (int i = 0; i < classes.size(); ++i) {
            const QString path = applications() + "/qrn-" + classes.at(i) + ".desktop";
            QCOMPARE(entryValue(path, "Name"), QStringLiteral("Edit with QRN"));
            QCOMPARE(entryValue(path, "Type"), QStringLiteral("Application"));
            QCOMPARE(entryValue(path, "Exec"), exec);
            QCOMPARE(entryValue(path, "MimeType"), mimeTypes.at(i));
        }
        {
            frmOptions d;
            for (int i = 0; i < 5; ++i)
                QCOMPARE(shellBox(d, i)->isChecked(), i == index);
            QVERIFY(!d.findChild<QPushButton*>("cmdApply")->isEnabled());
        }
        applyBoxes({});
        QCOMPARE(QDir(applications()).entryList({"*.desktop"}, QDir::Files), QStringList());
        frmOptions d;
        QVERIFY(!shellBox(d, index)->isChecked());
    }

    void desktopDatabaseToolAcceptsEntries()
    {
        if (QStandardPaths::findExecutable("update-desktop-database").isEmpty())
            QSKIP("update-desktop-database is not installed");
        applyBoxes({0, 3});
        // The tool's cache names the entries for their types.
        QFile cache(applications() + "/mimeinfo.cache");
        QVERIFY(cache.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(cache.readAll());
        QVERIFY2(text.contains("text/html=qrn-htmlfile.desktop"), qPrintable(text));
        QVERIFY2(text.contains("text/css=qrn-cssfile.desktop"), qPrintable(text));
        applyBoxes({3});
        cache.close();
        QVERIFY(cache.open(QIODevice::ReadOnly));
        QVERIFY(!QString::fromUtf8(cache.readAll()).contains("qrn-htmlfile"));
    }

    void handMadeShtmlEntryAloneDoesNotTickHtml()
    {
        QDir().mkpath(applications());
        const QString path = applications() + "/qrn-shtmlfile.desktop";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ShellEntries::EntryText("shtmlfile", "/usr/bin/qrn").toUtf8());
        f.close();
        frmOptions d;
        QVERIFY(!shellBox(d, 0)->isChecked());
        // Apply with the box clear removes the SHTML entries as well.
        d.findChild<QCheckBox*>("chkTidy0")->toggle();
        d.cmdApply_Click();
        QVERIFY(!QFileInfo::exists(path));
    }

    void allClearOnFreshSystemLeavesNothing()
    {
        applyBoxes({});
        QVERIFY(!QFileInfo::exists(applications()));
    }

    void movedProgramRewritesCommand()
    {
        QVERIFY(ShellEntries::Apply(4, true, "/old/place/qrn"));
        const QString path = ShellEntries::EntryPath("txtfile");
        QCOMPARE(entryValue(path, "Exec"), QStringLiteral("/old/place/qrn %f"));
        // Same program again: nothing to rewrite.
        QVERIFY(!ShellEntries::Apply(4, true, "/old/place/qrn"));
        applyBoxes({4});
        QCOMPARE(entryValue(path, "Exec"), ShellEntries::ExecLine(QCoreApplication::applicationFilePath()));
    }
};

QTEST_MAIN(TestShellEntries)
#include "tst_shellentries.moc"
