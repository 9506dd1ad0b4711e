#include <QClipboard>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "document/CodeMax1.h"
#include "document/FileText.h"
#include "tools/Tidy.h"
#include "tools/frmTidy.h"

namespace {
const char* kClean = "<!DOCTYPE html>\n<html><head><title>T</title></head><body><p>Hello</p></body></html>\n";
const char* kWarnings = "<html><head><title>T</title></head><body><p>Hello<b>x</p></body></html>\n";
const char* kError = "<!DOCTYPE html>\n<html><head><title>T</title></head><body><foo>x</foo></body></html>\n";
const char* kList = "<!DOCTYPE html>\n<html><head><title>T</title></head><body><ul><li>a</li><li>b</li></ul></body></html>";
} // namespace

class TestTidy : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir scratch;

    // A stand-in for tidy that runs the given shell commands.
    QString fakeTidy(const QString& name, const QByteArray& body)
    {
        return WriteTestFile(scratch, name, "#!/bin/sh\n" + body + "\n", true);
    }

    // Tidy's own output for the page with the same switches, as the user would get it.
    QString tidyDirectly(const QString& page, bool forced)
    {
        QTemporaryDir dir;
        const QString file = WriteTestFile(dir, "~tidy_qrn.html", page.toUtf8());
        QProcess p;
        p.start("tidy", Tidy::Arguments(forced ? Tidy::RunKind::Forced : Tidy::RunKind::Tidy, dir.path()));
        p.waitForFinished(30000);
        return QString::fromUtf8(ReadTestFile(file));
    }

    frmDocument* startWith(const QString& text)
    {
        frmMain* m = StartMain();
        frmDocument* doc = m->ActiveDocument();
        doc->Editor()->SetText(text);
        return doc;
    }

