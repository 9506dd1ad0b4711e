#include <QClipboard>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "document/CodeMax1.h"
#include "document/FileText.h"
#include "tools/LineDiff.h"
#include "tools/Tidy.h"
#include "tools/frmTidy.h"

class TestTidy : public QObject {
    Q_OBJECT
    static constexpr const char* kClean = "<!DOCTYPE html>\r\n<html><head><title>T</title></head><body><p>Hi</p></body></html>";
    static constexpr const char* kWarnings = "<html><head><title>T</title></head><body><p>Hello<b>x</p></body></html>\r\n";
    static constexpr const char* kError = "<!DOCTYPE html>\r\n<html><head><title>T</title></head><body><foo>x</foo></body></html>";
    static constexpr const char* kList = "<!DOCTYPE html>\r\n<html><head><title>T</title></head><body><ul><li>a</li></ul></body></html>";
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir scratch;

    static QString tidyDirectly(const QString& page, bool forced)
    {
        QTemporaryDir dir;
        const QString file = WriteTestFile(dir, "~tidy_qrn.html", page.toUtf8());
        QProcess::execute("tidy", Tidy::Arguments(forced ? Tidy::RunKind::Forced : Tidy::RunKind::Tidy, dir.path()));
        const QString out = QString::fromUtf8(ReadTestFile(file)).remove('\r');
        return FileText::NormaliseLineBreaks(QString(out).remove(QRegularExpression("\n+$")), "\r\n");
    }

