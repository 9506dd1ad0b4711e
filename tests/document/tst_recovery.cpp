#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "TestProcesses.h"
#include "app/RecoveryOffer.h"
#include "document/CodeMax1.h"
#include "document/DiskFile.h"
#include "document/Recovery.h"

#include <csignal>

// Unsaved text survives a crash: written after a pause, removed on a clean
// save or close, offered at the next start.
class TestRecovery : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    static QStringList recoveryFiles() { return QDir(Recovery::Folder()).entryList({"*.qrn"}, QDir::Files); }

    // A recovery file as a run that has gone would have left it.
    static QString leaveEntry(int serial, const QString& path, const QString& caption, int number, const QByteArray& text,
                              TextEncoding encoding = TextEncoding::Utf8)
    {
        Recovery::Entry e;
        e.path = path;
        e.caption = caption;
        e.number = number;
        e.format = {encoding, "\n"};
        e.text = text;
        QDir().mkpath(Recovery::Folder());
        const QString file = Recovery::Folder() + QStringLiteral("/999999-1-%1.qrn").arg(serial);
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(Recovery::Serialize(e));
        return file;
    }

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
        Recovery::Writer::SetIdleDelay(50);
    }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    // Written once the typing pauses, for files and untitled documents; gone after a save or a close.
    void writtenAndRemoved()
    {
        const QString path = WriteTestFile(dir, "page.html", "<P>on disk</P>");
        frmMain* m = StartMain('"' + path + '"');
        frmDocument* file = m->ActiveDocument();
        file->Editor()->SetSelText("typed ");
        frmDocument* untitled = m->fctnNewDoc();
        untitled->Editor()->SetSelText("new text");
        QTRY_COMPARE(recoveryFiles().size(), 2);
        QVERIFY(Recovery::Writer::WaitForWrites(10000));
        const Recovery::Entry saved = Recovery::Read(file->RecoveryWriter()->FilePath());
        QCOMPARE(saved.damage, QString());
        QCOMPARE(saved.path, path);
        QCOMPARE(saved.text, QByteArray("typed <P>on disk</P>"));
        const Recovery::Entry fresh = Recovery::Read(untitled->RecoveryWriter()->FilePath());
        QCOMPARE(fresh.caption, QString("Document 1"));
        QCOMPARE(fresh.number, 1);
        QCOMPARE(fresh.text, QByteArray("new text"));
        QVERIFY(Recovery::Leftovers().isEmpty());   // ours, while this run goes on

        m->MdiArea()->setActiveSubWindow(file->SubWindow());
        QVERIFY(m->mnuFileSave_Click());
        QCOMPARE(recoveryFiles().size(), 1);
        prompter->queueMsgBox(MsgAnswer::No);   // do not save Document 1
        untitled->SubWindow()->close();
        QVERIFY(recoveryFiles().isEmpty());
    }

    // At the next start: restore, keep for later, or discard; a damaged file is kept, never restored.
    void offeredAtNextStart_data()
    {
        QTest::addColumn<QString>("choice");
        for (const char* choice : {"restore", "later", "discard"})
            QTest::newRow(choice) << QString(choice);
    }
    void offeredAtNextStart()
    {
        QFETCH(QString, choice);
        const QString path = WriteTestFile(dir, "kept.html", "<P>on disk</P>");
        leaveEntry(1, path, "kept.html", 0, "<P>recovered</P>", TextEncoding::Windows1252);
        leaveEntry(2, QString(), "Document 3", 3, "untitled text");
        const QString damaged = leaveEntry(3, QString(), "Document 4", 4, "whole text");
        QFile::resize(damaged, QFileInfo(damaged).size() - 3);
        QStringList listed;
        prompter->queueDialog([&](QDialog* d) {
            auto* offer = qobject_cast<frmRecover*>(d);
            for (int i = 0; i < offer->List1()->count(); ++i)
                listed << offer->List1()->item(i)->text() + (offer->List1()->item(i)->checkState() ? " [x]" : " [ ]");
            if (choice == "discard") {
                prompter->queueMsgBox(MsgAnswer::Yes);
                offer->findChild<QPushButton*>("cmdDiscard")->click();
                return offer->result();
            }
            return int(choice == "restore" ? QDialog::Accepted : QDialog::Rejected);
        });
        frmMain* m = StartMain();
        QCOMPARE(listed, (QStringList{"kept.html (" + path + ") [x]", "Document 3 [x]",
                                      "Document 4 - damaged: the text is cut short [ ]"}));
        QCOMPARE(ReadTestFile(path), QByteArray("<P>on disk</P>"));
        if (choice == "restore") {
            QStringList shown;
            for (frmDocument* d : m->Documents())
                shown << d->Caption() + "|" + d->Editor()->Text() + "|" + QString::number(d->Editor()->Modified()) + "|" +
                             FileText::EncodingName(d->Editor()->Format().encoding);
            QCOMPARE(shown, (QStringList{"kept.html*|<P>recovered</P>|1|Windows-1252", "Document 3*|untitled text|1|UTF-8"}));
            QCOMPARE(m->fctnNewDoc()->Caption(), QString("Document 4"));
            // The damaged one stays to be decided on; the restored ones are this run's own now.
            QCOMPARE(Recovery::Leftovers().size(), 1);
            QCOMPARE(recoveryFiles().size(), 3);
        } else if (choice == "later") {
            QCOMPARE(m->Documents().size(), 1);
            QCOMPARE(Recovery::Leftovers().size(), 3);
        } else {
            QCOMPARE(prompter->messages().size(), 1);
            QVERIFY(prompter->asked.last().buttons & MsgButtons::DefaultButton2);
            QCOMPARE(Recovery::Leftovers().size(), 1);   // the damaged one was not ticked
        }
    }

    // The real program: type into a file and a new document, kill it, start again.
    void survivesKill()
    {
        XSession x;
        if (!x.Start())
            QSKIP("needs Xvfb and openbox");
        const QString path = WriteTestFile(dir, "crash.html", "<P>disk</P>");
        QProcess qrn;
        qrn.setProcessEnvironment(x.Environment());
        qrn.setProcessChannelMode(QProcess::ForwardedChannels);
        qrn.start(QrnBinary(), {path});
        QVERIFY(qrn.waitForStarted(10000));
        QByteArray window;
        QCOMPARE(x.Tool({"search", "--sync", "--onlyvisible", "--name", "^Quorlen"}, &window), 0);
        window = window.split('\n').first();
        QCOMPARE(x.Tool({"windowactivate", "--sync", window}), 0);
        QTest::qWait(300);
        QCOMPARE(x.Tool({"type", "--delay", "30", "typed "}), 0);
        QCOMPARE(x.Tool({"key", "ctrl+n"}), 0);
        QTest::qWait(300);
        QCOMPARE(x.Tool({"type", "--delay", "30", "untitled"}), 0);
        // Written after a pause of about 2 s.
        const QString key = DiskFile::ProcessKey(qrn.processId());
        QTRY_VERIFY_WITH_TIMEOUT(recoveryFiles().filter(key).size() == 2, 15000);
        QTest::qWait(500);
        ::kill(pid_t(qrn.processId()), SIGKILL);
        qrn.waitForFinished(10000);

        prompter->queueDialog([](QDialog*) { return int(QDialog::Accepted); });
        frmMain* m = StartMain();
        QStringList shown;
        for (frmDocument* d : m->Documents())
            shown << d->Caption() + "|" + d->Editor()->Text();
        shown.sort();
        QCOMPARE(shown, (QStringList{"Document 1*|untitled", "crash.html*|typed <P>disk</P>"}));
        QCOMPARE(ReadTestFile(path), QByteArray("<P>disk</P>"));
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
