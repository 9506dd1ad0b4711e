#include <QMdiArea>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "document/FileProperties.h"

// The File menu's commands on real files in a temporary folder.
class TestFileOps : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    QString makeFile(const QString& name, const QByteArray& content)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(content);
        return f.fileName();
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    static QStringList captions(frmMain* m)
    {
        QStringList out;
        for (frmDocument* d : m->Documents())
            out << d->Caption();
        return out;
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
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void openReusesOnlyDocumentOne()
    {
        const QString a = makeFile("a.html", "A");
        frmMain* m = StartMain();
        prompter->queueFile({true, {a}, 2});
        m->Action("mnuFileOpen")->trigger();
        QCOMPARE(captions(m), QStringList{"a.html"});
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("A"));
        // The dialog: HTML filter preselected, several files, must exist.
        const FileDialogRequest& r = prompter->asked.last().file;
        QCOMPARE(r.filterIndex, 2);
        QVERIFY(r.multiSelect && r.mustExist && !r.save);

        m->fctnNewDoc();   // "Document 2" as the only untitled one does not get reused
        m->ActiveDocument()->SubWindow()->close();
        m->ActiveDocument()->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m->fctnNewDoc();
        prompter->queueFile({true, {a}, 2});
        m->mnuFileOpen_Click();
        QCOMPARE(captions(m), (QStringList{"Document 3", "a.html"}));
    }

    void openKeepsTypedDocumentOne()
    {
        // Typed-in text is never thrown away by an open.
        const QString a = makeFile("a.html", "A");
        frmMain* m = StartMain();
        m->ActiveDocument()->Editor()->SetSelText("typed");
        prompter->queueFile({true, {a}, 2});
        m->mnuFileOpen_Click();
        QCOMPARE(captions(m), (QStringList{"Document 1*", "a.html"}));
        QCOMPARE(m->Documents().first()->Editor()->Text(), QStringLiteral("typed"));
    }

    void openThreeFiles()
    {
        const QString a = makeFile("a.html", "A"), b = makeFile("b.css", "B"), c = makeFile("c.js", "C");
        frmMain* m = StartMain();
        prompter->queueFile({true, {a, b, c}, 2});
        m->mnuFileOpen_Click();
        QCOMPARE(captions(m), (QStringList{"a.html", "b.css", "c.js"}));
        QCOMPARE(m->Documents().at(1)->Editor()->Language(), QStringLiteral("C/C++"));
        QCOMPARE(m->Recent().Path(1), c);
        QCOMPARE(m->DocCount(), 1);
    }

    void openCancelled()
    {
        frmMain* m = StartMain();
        m->ActiveDocument()->SubWindow()->close();
        prompter->queueFile({});
        m->mnuFileOpen_Click();
        QCOMPARE(m->Documents().size(), 0);
    }

    void openUnreadable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("vanished") << "vanished";
    }
    void openUnreadable()
    {
        QFETCH(QString, kind);
        QString path = dir.filePath("gone.html");
        if (kind == "folder") {
            path = dir.filePath("sub");
            QDir().mkpath(path);
        }
        frmMain* m = StartMain();
        m->fctnNewDoc();
        prompter->queueFile({true, {path}, 2});
        prompter->queueMsgBox(MsgAnswer::OK);
        m->mnuFileOpen_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(captions(m), (QStringList{"Document 1", "Document 2"}));
        QVERIFY(prompter->messages().last().startsWith("'" + path + "' could not be opened."));
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Exclamation));
    }

    void saveAsProposals_data()
    {
        QTest::addColumn<QString>("file");       // empty: untitled
        QTest::addColumn<bool>("modify");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<int>("filterIndex");    // 0-based in the Qt dialog
        QTest::newRow("untitled modified") << "" << true << "Document 1" << 2;
        QTest::newRow("modified page") << "index.html" << true << "<path>" << 2;
        QTest::newRow("clean css") << "site.css" << false << "<path>" << 1;
        QTest::newRow("clean asp") << "default.asp" << false << "<path>" << 0;
        QTest::newRow("clean js") << "app.js" << false << "<path>" << 3;
        QTest::newRow("clean txt") << "notes.txt" << false << "<path>" << 4;
        QTest::newRow("modified js") << "app.js" << true << "<path>" << 2;
    }
    void saveAsProposals()
    {
        QFETCH(QString, file);
        QFETCH(bool, modify);
        QFETCH(QString, proposed);
        QFETCH(int, filterIndex);
        QString cmd;
        QString path;
        if (!file.isEmpty()) {
            path = makeFile(file, "x");
            cmd = '"' + path + '"';
        }
        frmMain* m = StartMain(cmd);
        if (modify)
            m->ActiveDocument()->Editor()->SetSelText("y");
        prompter->queueFile({});
        QVERIFY(!m->mnuFileSaveAs_Click());
        const FileDialogRequest& r = prompter->asked.last().file;
        QVERIFY(r.save && r.overwritePrompt);
        QCOMPARE(r.fileName, proposed == "<path>" ? QFileInfo(path).canonicalFilePath() : proposed);
        QCOMPARE(r.filterIndex, filterIndex);
    }

    void saveAndSaveAs()
    {
        const QString a = makeFile("keep.html", "one\r\ntwo\r\n");
        frmMain* m = StartMain('"' + a + '"');
        frmDocument* d = m->ActiveDocument();
        d->Editor()->SetSelText("zero\r\n");
        QCOMPARE(d->Caption(), QStringLiteral("keep.html*"));
        QVERIFY(m->mnuFileSave_Click());
        QCOMPARE(d->Caption(), QStringLiteral("keep.html"));
        QVERIFY(!m->ToolbarButton("Save")->isEnabled());
        QCOMPARE(read(a), QByteArray("zero\r\none\r\ntwo\r\n"));

        const QString b = dir.filePath("copy.htm");
        prompter->queueFile({true, {b}, 2});
        QVERIFY(m->mnuFileSaveAs_Click());
        QCOMPARE(d->Caption(), QStringLiteral("copy.htm"));
        QCOMPARE(d->PathPanel(), b);
        QCOMPARE(read(b), read(a));
        QCOMPARE(m->Recent().Path(1), b);
        QCOMPARE(m->Recent().Path(2), QFileInfo(a).canonicalFilePath());
    }

    void untitledSaveBecomesSaveAs()
    {
        frmMain* m = StartMain();
        m->ActiveDocument()->Editor()->SetSelText("<P>");
        const QString path = dir.filePath("new page.html");
        prompter->queueFile({true, {path}, 2});
        QVERIFY(m->mnuFileSave_Click());
        QCOMPARE(prompter->asked.last().kind, QStringLiteral("FileDialog"));
        QCOMPARE(read(path), QByteArray("<P>"));
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("new page.html"));
    }

    void saveAll()
    {
        const QString a = makeFile("a.html", "a"), b = makeFile("b.html", "b");
        frmMain* m = StartMain('"' + a + '"');
        m->CreateDocument();
        m->fctnLoadDocument("b.html", b);
        m->fctnNewDoc();   // untitled, unchanged: offered too
        for (frmDocument* d : m->Documents())
            if (d->HasFile())
                d->Editor()->SetSelText("+");
        const QString c = dir.filePath("c.html");
        prompter->queueFile({true, {c}, 2});
        m->mnuFileSaveAll_Click();
        QCOMPARE(prompter->asked.size(), 1);   // two silent saves, one dialog
        QCOMPARE(prompter->asked.first().file.fileName, QStringLiteral("Document 1"));
        QCOMPARE(prompter->asked.first().file.filterIndex, 2);
        QCOMPARE(read(a), QByteArray("+a"));
        QCOMPARE(read(b), QByteArray("+b"));
        QVERIFY(QFile::exists(c));
        QCOMPARE(captions(m), (QStringList{"a.html", "b.html", "c.html"}));
        QVERIFY(!m->ToolbarButton("Save")->isEnabled());
    }

    void closeAllStopsAtCancel()
    {
        frmMain* m = StartMain();
        m->fctnNewDoc();
        m->fctnNewDoc();
        for (frmDocument* d : m->Documents())
            d->Editor()->SetSelText("x");
        // Active is Document 3: No for it, Cancel for the next.
        prompter->queueMsgBox(MsgAnswer::No);
        prompter->queueMsgBox(MsgAnswer::Cancel);
        m->mnuFileCloseAll_Click();
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(prompter->messages().size(), 2);
        QCOMPARE(prompter->messages().first(), QStringLiteral("Save changes to 'Document 3'?"));
        // Cancel stops the exit too, and nothing is written.
        prompter->queueMsgBox(MsgAnswer::Cancel);
        m->close();
        QVERIFY(m->isVisible());
        QCOMPARE(GetSetting("Config", "Tbar", "unset"), QStringLiteral("unset"));
    }

    void saveFailureKeepsEverything_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("path is a folder") << "folder";
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("read-only file") << "readonly";
    }
    void saveFailureKeepsEverything()
    {
        QFETCH(QString, target);
        QString path;
        if (target == "folder") {
            path = dir.filePath("afolder.html");
            QDir().mkpath(path);
        } else if (target == "missing") {
            path = dir.filePath("no/such/folder/x.html");
        } else {
            path = makeFile("ro.html", "original");
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        frmMain* m = StartMain();
        frmDocument* d = m->ActiveDocument();
        d->Editor()->SetSelText("precious");
        prompter->queueFile({true, {path}, 2});
        prompter->queueMsgBox(MsgAnswer::OK);
        QVERIFY(!m->mnuFileSave_Click());
        QVERIFY(prompter->messages().last().startsWith("'" + path + "' could not be saved."));
        QCOMPARE(d->Caption(), QStringLiteral("Document 1*"));
        QVERIFY(d->Editor()->Modified());
        QCOMPARE(d->Editor()->Text(), QStringLiteral("precious"));
        QCOMPARE(d->PathPanel(), QStringLiteral("Untitled document"));
        if (target == "readonly")
            QCOMPARE(read(path), QByteArray("original"));
    }

    void properties()
    {
        frmMain* m = StartMain();
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuFileProperties")->trigger();
        QCOMPARE(prompter->messages().last(),
                 QStringLiteral("Properties not available as the current file has not been saved yet."));
        const QString a = makeFile("p.html", "line\nline\n");
        m->fctnLoadDocument("p.html", a);
        QList<QPair<QString, QString>> rows;
        prompter->queueDialog([&rows](QDialog* d) {
            rows = static_cast<FilePropertiesDialog*>(d)->Rows();
            return int(QDialog::Rejected);
        });
        m->Action("mnuFileProperties")->trigger();
        QCOMPARE(prompter->asked.last().text, QStringLiteral("dlgProperties"));
        QVERIFY(rows.contains(qMakePair(QStringLiteral("Name:"), QStringLiteral("p.html"))));
        QVERIFY(rows.contains(qMakePair(QStringLiteral("Line endings:"), QStringLiteral("LF (Unix)"))));
        QVERIFY(rows.contains(qMakePair(QStringLiteral("Encoding:"), QStringLiteral("UTF-8"))));
    }

    void printToPdf()
    {
        const QString a = makeFile("print.html", "<P>Printed words here</P>\n");
        frmMain* m = StartMain('"' + a + '"');
        const QString pdf = dir.filePath("out.pdf");
        prompter->queueDialog([pdf](QDialog* d) {
            auto* dialog = qobject_cast<QPrintDialog*>(d);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        });
        m->Action("mnuFilePrint")->trigger();
        QCOMPARE(prompter->asked.last().text, QStringLiteral("dlgPrint"));
        QVERIFY(QFileInfo(pdf).size() > 0);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess p;
        p.start("pdftotext", {pdf, "-"});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY2(p.readAllStandardOutput().contains("Printed words here"), "the PDF lacks the text");
    }

    void dropFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fullIns");
        QTest::addColumn<QString>("expected");   // document text; "<path>" stands for the folder
        QTest::newRow("gif full path") << "My Pics/a.gif" << true
                                       << "<IMG SRC=\"file://<path>/My%20Pics/a.gif\" ALT=\"\" BORDER=\"0\">";
        QTest::newRow("png name only") << "logo.png" << false << "<IMG SRC=\"logo.png\" ALT=\"\" BORDER=\"0\">";
        QTest::newRow("JPG is text") << "photo.JPG" << true << "binary?";
    }
    void dropFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, fullIns);
        QFETCH(QString, expected);
        QDir().mkpath(QFileInfo(dir.filePath(name)).absolutePath());
        const QString path = makeFile(name, "binary?");
        SaveSetting("Config", "FullIns", fullIns ? "-1" : "0");
        frmMain* m = StartMain();
        m->DropFiles({path});
        frmDocument* d = m->ActiveDocument();
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(m->DocCount(), 2);
        QCOMPARE(d->Editor()->Text(), QString(expected).replace("<path>", dir.path()));
        if (expected.startsWith("<IMG")) {
            QCOMPARE(d->Caption(), QStringLiteral("Document 2*"));
            // The caret waits between the quotes of ALT.
            const int col = int(expected.replace("<path>", dir.path()).indexOf("ALT=\"") + 5);
            QCOMPARE(d->Editor()->GetSel(true), (CodeMaxRange{0, col, 0, col}));
        } else {
            QCOMPARE(d->Caption(), QFileInfo(path).fileName());
        }
    }

    void dropTwoFilesNumbersBoth()
    {
        const QString a = makeFile("a.html", "a"), b = makeFile("b.html", "b");
        frmMain* m = StartMain();
        m->DropFiles({a, b});
        QCOMPARE(captions(m), (QStringList{"Document 1", "a.html", "b.html"}));
        QCOMPARE(m->DocCount(), 3);
        m->fctnNewDoc();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 4"));
    }

    void changedOnDisk()
    {
        const QString a = makeFile("ext.html", "first");
        frmMain* m = StartMain('"' + a + '"');
        frmDocument* d = m->ActiveDocument();
        QTest::qWait(20);
        {
            QFile f(a);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("second, longer");
        }
        prompter->queueMsgBox(MsgAnswer::No);
        d->CheckDiskChange();
        QCOMPARE(d->Editor()->Text(), QStringLiteral("first"));
        d->CheckDiskChange();   // asked once per change
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY(prompter->messages().first().contains("changed by another program"));
        {
            QFile f(a);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("third");
        }
        prompter->queueMsgBox(MsgAnswer::Yes);
        d->CheckDiskChange();
        QCOMPARE(d->Editor()->Text(), QStringLiteral("third"));
        QVERIFY(!d->Editor()->Modified());
        // Deleted: reported once, the text is kept.
        QVERIFY(QFile::remove(a));
        prompter->queueMsgBox(MsgAnswer::OK);
        d->CheckDiskChange();
        d->CheckDiskChange();
        QCOMPARE(prompter->messages().size(), 3);
        QVERIFY(prompter->messages().last().contains("moved or deleted"));
        QCOMPARE(d->Editor()->Text(), QStringLiteral("third"));
        // Our own save is no outside change.
        QVERIFY(m->mnuFileSave_Click());
        d->CheckDiskChange();
        QCOMPARE(prompter->messages().size(), 3);
    }
};

QTEST_MAIN(TestFileOps)
#include "tst_fileops.moc"