    static void setAll(const QString& settings)
    {
        for (const QString& s : settings.split(' ', Qt::SkipEmptyParts))
            SaveSetting("Config", s.section('=', 0, 0), s.section('=', 1));
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
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    void optionText_data()
    {
        QTest::addColumn<QString>("settings");   // key=value pairs
        QTest::addColumn<QString>("options");
        QTest::newRow("defaults") << "" << " -i -q -ashtml -u --uppercase-attributes yes";
        QTest::newRow("all on, row order") << "Tidy1Omit=-1 Tidy3Clean=-1 Tidy5Bare=-1 Tidy6Xhtml=-1"
                                           << " -i -omit -c -q -b -asxhtml -u --uppercase-attributes yes";
        QTest::newRow("1 counts as off, True as on") << "Tidy0Indent=1 Tidy2Upper=1 Tidy5Bare=True" << " -q -b -ashtml";
    }
    void optionText()
    {
        QFETCH(QString, settings);
        QFETCH(QString, options);
        setAll(settings);
        QCOMPARE(Tidy::OptionText(), options);
    }

    void arguments()
    {
        const QString d = scratch.path();
        const QString switches = " -i -q -ashtml -u --uppercase-attributes yes --tidy-mark no --wrap-asp no ";
        QCOMPARE(Tidy::Arguments(Tidy::RunKind::Check, d).join(' '),
                 "-f " + d + "/~tidy_qrn.txt" + switches + d + "/~tidy_qrn.html");
        QCOMPARE(Tidy::Arguments(Tidy::RunKind::Forced, d).join(' '),
                 "-m" + switches + "--force-output yes " + d + "/~tidy_qrn.html");
        QVERIFY(Tidy::Arguments(Tidy::RunKind::Tidy, "-x").last().startsWith('/'));   // never a "-" switch
    }

    // Runs the installed tidy through the menu; the result is tidy's own output for the same switches, in CR LF.
    void realTidy_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("forceAnswer");   // 0: no question expected
        QTest::addColumn<QString>("resultHas"); // empty: the document must stay unchanged
        QTest::newRow("warnings only") << kWarnings << "" << 0 << "</B>";
        QTest::newRow("error, forced") << kError << "" << int(MsgAnswer::Yes) << "<BODY>";
        QTest::newRow("error, not forced") << kError << "" << int(MsgAnswer::No) << "";
        QTest::newRow("log closed") << kWarnings << "" << 0 << "";
        QTest::newRow("xhtml, lower case") << kClean << "Tidy6Xhtml=-1 Tidy2Upper=0" << 0 << "<html xmlns=";
        QTest::newRow("omit end tags") << kList << "Tidy1Omit=-1" << 0 << "<LI>a\r\n";
    }
    void realTidy()
    {
        QFETCH(QString, page);
        QFETCH(QString, settings);
        QFETCH(int, forceAnswer);
        const QString logHas = page == kWarnings ? " - Warning: " : page == kError ? " - Error: " : "";
        QFETCH(QString, resultHas);
        setAll(settings);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        e->SetText(page);
        e->SetSel({0, 1, 0, 4});
        QString log;
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            log = t->windowTitle() + ": " + t->Editor()->Text();
            if (QFileInfo::exists(Tidy::LastWorkFolder() + "/~tidy_qrn.html"))   // there while the log shows
                resultHas.isEmpty() && !forceAnswer ? t->cmdCancel_Click() : t->cmdOK_Click();
            return t->result();
        });
        if (forceAnswer)
            prompter->queueMsgBox(forceAnswer);
        MainWindow()->Action("mnuToolsTidy")->trigger();
        QVERIFY2(log.startsWith("HTML Tidy: ") && (logHas.isEmpty() ? !log.contains(QRegularExpression(" - (Error|Warning): "))
                                                                    : log.contains(logHas)), qPrintable(log));
        QCOMPARE(prompter->messages().join(""), forceAnswer ? "The file contains errors HTML Tidy cannot correct. Do you want to force HTML "
                    "Tidy to proceed?\r\n\r\nCAUTION: proceeding with HTML Tidy in this situation may result in a poorly formed document." : "");
        if (forceAnswer)   // No is the default answer
            QCOMPARE(prompter->asked.last().buttons, int(MsgButtons::YesNo | MsgButtons::DefaultButton2));
        QCOMPARE(e->GetSel(false), (CodeMaxRange{0, 1, 0, 4}));
        const QString expected = resultHas.isEmpty() ? page : tidyDirectly(page, forceAnswer == MsgAnswer::Yes);
        QVERIFY(expected.contains(resultHas));
        QCOMPARE(e->Text(), expected);   // CR LF kept
        QCOMPARE(e->Modified(), !resultHas.isEmpty());
        e->Undo();   // in one step
        QCOMPARE(e->Text(), page);
        QCOMPARE(QApplication::clipboard()->text(), QString("the user's clip"));
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    // A Latin-1 page goes through Tidy in Latin-1: what it declares is what is saved.
    void latin1PageKeepsItsCharset()
    {
        const QString path = WriteTestFile(scratch, "latin1.html",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
            "<title>T</title></head><body><p>Caf\xE9</p></body></html>");
        frmMain* m = StartMain('"' + path + '"');
        prompter->queueDialog([](QDialog* d) {
            qobject_cast<frmTidy*>(d)->cmdOK_Click();
            return d->result();
        });
        m->Action("mnuToolsTidy")->trigger();
        QVERIFY(m->ActiveDocument()->Editor()->Text().contains(QStringLiteral("Caf\u00e9")));
        QVERIFY(m->mnuFileSave_Click());
        const QByteArray saved = ReadTestFile(path);
        QVERIFY2(saved.contains("Caf\xE9") && !saved.contains("Caf\xC3\xA9"), saved.constData());
        QVERIFY2(saved.contains("charset=iso-8859-1") && !saved.contains("utf-8"), saved.constData());
    }

    // A missing, crashing or hanging tidy, and Cancel on the progress, leave the document as it was.
    void failures_data()
    {
        QTest::addColumn<QString>("script");    // empty: a program that does not exist
        QTest::addColumn<QString>("message");   // start of the message; empty: Cancel on the progress instead
        QTest::newRow("missing") << "" << "HTML Tidy could not be started (/nonexistent/tidy)";
        QTest::newRow("crash") << "kill -SEGV $$" << "HTML Tidy stopped unexpectedly";
        QTest::newRow("time limit") << "exec sleep 30" << "HTML Tidy did not finish within 1 seconds and was stopped.";
        QTest::newRow("progress cancelled") << "exec sleep 30" << "";
    }
    void failures()
    {
        QFETCH(QString, script);
        QFETCH(QString, message);
        Tidy::SetProgramOverride(script.isEmpty() ? QString("/nonexistent/tidy")
                                                  : WriteTestFile(scratch, QTest::currentDataTag(), "#!/bin/sh\n" + script.toUtf8(), true));
        Tidy::SetTimeLimit(message.isEmpty() ? 60000 : 1000);
        frmDocument* doc = StartMain()->ActiveDocument();
        doc->Editor()->SetText(kWarnings);
        bool progressShown = false;
        if (!message.isEmpty())
            prompter->queueMsgBox(MsgAnswer::OK);
        else
            QTimer::singleShot(1500, [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->objectName() == "TidyProgress")
                        progressShown = p->isVisible(), p->findChild<QPushButton*>()->click();
            });
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        doc->window()->findChild<QAction*>("mnuToolsTidy")->trigger();
        QVERIFY(QDateTime::currentMSecsSinceEpoch() - started < 10000);
        QVERIFY2(message.isEmpty() ? progressShown && prompter->messages().isEmpty()
                                   : prompter->messages().value(0).startsWith(message),
                 qPrintable(prompter->messages().join('|')));
        QCOMPARE(doc->Editor()->Text(), QString(kWarnings));
        QVERIFY(!doc->Editor()->Modified());
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    // Closing the document or the main window while HTML Tidy runs ("check") or its log shows ("log") stops the
    // run; the close happens afterwards, and nothing typed meanwhile is lost.
    void closeWhileTidyRuns_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<bool>("mainWindow");
        for (const char* stage : {"check", "log"})
            for (bool mainWindow : {false, true})
                QTest::addRow("%s, %s", stage, mainWindow ? "main window" : "document") << QString(stage) << mainWindow;
    }
    void closeWhileTidyRuns()
    {
        QFETCH(QString, stage);
        QFETCH(bool, mainWindow);
        if (stage == "check")
            Tidy::SetProgramOverride(WriteTestFile(scratch, "slowtidy", "#!/bin/sh\nexec sleep 30\n", true));
        frmMain* m = StartMain();
        QPointer<frmDocument> doc = m->ActiveDocument();
        doc->Editor()->SetSelText("<P>page</P>");
        QString typed;
        auto closeIt = [&] {
            QTest::keyClicks(doc->Editor(), "typed");
            typed = doc->Editor()->Text();
            prompter->queueMsgBox(MsgAnswer::No);   // the save question, once the run has stopped
            mainWindow ? m->close() : doc->SubWindow()->close();
        };
        if (stage == "check")
            QTimer::singleShot(200, closeIt);
        else
            prompter->queueDialog([&](QDialog* d) {
                closeIt();
                qobject_cast<frmTidy*>(d)->cmdOK_Click();   // too late: the run was cancelled
                return int(QDialog::Accepted);
            });
        QElapsedTimer t;
        t.start();
        m->Action("mnuToolsTidy")->trigger();
        QVERIFY2(t.elapsed() < 10000, "the run went on after the close");
        QVERIFY(doc && !doc->IsBusy() && !doc->Editor()->isReadOnly());
        QCOMPARE(typed + "|" + doc->Editor()->Text(), QString("<P>page</P>|<P>page</P>"));   // read-only while Tidy works
        QTRY_VERIFY(!doc);
        QCOMPARE(prompter->messages(), QStringList{"Save changes to 'Document 1'?"});
        QTRY_COMPARE(bool(MainWindow()), !mainWindow);
    }

    void unifiedDiff_data()
    {
        QTest::addColumn<QString>("a");   // lines joined by '|'
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("diff");   // without the two name lines
        QTest::newRow("equal") << "x|y" << "x|y" << 3 << "";
        QTest::newRow("one line changed") << "1|2|3|4|5|6|7|8|9" << "1|2|3|4|five|6|7|8|9" << 3
                                          << "@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n";
        QTest::newRow("into an empty text") << "" << "x|y" << 3 << "@@ -0,0 +1,2 @@\n+x\n+y\n";
        QTest::newRow("all removed") << "x" << "" << 3 << "@@ -1 +0,0 @@\n-x\n";
        QTest::newRow("added at the end") << "x" << "x|y" << 3 << "@@ -1 +1,2 @@\n x\n+y\n";
        QTest::newRow("far apart: two hunks") << "1|2|3|4|5|6|7" << "1|two|3|4|5|six|7" << 1
                                              << "@@ -1,3 +1,3 @@\n 1\n-2\n+two\n 3\n@@ -5,3 +5,3 @@\n 5\n-6\n+six\n 7\n";
        QTest::newRow("near: one hunk") << "1|2|3|4|5" << "1|two|3|four|5" << 1
                                        << "@@ -1,5 +1,5 @@\n 1\n-2\n+two\n 3\n-4\n+four\n 5\n";
        QTest::newRow("lines moved") << "a|b|c|d" << "b|c|d|a" << 0 << "@@ -1 +0,0 @@\n-a\n@@ -4,0 +4 @@\n+a\n";
    }
    void unifiedDiff()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, context);
        QFETCH(QString, diff);
        auto lines = [](const QString& s) { return s.isEmpty() ? QStringList() : s.split('|'); };
        QCOMPARE(LineDiff::Unified(lines(a), lines(b), "a", "b", context), diff.isEmpty() ? diff : "--- a\n+++ b\n" + diff);
    }

    // The edit script gives back both texts and is as short as their longest common subsequence allows;
    // past the limit of changes it is still whole.
    void lineDiffIsShortest()
    {
        QRandomGenerator random(7);
        auto text = [&] {
            QStringList lines;
            for (int n = random.bounded(12); n > 0; --n)
                lines << QString(QChar('a' + random.bounded(3)));
            return lines;
        };
        for (int round = 0; round < 400; ++round) {
            const QStringList a = text(), b = text();
            std::vector<std::vector<int>> lcs(a.size() + 1, std::vector<int>(b.size() + 1, 0));
            for (qsizetype i = a.size() - 1; i >= 0; --i)
                for (qsizetype j = b.size() - 1; j >= 0; --j)
                    lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
            for (int limit : {2000, 1}) {
                QStringList before, after;
                int changes = 0;
                for (const LineDiff::Line& line : LineDiff::Compare(a, b, limit)) {
                    if (line.kind != LineDiff::Kind::Added)
                        before << line.text;
                    if (line.kind != LineDiff::Kind::Removed)
                        after << line.text;
                    changes += line.kind != LineDiff::Kind::Same;
                }
                QCOMPARE(before, a);
                QCOMPARE(after, b);
                if (limit > 1)
                    QCOMPARE(changes, int(a.size() + b.size()) - 2 * lcs[0][0]);
            }
        }
    }

    // "Show changes" shows Tidy's result against the page with changed lines marked; Tidy document
    // then applies that result, Close leaves the page, and declining to force Tidy keeps the log.
    void showChanges_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("apply");
        QTest::newRow("applied") << kWarnings << true;
        QTest::newRow("closed") << kWarnings << false;
        QTest::newRow("error, not forced") << kError << false;
    }
    void showChanges()
    {
        QFETCH(QString, page);
        QFETCH(bool, apply);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        e->SetText(page);
        const QString tidied = tidyDirectly(page, false);
        QString diff, label;
        QList<int> marks;
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            t->cmdShowChanges()->click();
            diff = t->Editor()->Text();
            label = t->Label1()->text();
            for (int line = 0; line < t->Editor()->LineCount(); ++line)
                marks << int(t->Editor()->markersAtLine(line) >> 2);
            apply ? t->cmdOK_Click() : t->cmdCancel_Click();
            return t->result();
        });
        if (page == kError)
            prompter->queueMsgBox(MsgAnswer::No);
        MainWindow()->Action("mnuToolsTidy")->trigger();
        if (page == kError) {
            QCOMPARE(label, QString("Log file"));
            QVERIFY(diff.contains(" - Error: "));
        } else {
            QCOMPARE(label, QString("What Tidy document would change"));
            QStringList lines = tidied.split("\r\n");
            for (QString& line : lines)
                line.prepend('+');
            QCOMPARE(diff, QString("--- Document\n+++ After HTML Tidy\n@@ -1 +1,%1 @@\n-%2\n%3\n")
                               .arg(lines.size()).arg(QString(kWarnings).trimmed(), lines.join('\n')));
            QList<int> expected{0, 0, 0, 1};   // names, hunk head, the removed line, then the added ones
            expected.append(QList<int>(lines.size(), 2));
            QCOMPARE(marks.mid(0, expected.size()), expected);
        }
        QCOMPARE(e->Text(), apply ? tidied : page);
        if (apply) {
            e->Undo();
            QCOMPARE(e->Text(), page);
        }
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    // Shows the clipboard's text; "Clear text" empties it and disables itself; an empty clipboard shows nothing.
    void clipboardViewer()
    {
        StartMain();
        QStringList seen;
        for (int i = 0; i < 2; ++i) {
            prompter->queueDialog([&](QDialog* d) {
                auto* t = qobject_cast<frmTidy*>(d);
                seen << t->windowTitle() + "|" + t->Editor()->Text() + "|" + QString::number(t->cmdOK()->isEnabled());
                if (t->cmdOK()->isEnabled())   // stays open
                    t->cmdOK_Click(), seen << QString::number(t->cmdOK()->isEnabled()) + QString::number(t->result());
                return int(QDialog::Rejected);
            });
            MainWindow()->Action("mnuToolsClip")->trigger();
        }
        QCOMPARE(seen, (QStringList{"Clipboard viewer|the user's clip|1", "00", "Clipboard viewer||0"}));
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }
};

QTEST_MAIN(TestTidy)
#include "tst_tidy.moc"
