#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "document/CodeMax1.h"
#include "document/FileProperties.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

// The File menu's commands on real files in a temporary folder.
class TestFileOps : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    QString makeFile(const QString& name, const QByteArray& content = "x") { return WriteTestFile(dir, name, content); }
    static QStringList captions(frmMain* m)
    {
        QStringList out;
        for (frmDocument* d : m->Documents())
            out << d->Caption();
        return out;
    }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    void openReusesOnlyUntouchedDocumentOne()
    {
        const QString a = makeFile("a.html", "A");
        frmMain* m = StartMain();
        prompter->queueFile({true, {a}, 2});
        m->Action("mnuFileOpen")->trigger();
        QCOMPARE(captions(m), QStringList{"a.html"});
        const FileDialogRequest& r = prompter->asked.last().file;  // HTML filter, several files, must exist
        QVERIFY(r.filterIndex == 2 && r.multiSelect && r.mustExist && !r.save);

        m->fctnNewDoc();  // "Document 2" as the only untitled one is not reused
        m->ActiveDocument()->SubWindow()->close();
        m->ActiveDocument()->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m->fctnNewDoc();
        prompter->queueFile({true, {a}, 2});
        m->mnuFileOpen_Click();
        QCOMPARE(captions(m), (QStringList{"Document 3", "a.html"}));
        // Typed-in text is never thrown away by an open.
        CloseMain(prompter);
        m = StartMain();
        m->ActiveDocument()->Editor()->SetSelText("typed");
        prompter->queueFile({true, {a}, 2});
        m->mnuFileOpen_Click();
        QCOMPARE(captions(m), (QStringList{"Document 1*", "a.html"}));
        QCOMPARE(m->Documents().first()->Editor()->Text(), QStringLiteral("typed"));
    }

    void openSeveralSkipsUnreadable()
    {
        const QString a = makeFile("a.html"), b = makeFile("b.css"), c = makeFile("c.js");
        const QString folder = dir.filePath("sub"), gone = dir.filePath("gone.html");
        QVERIFY(QDir().mkpath(folder));
        frmMain* m = StartMain();
        prompter->queueFile({true, {a, folder, b, gone, c}, 2});
        prompter->queueMsgBox(MsgAnswer::OK);
        prompter->queueMsgBox(MsgAnswer::OK);
        m->mnuFileOpen_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Unreadable files leave no empty window behind.
        QCOMPARE(captions(m), (QStringList{"a.html", "b.css", "c.js"}));
        QCOMPARE(m->Recent().Path(1), c);
        QCOMPARE(m->DocCount(), 1);
        const QStringList messages = prompter->messages();
        QVERIFY(messages.size() == 2 && messages[0].startsWith("'" + folder + "' could not be opened.")
                && messages[1].startsWith("'" + gone + "' could not be opened."));
        prompter->queueFile({});  // cancelled
        m->mnuFileOpen_Click();
        QCOMPARE(m->Documents().size(), 3);
    }

    void saveAsProposals_data()
    {
        QTest::addColumn<QString>("file");  // empty: untitled
        QTest::addColumn<bool>("modify");
        QTest::addColumn<int>("filterIndex");  // 0-based in the Qt dialog
        QTest::newRow("untitled modified") << "" << true << 2;
        QTest::newRow("clean css") << "site.css" << false << 1;
        QTest::newRow("clean asp") << "default.asp" << false << 0;
        QTest::newRow("clean js") << "app.js" << false << 3;
        QTest::newRow("clean txt") << "notes.txt" << false << 4;
        QTest::newRow("modified js") << "app.js" << true << 2;
    }
    void saveAsProposals()
    {
        QFETCH(QString, file);
        QFETCH(bool, modify);
        QFETCH(int, filterIndex);
        const QString path = file.isEmpty() ? QString() : makeFile(file);
        frmMain* m = StartMain(path.isEmpty() ? QString() : '"' + path + '"');
        if (modify)
            m->ActiveDocument()->Editor()->SetSelText("y");
        prompter->queueFile({});
        QVERIFY(!m->mnuFileSaveAs_Click());
        const FileDialogRequest& r = prompter->asked.last().file;
        QVERIFY(r.save && r.overwritePrompt);
        QCOMPARE(r.fileName, path.isEmpty() ? QStringLiteral("Document 1") : QFileInfo(path).canonicalFilePath());
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
        QCOMPARE(ReadTestFile(a), QByteArray("zero\r\none\r\ntwo\r\n"));

        const QString b = dir.filePath("copy.htm");
        prompter->queueFile({true, {b}, 2});
        QVERIFY(m->mnuFileSaveAs_Click());
        QCOMPARE(d->Caption(), QStringLiteral("copy.htm"));
        QCOMPARE(d->PathPanel(), b);
        QCOMPARE(ReadTestFile(b), ReadTestFile(a));
        QCOMPARE(m->Recent().Path(1), b);
        QCOMPARE(m->Recent().Path(2), QFileInfo(a).canonicalFilePath());
    }

    void saveAll()
    {
        const QString a = makeFile("a.html", "a"), b = makeFile("b.html", "b");
        frmMain* m = StartMain('"' + a + '"');
        m->CreateDocument();
        m->fctnLoadDocument("b.html", b);
        m->fctnNewDoc();  // untitled, unchanged: offered too
        for (frmDocument* d : m->Documents())
            if (d->HasFile())
                d->Editor()->SetSelText("+");
        const QString c = dir.filePath("c.html");
        prompter->queueFile({true, {c}, 2});
        m->mnuFileSaveAll_Click();
        QCOMPARE(prompter->asked.size(), 1);  // two silent saves, one dialog
        QVERIFY(prompter->asked.first().file.fileName == "Document 1" && prompter->asked.first().file.filterIndex == 2);
        QCOMPARE(ReadTestFile(a) + ReadTestFile(b) + ReadTestFile(c), QByteArray("+a+b"));
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

    // A save onto a FIFO or device node is refused; the text and the thing stay. (Folders, missing
    // folders and read-only files are refused by the editor: tst_filetext failures.)
    void saveOntoNotAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << "named pipe";
        QTest::newRow("device node") << "device" << "a device";
    }
    void saveOntoNotAFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = dir.filePath(kind + ".html");
        const QByteArray native = QFile::encodeName(path);
        if (kind == "fifo")
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (::mknod(native.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("cannot make a device node here");
        frmMain* m = StartMain();
        frmDocument* d = m->ActiveDocument();
        d->Editor()->SetSelText("precious");
        prompter->queueFile({true, {path}, 2});
        prompter->queueMsgBox(MsgAnswer::OK);
        QVERIFY(!m->mnuFileSave_Click());
        const QString message = prompter->messages().last();
        QVERIFY2(message.startsWith("'" + path + "' could not be saved.") && message.contains(reason), qPrintable(message));
        QCOMPARE(d->Caption(), QStringLiteral("Document 1*"));
        QVERIFY(d->Editor()->Modified() && d->Editor()->Text() == QStringLiteral("precious"));
        QCOMPARE(d->PathPanel(), QStringLiteral("Untitled document"));
        struct stat st {};
        QCOMPARE(::lstat(native.constData(), &st), 0);
        QVERIFY(kind == "fifo" ? S_ISFIFO(st.st_mode) : S_ISCHR(st.st_mode));
        ::unlink(native.constData());
    }

    void properties()
    {
        frmMain* m = StartMain();
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuFileProperties")->trigger();
        QVERIFY(prompter->messages().last().startsWith("Properties not available as the current file has not been saved"));
        m->fctnLoadDocument("p.html", makeFile("p.html", "line\nline\n"));
        QList<QPair<QString, QString>> rows;
        prompter->queueDialog([&rows](QDialog* d) {
            rows = static_cast<FilePropertiesDialog*>(d)->Rows();
            return int(QDialog::Rejected);
        });
        m->Action("mnuFileProperties")->trigger();
        QCOMPARE(prompter->asked.last().text, QStringLiteral("dlgProperties"));
        for (const auto& row : {qMakePair(QStringLiteral("Name:"), QStringLiteral("p.html")),
                                qMakePair(QStringLiteral("Line endings:"), QStringLiteral("LF (Unix)")),
                                qMakePair(QStringLiteral("Encoding:"), QStringLiteral("UTF-8"))})
            QVERIFY2(rows.contains(row), qPrintable(row.first));
    }

    void printToPdf()
    {
        QString text;
        for (int i = 0; i < 200; ++i)  // too long for one page
            text += QStringLiteral("<P>Printed words %1</P>\n").arg(i);
        frmMain* m = StartMain('"' + makeFile("print.html", text.toUtf8()) + '"');
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
        const QString bytes = QString::fromLatin1(ReadTestFile(pdf));
        QVERIFY2(bytes.startsWith("%PDF") && bytes.count(QRegularExpression("/Type\\s*/Page[^s]")) >= 2, "not several pages");
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess p;
        p.start("pdftotext", {pdf, "-"});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY2(p.readAllStandardOutput().contains("Printed words 199"), "the PDF lacks the text");
    }

    void dropFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fullIns");
        QTest::addColumn<QString>("expected");  // document text, "|" at the caret; "<path>" stands for the folder
        QTest::newRow("gif full path") << "My Pics/a.gif" << true
                                       << "<IMG SRC=\"file://<path>/My%20Pics/a.gif\" ALT=\"|\" BORDER=\"0\">";
        QTest::newRow("png name only") << "logo.png" << false << "<IMG SRC=\"logo.png\" ALT=\"|\" BORDER=\"0\">";
        QTest::newRow("JPG is text") << "photo.JPG" << true << "|binary?";
    }
    void dropFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, fullIns);
        QFETCH(QString, expected);
        const QString path = makeFile(name, "binary?");
        expected.replace("<path>", dir.path());
        SaveSetting("Config", "FullIns", fullIns ? "-1" : "0");
        frmMain* m = StartMain();
        m->DropFiles({path});
        frmDocument* d = m->ActiveDocument();
        QVERIFY(m->Documents().size() == 2 && m->DocCount() == 2);
        QCOMPARE(MarkedText(d->Editor()), expected);
        QCOMPARE(d->Caption(), expected.startsWith("<IMG") ? QStringLiteral("Document 2*") : QFileInfo(path).fileName());
    }

    // Before a save over its own file: another program's change is asked about,
    // with Cancel on Enter; No reloads that version as one Undo step.
    void saveOverOutsideChange_data()
    {
        QTest::addColumn<QString>("change");   // "write", "link": replaced by a link to another file
        QTest::addColumn<bool>("saveAll");     // Save All with the changed document inactive
        QTest::addColumn<int>("answer");
        QTest::newRow("Ctrl+S, overwrite") << "write" << false << int(MsgAnswer::Yes);
        QTest::newRow("Ctrl+S, keep theirs") << "write" << false << int(MsgAnswer::No);
        QTest::newRow("Ctrl+S, cancel") << "write" << false << int(MsgAnswer::Cancel);
        QTest::newRow("Save All, inactive, cancel") << "write" << true << int(MsgAnswer::Cancel);
        QTest::newRow("Save All, inactive, overwrite") << "write" << true << int(MsgAnswer::Yes);
        QTest::newRow("replaced by a link, cancel") << "link" << false << int(MsgAnswer::Cancel);
    }
    void saveOverOutsideChange()
    {
        QFETCH(QString, change);
        QFETCH(bool, saveAll);
        QFETCH(int, answer);
        const QString name = QString(QTest::currentDataTag()).replace(QRegularExpression("[^a-zA-Z]"), "_");
        const QString path = makeFile(name + ".html", "mine");
        frmMain* m = StartMain('"' + path + '"');
        frmDocument* d = m->ActiveDocument();
        d->Editor()->SetSelText("edited ");
        const QString other = makeFile(name + "-other.html", "another file");
        if (change == "link") {
            QFile::remove(path);
            QVERIFY(QFile::link(other, path));
        } else {
            makeFile(name + ".html", "theirs");
        }
        prompter->queueMsgBox(answer);
        if (saveAll) {
            m->fctnNewDoc();   // the changed one is no longer active
            prompter->queueFile({false, {}, 0});   // Save All offers the new one a name too
            m->mnuFileSaveAll_Click();
        } else {
            m->mnuFileSave_Click();
        }
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY2(prompter->messages().first().contains("changed by another program"), qPrintable(prompter->messages().first()));
        QVERIFY(prompter->asked.first().buttons & MsgButtons::DefaultButton3);
        const QByteArray theirs = change == "link" ? "another file" : "theirs";
        if (answer == MsgAnswer::Yes) {
            QCOMPARE(ReadTestFile(path), QByteArray("edited mine"));
        } else {
            QCOMPARE(ReadTestFile(path), theirs);
            QCOMPARE(ReadTestFile(other), QByteArray("another file"));
        }
        if (answer == MsgAnswer::No) {
            QCOMPARE(d->Editor()->Text(), QString(theirs));
            QVERIFY(!d->Editor()->Modified());
            d->Editor()->Undo();
            QCOMPARE(d->Editor()->Text(), QString("edited mine"));
        } else if (answer == MsgAnswer::Cancel) {
            QVERIFY(d->Editor()->Modified() && d->Caption().endsWith('*'));
        }
        // Once asked, the same state of the file is not asked about again.
        if (answer == MsgAnswer::Yes && !saveAll) {
            d->Editor()->SetSelText("again ");
            QVERIFY(m->mnuFileSave_Click());
            QCOMPARE(prompter->messages().size(), 1);
        }
        d->RememberDiskState();   // seen by the user: closing asks no more about it
    }

    // The system's own reason when the disk is full or read-only.
    void saveErrorsNameTheCause_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("cause");
        QTest::newRow("full") << false << "No space left on device";
        QTest::newRow("read-only") << true << "Read-only file system";
    }
    void saveErrorsNameTheCause()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, cause);
        QTemporaryDir point;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", point.path()}) != 0)
            QSKIP("cannot mount a small file system here");
        const QString path = point.filePath("page.html");
        WriteTestFile(point, "page.html", "<P>");
        if (readOnly)
            QProcess::execute("mount", {"-o", "remount,ro", point.path()});
        frmMain* m = StartMain('"' + path + '"');
        m->ActiveDocument()->Editor()->SetSelText(QString(64 * 1024, 'x'));
        prompter->queueMsgBox(MsgAnswer::OK);
        const bool saved = m->mnuFileSave_Click();
        CloseMain(prompter);
        QProcess::execute("umount", {point.path()});
        QVERIFY(!saved);
        QVERIFY2(prompter->messages().first().contains(cause), qPrintable(prompter->messages().first()));
    }

    // Ctrl+S works whenever the Save button does, whether or not the File menu was opened.
    void saveShortcutFollowsButton()
    {
        const QString path = makeFile("keys.html", "x");
        frmMain* m = StartMain('"' + path + '"');
        QMenu* file = m->Menu("mnuFile");
        emit file->aboutToShow();
        emit file->aboutToHide();
        QVERIFY(!m->Action("mnuFileSave")->isEnabled());
        m->ActiveDocument()->Editor()->SetSelText("typed ");
        QVERIFY(m->Action("mnuFileSave")->isEnabled());
        m->Action("mnuFileSave")->trigger();
        QCOMPARE(ReadTestFile(path), QByteArray("typed x"));
        QVERIFY(!m->Action("mnuFileSave")->isEnabled());
    }

    // Files dropped on the text open; dragged text is still text.
    void dropOnText_data()
    {
        QTest::addColumn<bool>("file");
        QTest::newRow("a file") << true;
        QTest::newRow("text") << false;
    }
    void dropOnText()
    {
        QFETCH(bool, file);
        const QString path = makeFile("dropped.html", "<P>dropped</P>");
        frmMain* m = StartMain();
        CodeMax1* editor = m->ActiveDocument()->Editor();
        QMimeData data;
        if (file)
            data.setUrls({QUrl::fromLocalFile(path)});
        else
            data.setText("moved text");
        const QPoint at = editor->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor->viewport(), &drop);
        QCoreApplication::processEvents();
        if (file) {
            QCOMPARE(m->Documents().size(), 2);
            QCOMPARE(m->ActiveDocument()->Editor()->Text(), QString("<P>dropped</P>"));
            QCOMPARE(editor->Text(), QString());
        } else {
            QCOMPARE(m->Documents().size(), 1);
            QCOMPARE(editor->Text(), QString("moved text"));
        }
    }

    // The working folder follows the files the user chooses, and is what Exit keeps.
    void workingFolderFollowsChoices()
    {
        const QString a = makeFile("wa/one.html", "<P>");
        QDir().mkpath(dir.filePath("wb"));
        frmMain* m = StartMain();
        prompter->queueFile({true, {a}, 2});
        m->mnuFileOpen_Click();
        QCOMPARE(QDir::currentPath(), dir.filePath("wa"));
        prompter->queueFile({true, {dir.filePath("wb/two.html")}, 2});
        QVERIFY(m->mnuFileSaveAs_Click());
        QCOMPARE(QDir::currentPath(), dir.filePath("wb"));
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "WorkDir", QString()), dir.filePath("wb") + "/");
    }

    void changedOnDisk()
    {
        const QString a = makeFile("ext.html", "first");
        frmMain* m = StartMain('"' + a + '"');
        frmDocument* d = m->ActiveDocument();
        // Each change is asked about once; No keeps the text, Yes reloads it.
        for (auto [content, answer] : QList<std::pair<QByteArray, int>>{{"second, longer", MsgAnswer::No},
                                                                         {"third", MsgAnswer::Yes}}) {
            makeFile("ext.html", content);
            prompter->queueMsgBox(answer);
            d->CheckDiskChange();
            d->CheckDiskChange();
            QCOMPARE(d->Editor()->Text(), answer == MsgAnswer::Yes ? QString(content) : QStringLiteral("first"));
        }
        QCOMPARE(prompter->messages().size(), 2);
        QVERIFY(prompter->messages().first().contains("changed by another program") && !d->Editor()->Modified());
        QVERIFY(prompter->asked.at(0).buttons & MsgButtons::DefaultButton2);   // No, never Yes, on Enter
        // Deleted: reported once, the text is kept.
        QVERIFY(QFile::remove(a));
        prompter->queueMsgBox(MsgAnswer::OK);
        d->CheckDiskChange();
        d->CheckDiskChange();
        QVERIFY(prompter->messages().size() == 3 && prompter->messages().last().contains("moved or deleted"));
        QCOMPARE(d->Editor()->Text(), QStringLiteral("third"));
        // Its only copy now: closing asks.
        QVERIFY(d->Editor()->Modified() && d->Caption().endsWith('*'));
        // Our own save is no outside change.
        QVERIFY(m->mnuFileSave_Click());
        d->CheckDiskChange();
        QCOMPARE(prompter->messages().size(), 3);
    }
};

QTEST_MAIN(TestFileOps)
#include "tst_fileops.moc"
