#include <QCheckBox>
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

    // Nothing is written on a fresh system; a lone SHTML entry leaves HTML clear and Apply removes it.
    void shtmlEntryAloneDoesNotTickHtml()
    {
        applyBoxes({});
        QVERIFY(!QFileInfo::exists(applications()));
        QFile f(applications() + "/qrn-shtmlfile.desktop");
        QVERIFY(QDir().mkpath(applications()) && f.open(QIODevice::WriteOnly));
        f.write(ShellEntries::EntryText("shtmlfile", "/usr/bin/qrn").toUtf8());
        f.close();
        frmOptions d;
        QVERIFY(!shellBox(d, 0)->isChecked());
        d.findChild<QCheckBox*>("chkTidy0")->toggle();
        d.cmdApply_Click();
        QVERIFY(!f.exists());
    }

    void movedProgramRewritesCommand()
    {
        QVERIFY(ShellEntries::Apply(4, true, "/old/place/qrn"));
        const QString path = ShellEntries::EntryPath("txtfile");
        QCOMPARE(entryValue(path, "Exec"), QStringLiteral("/old/place/qrn %f"));
        QVERIFY(!ShellEntries::Apply(4, true, "/old/place/qrn"));   // same program: nothing to rewrite
        applyBoxes({4});
        QCOMPARE(entryValue(path, "Exec"), ShellEntries::ExecLine(QCoreApplication::applicationFilePath()));
    }
};

QTEST_MAIN(TestShellEntries)
#include "tst_shellentries.moc"
