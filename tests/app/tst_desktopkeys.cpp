// Keys and options users of other Linux editors expect: zoom for every document at once,
// Ctrl+Q, Ctrl+Shift+Z, no typing from Ctrl and Alt combinations bound to nothing, Qt's own options.
#include <QProcess>
#include <QtTest>

#include "TestEnv.h"
#include "TestProcesses.h"
#include "document/CodeMax1.h"

class TestDesktopKeys : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

    static QList<long> zooms()
    {
        QList<long> z;
        for (frmDocument* d : MainWindow()->Documents())
            z << d->Editor()->SendScintilla(QsciScintillaBase::SCI_GETZOOM);
        return z;
    }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    // The View menu's keys, and Ctrl+wheel in one document, zoom them all; the next start keeps it.
    void zoomEveryDocument()
    {
        frmMain* m = StartMain();
        CodeMax1* first = m->ActiveDocument()->Editor();
        QTest::keyClick(first, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(first, Qt::Key_Plus, Qt::ControlModifier);
        m->fctnNewDoc();
        QCOMPARE(zooms(), (QList<long>{2, 2}));
        QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(zooms(), (QList<long>{1, 1}));
        first->SendScintilla(QsciScintillaBase::SCI_ZOOMIN);   // what Ctrl+wheel does
        QCOMPARE(zooms(), (QList<long>{2, 2}));
        QCOMPARE(first->Text() + m->ActiveDocument()->Editor()->Text(), QString());   // no key typed
        CloseMain(prompter);
        m = StartMain();
        QCOMPARE(zooms(), (QList<long>{2}));
        QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(zooms(), (QList<long>{0}));
        QCOMPARE(GetSetting("Config", "Zoom"), QString("0"));
    }

    // Ctrl+Shift+Z redoes beside Ctrl+A; combinations bound to nothing type nothing, AltGr still
    // types; Ctrl+Q quits.
    void keys()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        QTest::keyClicks(e, "ab");
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(e->Text(), QString("ab"));
        QTest::keyClick(e, 'j', Qt::AltModifier);
        QTest::keyClick(e, ';', Qt::ControlModifier);
        QTest::keyClick(e, 'k', Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(e, '@', Qt::ControlModifier | Qt::AltModifier);   // AltGr on some keyboards
        QCOMPARE(e->Text(), QString("ab@"));
        QPointer<frmMain> main(m);
        prompter->queueMsgBox(MsgAnswer::No);   // not saved
        QTest::keyClick(e, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!main || !main->isVisible());
    }

    // --help-all prints help; the options every Qt program takes are taken, not refused.
    void qtOptions()
    {
        QProcess help;
        help.start(QrnBinary(), {"--help-all"});
        QVERIFY(help.waitForFinished(20000) && help.exitCode() == 0);
        const QByteArray text = help.readAllStandardOutput();
        QVERIFY2(text.contains("--help-all") && text.contains("-platform"), text.constData());
        QProcess reverse;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QRN_EXIT_WHEN_SHOWN", "1");
        reverse.setProcessEnvironment(env);
        reverse.start(QrnBinary(), {"-reverse", "-style", "fusion", "--platform=offscreen"});
        QVERIFY(reverse.waitForFinished(60000));
        QVERIFY2(reverse.readAllStandardOutput().startsWith("shown"), reverse.readAllStandardError().constData());
    }
};

QTEST_MAIN(TestDesktopKeys)
#include "tst_desktopkeys.moc"