private slots:
    void init()
    {
        PrepareTestProfile();
        Tidy::SetProgramOverride(QString());
        Tidy::SetTimeLimit(60000);
        prompter = ScriptedPrompter::install();
        QApplication::clipboard()->setText("the user's clip");
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void optionText_data()
    {
        QTest::addColumn<QStringList>("settings");   // key=value pairs
        QTest::addColumn<QString>("options");
        QTest::newRow("defaults") << QStringList{} << " -i -q -ashtml -u --uppercase-attributes yes";
        QTest::newRow("xhtml only") << QStringList{"Tidy0Indent=0", "Tidy1Omit=0", "Tidy2Upper=0", "Tidy3Clean=0",
                                                   "Tidy4Quiet=0", "Tidy5Bare=0", "Tidy6Xhtml=-1"}
                                    << " -asxhtml";
        QTest::newRow("all on, row order")
            << QStringList{"Tidy0Indent=-1", "Tidy1Omit=-1", "Tidy2Upper=-1", "Tidy3Clean=-1", "Tidy4Quiet=-1",
                           "Tidy5Bare=-1", "Tidy6Xhtml=-1"}
            << " -i -omit -c -q -b -asxhtml -u --uppercase-attributes yes";
        QTest::newRow("1 counts as off") << QStringList{"Tidy0Indent=1", "Tidy2Upper=1"} << " -q -ashtml";
        QTest::newRow("True counts as on") << QStringList{"Tidy5Bare=True"}
                                           << " -i -q -b -ashtml -u --uppercase-attributes yes";
    }
    void optionText()
    {
        QFETCH(QStringList, settings);
        QFETCH(QString, options);
        for (const QString& s : settings)
            SaveSetting("Config", s.section('=', 0, 0), s.section('=', 1));
        QCOMPARE(Tidy::OptionText(), options);
    }

    void arguments()
    {
        const QString dir = scratch.path();
        QCOMPARE(Tidy::Arguments(Tidy::RunKind::Check, dir),
                 (QStringList{"-f", dir + "/~tidy_qrn.txt", "-i", "-q", "-ashtml", "-u", "--uppercase-attributes",
                              "yes", "--tidy-mark", "no", "--wrap-asp", "no", dir + "/~tidy_qrn.html"}));
        const QStringList forced = Tidy::Arguments(Tidy::RunKind::Forced, dir);
        QCOMPARE(forced.first(), QString("-m"));
        QCOMPARE(forced.mid(forced.size() - 3),
                 (QStringList{"--force-output", "yes", dir + "/~tidy_qrn.html"}));
        // A relative folder still yields absolute files, never text that starts with "-".
        QVERIFY(Tidy::Arguments(Tidy::RunKind::Tidy, "-x").last().startsWith('/'));
    }

    void realTidy_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("forceAnswer");   // 0: no question expected
        QTest::addColumn<QString>("logHas");
        QTest::addColumn<QString>("resultHas"); // empty: the document must stay unchanged
        QTest::newRow("clean page") << kClean << QStringList{} << 0 << "" << "<P>";
        QTest::newRow("warnings only") << kWarnings << QStringList{} << 0 << " - Warning: " << "</B>";
        QTest::newRow("error, forced") << kError << QStringList{} << int(MsgAnswer::Yes) << " - Error: "
                                       << "<BODY>";
        QTest::newRow("error, not forced") << kError << QStringList{} << int(MsgAnswer::No) << " - Error: " << "";
        QTest::newRow("xhtml") << kClean << QStringList{"Tidy6Xhtml=-1", "Tidy2Upper=0"} << 0 << ""
                               << "xmlns=\"http://www.w3.org/1999/xhtml\"";
        QTest::newRow("lower case") << kClean << QStringList{"Tidy2Upper=0"} << 0 << "" << "<p>";
        QTest::newRow("omit end tags") << kList << QStringList{"Tidy1Omit=-1"} << 0 << "" << "<LI>a\n";
    }
    void realTidy()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, settings);
        QFETCH(int, forceAnswer);
        QFETCH(QString, logHas);
        QFETCH(QString, resultHas);
        for (const QString& s : settings)
            SaveSetting("Config", s.section('=', 0, 0), s.section('=', 1));
        const QString original = FileText::NormaliseLineBreaks(page, "\r\n");
        frmDocument* doc = startWith(original);
        CodeMax1* e = doc->Editor();
        const CodeMaxRange selection{0, 1, 0, 4};
        e->SetSel(selection);

        QString log, caption;
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            log = t->Editor()->Text();
            caption = t->windowTitle();
            // While the dialog is open its files are there.
            if (!QFileInfo::exists(Tidy::LastWorkFolder() + "/~tidy_qrn.html"))
                return int(QDialog::Rejected);
            t->cmdOK_Click();
            return t->result();
        });
        if (forceAnswer)
            prompter->queueMsgBox(forceAnswer);
        doc->window()->findChild<QAction*>("mnuToolsTidy")->trigger();

        QCOMPARE(caption, QString("HTML Tidy"));
        QVERIFY2(logHas.isEmpty() ? !log.contains(" - Error: ") && !log.contains(" - Warning: ")
                                  : log.contains(logHas),
                 qPrintable(log));
        if (forceAnswer) {
            QCOMPARE(prompter->messages(),
                     QStringList{"The file contains errors HTML Tidy cannot correct. Do you want to force HTML Tidy "
                                 "to proceed?\r\n\r\nCAUTION: proceeding with HTML Tidy in this situation may result "
                                 "in a poorly formed document."});
            QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Question));
        } else {
            QVERIFY(prompter->messages().isEmpty());
        }
        QCOMPARE(e->GetSel(false), selection);
        if (resultHas.isEmpty()) {
            QCOMPARE(e->Text(), original);
            QVERIFY(!e->Modified());
        } else {
            QString expected = tidyDirectly(page, forceAnswer == MsgAnswer::Yes);
            QVERIFY(expected.contains(resultHas));
            expected.remove('\r');
            while (expected.endsWith('\n'))
                expected.chop(1);
            // The document keeps its CR LF line breaks.
            QCOMPARE(e->Text(), FileText::NormaliseLineBreaks(expected, "\r\n"));
            QVERIFY(e->Modified());
            e->Undo();
            QCOMPARE(e->Text(), original);
        }
        QCOMPARE(QApplication::clipboard()->text(), QString("the user's clip"));
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    void closeWithoutTidying()
    {
        frmDocument* doc = startWith(kWarnings);
        prompter->queueDialog([](QDialog* d) {
            qobject_cast<frmTidy*>(d)->cmdCancel_Click();
            return d->result();
        });
        doc->window()->findChild<QAction*>("mnuToolsTidy")->trigger();
        QCOMPARE(doc->Editor()->Text(), QString(kWarnings));
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("script");    // empty: a program that does not exist
        QTest::addColumn<QString>("message");   // start of the message
        QTest::newRow("missing") << "" << "HTML Tidy could not be started (/nonexistent/tidy)";
        QTest::newRow("crash") << "kill -SEGV $$" << "HTML Tidy stopped unexpectedly";
        QTest::newRow("time limit") << "exec sleep 30" << "HTML Tidy did not finish within 1 seconds and was stopped.";
    }
    void failures()
    {
        QFETCH(QString, script);
        QFETCH(QString, message);
        Tidy::SetProgramOverride(script.isEmpty() ? QString("/nonexistent/tidy")
                                                  : fakeTidy(QTest::currentDataTag(), script.toUtf8()));
        Tidy::SetTimeLimit(1000);
        frmDocument* doc = startWith(kClean);
        prompter->queueMsgBox(MsgAnswer::OK);
        QElapsedTimer t;
        t.start();
        doc->window()->findChild<QAction*>("mnuToolsTidy")->trigger();
        QVERIFY(t.elapsed() < 10000);
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY2(prompter->messages().first().startsWith(message), qPrintable(prompter->messages().first()));
        QCOMPARE(prompter->asked.first().icon, int(MsgIcon::Exclamation));
        QCOMPARE(doc->Editor()->Text(), QString(kClean));
        QVERIFY(!doc->Editor()->Modified());
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    void cancelStopsTheRun()
    {
        Tidy::SetProgramOverride(fakeTidy("slow", "exec sleep 30"));
        frmDocument* doc = startWith(kClean);
        bool shown = false;
        QTimer::singleShot(1500, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->objectName() == "TidyProgress") {
                    shown = p->isVisible();
                    if (auto* b = p->findChild<QPushButton*>())
                        b->click();
                }
        });
        QElapsedTimer t;
        t.start();
        doc->window()->findChild<QAction*>("mnuToolsTidy")->trigger();
        QVERIFY(shown);
        QVERIFY(t.elapsed() < 10000);
        QVERIFY(prompter->messages().isEmpty());
        QCOMPARE(doc->Editor()->Text(), QString(kClean));
    }

    void clipboardViewer()
    {
        frmMain* m = StartMain();
        QString caption, label, ok, okTip, cancel, shown;
        bool enabledBefore = false, enabledAfter = true;
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            caption = t->windowTitle();
            label = t->Label1()->text();
            ok = t->cmdOK()->text();
            okTip = t->cmdOK()->toolTip();
            cancel = t->cmdCancel()->text();
            shown = t->Editor()->Text();
            enabledBefore = t->cmdOK()->isEnabled();
            t->cmdOK_Click();
            enabledAfter = t->cmdOK()->isEnabled();
            // Still open after clearing.
            const bool stillOpen = t->result() == 0;
            t->cmdCancel_Click();
            return stillOpen ? int(QDialog::Rejected) : int(QDialog::Accepted);
        });
        m->Action("mnuToolsClip")->trigger();
        QCOMPARE(caption, QString("Clipboard viewer"));
        QCOMPARE(label, QString("Clipboard's text contents"));
        QCOMPARE(ok, QString("Clear &text"));
        QCOMPARE(okTip, QString("Clear clipboard"));
        QCOMPARE(cancel, QString("&Close window"));
        QCOMPARE(shown, QString("the user's clip"));
        QVERIFY(enabledBefore);
        QVERIFY(!enabledAfter);
        QCOMPARE(QApplication::clipboard()->text(), QString());

        // An empty clipboard shows nothing and leaves "Clear text" disabled.
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            enabledBefore = t->cmdOK()->isEnabled();
            shown = t->Editor()->Text();
            return int(QDialog::Rejected);
        });
        m->Action("mnuToolsClip")->trigger();
        QVERIFY(!enabledBefore);
        QCOMPARE(shown, QString());
    }
};

QTEST_MAIN(TestTidy)
#include "tst_tidy.moc"
