#include <QLabel>
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
#include "document/RecentFiles.h"

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
    static QStringList pathsOf(const RecentFiles& r)
    {
        QStringList out;
        for (int i = 1; i <= RecentFiles::Count; ++i)
            out << r.Path(i);
        return out;
    }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    // The working folder follows the files the user opens.
    void openReusesOnlyUntouchedDocumentOne()
    {
        const QString a = makeFile("wa/a.html", "A");
        frmMain* m = StartMain();
        prompter->queueFile({true, {a}, 2});
        m->Action("mnuFileOpen")->trigger();
        QCOMPARE(captions(m), QStringList{"a.html"});
        QCOMPARE(QDir::currentPath(), dir.filePath("wa"));
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

    // Ctrl+S works whenever the Save button does, whether or not the File menu was opened. Save As
    // moves the working folder, which Exit keeps.
    void saveAndSaveAs()
    {
        const QString a = makeFile("keep.html", "one\r\ntwo\r\n");
        frmMain* m = StartMain('"' + a + '"');
        frmDocument* d = m->ActiveDocument();
        emit m->Menu("mnuFile")->aboutToShow();
        emit m->Menu("mnuFile")->aboutToHide();
        QVERIFY(!m->Action("mnuFileSave")->isEnabled());
        d->Editor()->SetSelText("zero\r\n");
        QCOMPARE(d->Caption(), QStringLiteral("keep.html*"));
        QVERIFY(m->Action("mnuFileSave")->isEnabled());
        m->Action("mnuFileSave")->trigger();
        QVERIFY(!m->Action("mnuFileSave")->isEnabled());
        QCOMPARE(d->Caption(), QStringLiteral("keep.html"));
        QCOMPARE(ReadTestFile(a), QByteArray("zero\r\none\r\ntwo\r\n"));

        const QString b = dir.filePath("wb/copy.htm");
        QDir().mkpath(dir.filePath("wb"));
        prompter->queueFile({true, {b}, 2});
        QVERIFY(m->mnuFileSaveAs_Click());
        QCOMPARE(d->Caption(), QStringLiteral("copy.htm"));
        QCOMPARE(d->PathPanel(), b);
        QCOMPARE(ReadTestFile(b), ReadTestFile(a));
        QCOMPARE(m->Recent().Path(1), b);
        QCOMPARE(m->Recent().Path(2), QFileInfo(a).canonicalFilePath());
        QCOMPARE(QDir::currentPath(), dir.filePath("wb"));
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "WorkDir", QString()), dir.filePath("wb") + "/");
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

    // A save onto a FIFO or a device node is refused, and one onto a full or read-only disk names the system's
    // reason; the text and the thing in the way stay as they were.
    void saveRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << "named pipe";
        QTest::newRow("device node") << "device" << "a device";
        QTest::newRow("full disk") << "full" << "No space left on device";
        QTest::newRow("read-only disk") << "read-only" << "Read-only file system";
    }
    void saveRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        SmallDisk disk;
        const QString path = disk.dir.filePath("page.html");
        const QByteArray native = QFile::encodeName(path);
        if (kind == "fifo")
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (kind == "device" && ::mknod(native.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("cannot make a device node here");
        else if (kind != "device" && !(disk.Mount("16k") && WriteTestFile(disk.dir, "page.html", "<P>") == path))
            QSKIP("cannot mount a small file system here");
        if (kind == "read-only")
            disk.MakeReadOnly();
        frmMain* m = StartMain();
        frmDocument* d = m->ActiveDocument();
        const QString text = kind == "full" ? QString(64 * 1024, 'x') : QStringLiteral("precious");
        d->Editor()->SetSelText(text);
        prompter->queueFile({true, {path}, 2});
        prompter->queueMsgBox(MsgAnswer::OK);
        QVERIFY(!m->mnuFileSave_Click());
        const QString message = prompter->messages().last();
        QVERIFY2(message.startsWith("'" + path + "' could not be saved.") && message.contains(reason), qPrintable(message));
        QCOMPARE(d->Caption(), QStringLiteral("Document 1*"));
        QVERIFY(d->Editor()->Modified() && d->Editor()->Text() == text);
        QCOMPARE(d->PathPanel(), QStringLiteral("Untitled document"));
        struct stat st {};
        QCOMPARE(::lstat(native.constData(), &st), 0);
        QVERIFY(kind == "fifo" ? S_ISFIFO(st.st_mode) : kind == "device" ? S_ISCHR(st.st_mode) : ReadTestFile(path) == "<P>");
        CloseMain(prompter);
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

    // Files dropped on the text open in new documents, a picture as an IMG tag (its full address or, with the
    // option off, its name); dragged text is still text.
    void drops_data()
    {
        QTest::addColumn<QString>("name");       // empty: text is dragged
        QTest::addColumn<bool>("fullIns");
        QTest::addColumn<QString>("expected");   // the active document's text, "|" at the caret; "<path>" is the folder
        QTest::newRow("gif full path") << "My Pics/a.gif" << true
                                       << "<IMG SRC=\"file://<path>/My%20Pics/a.gif\" ALT=\"|\" BORDER=\"0\">";
        QTest::newRow("png name only") << "logo.png" << false << "<IMG SRC=\"logo.png\" ALT=\"|\" BORDER=\"0\">";
        QTest::newRow("JPG is text") << "photo.JPG" << true << "|binary?";
        QTest::newRow("dragged text") << "" << true << "moved text";
    }
    void drops()
    {
        QFETCH(QString, name);
        QFETCH(bool, fullIns);
        QFETCH(QString, expected);
        SaveSetting("Config", "FullIns", fullIns ? "-1" : "0");
        frmMain* m = StartMain();
        CodeMax1* editor = m->ActiveDocument()->Editor();
        QMimeData data;
        if (name.isEmpty())
            data.setText("moved text");
        else
            data.setUrls({QUrl::fromLocalFile(makeFile(name, "binary?"))});
        const QPoint at = editor->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor->viewport(), &drop);
        QCoreApplication::processEvents();
        frmDocument* d = m->ActiveDocument();
        QCOMPARE(name.isEmpty() ? d->Editor()->Text() : MarkedText(d->Editor()), expected.replace("<path>", dir.path()));
        QCOMPARE(QList<qsizetype>({m->Documents().size(), m->DocCount()}), QList<qsizetype>(2, name.isEmpty() ? 1 : 2));
        QCOMPARE(d->Caption(), name.isEmpty() ? "Document 1*" : expected.startsWith("<IMG") ? "Document 2*" : QFileInfo(name).fileName());
        QVERIFY(name.isEmpty() || editor->Text().isEmpty());
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

    // File > Reopen with Encoding: with changes it asks first (No, the default, keeps them); the
    // document then shows and saves the chosen encoding; a file that is not text in an encoding
    // leaves the document as it was; one that cannot hold a typed character is not saved over.
    void reopenWithEncoding()
    {
        const QString path = makeFile("page.html", "<p>caf\xE9 \x80</p>\r\nsecond\r\n");
        frmMain* m = StartMain('"' + path + '"');
        frmDocument* d = m->ActiveDocument();
        CodeMax1* e = d->Editor();
        auto* panel = d->findChild<QLabel*>("FormatPanel");
        QAction* submenu = m->Menu("mnuFileReopenEnc")->menuAction();
        const auto checked = [m] {
            QStringList on;
            for (const char* name : {"mnuFileReopenUtf8", "mnuFileReopenUtf16", "mnuFileReopenLatin1",
                                     "mnuFileReopenWin1252", "mnuFileReopenLatin9"})
                if (m->Action(name)->isChecked())
                    on << name;
            return on.join(' ');
        };
        QVERIFY(submenu->isEnabled() && submenu->isVisible());
        QCOMPARE(panel->text() + " " + checked(), QString("ISO-8859-1  CR LF mnuFileReopenLatin1"));

        e->setCursorPosition(1, 2);
        e->SetSelText("x");
        prompter->queueMsgBox(MsgAnswer::No);
        m->Action("mnuFileReopenWin1252")->trigger();
        QCOMPARE(prompter->asked.last().buttons, int(MsgButtons::YesNo | MsgButtons::DefaultButton2));
        QVERIFY2(prompter->messages().last().endsWith("' has changes that are not saved.\nReopen it as Windows-1252 and lose them?"),
                 qPrintable(prompter->messages().last()));
        QVERIFY(e->Text().endsWith("sexcond\r\n") && e->Modified());
        QCOMPARE(panel->text() + " " + checked(), QString("ISO-8859-1  CR LF mnuFileReopenLatin1"));

        prompter->queueMsgBox(MsgAnswer::Yes);
        m->Action("mnuFileReopenWin1252")->trigger();
        QCOMPARE(e->Text(), QStringLiteral("<p>caf\u00e9 \u20ac</p>\r\nsecond\r\n"));
        QCOMPARE(e->GetSel(true).endLine, 1);
        QVERIFY(!e->Modified() && d->Caption() == "page.html");
        QCOMPARE(panel->text() + " " + checked(), QString("Windows-1252  CR LF mnuFileReopenWin1252"));

        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuFileReopenUtf8")->trigger();
        QVERIFY2(prompter->messages().last().contains("' was not reopened; the document stays as it was.\n"
                                                      "It is not UTF-8 text: the byte 0xE9 on line 1"),
                 qPrintable(prompter->messages().last()));
        QCOMPARE(e->Text(), QStringLiteral("<p>caf\u00e9 \u20ac</p>\r\nsecond\r\n"));
        QCOMPARE(panel->text() + " " + checked(), QString("Windows-1252  CR LF mnuFileReopenWin1252"));

        // Saved in it: what it holds as its bytes, the rest of a page as references.
        e->SetSelText("\u0153\u2192");
        QVERIFY(m->mnuFileSave_Click());
        QCOMPARE(ReadTestFile(path), QByteArray("<p>caf\xE9 \x80</p>\r\n\x9C&#8594;second\r\n"));
        // Reloaded after another program's change, it stays in the encoding chosen.
        makeFile("page.html", "<p>\x80 again</p>\n");
        prompter->queueMsgBox(MsgAnswer::Yes);
        d->CheckDiskChange();
        QCOMPARE(e->Text() + panel->text(), QStringLiteral("<p>\u20ac again</p>\nWindows-1252  LF"));
        // A stylesheet cannot take a reference: the save is refused and the file stays.
        const QString css = makeFile("site.css", "p{}\n");
        m->OpenCommandLine('"' + css + '"');
        m->Action("mnuFileReopenLatin9")->trigger();   // nothing changed yet: no question
        m->ActiveDocument()->Editor()->SetSelText("/* \u2192 */");
        prompter->queueMsgBox(MsgAnswer::OK);
        QVERIFY(!m->mnuFileSave_Click());
        QVERIFY2(prompter->messages().last().contains("ISO-8859-15 has no place for the character '\u2192' (U+2192) on line 1."),
                 qPrintable(prompter->messages().last()));
        QVERIFY(m->ActiveDocument()->Caption().endsWith('*'));
        QCOMPARE(ReadTestFile(css), QByteArray("p{}\n"));

        // An untitled document has no file to read again.
        m->fctnNewDoc();
        QVERIFY(!submenu->isEnabled());
        m->Action("mnuFileReopenUtf8")->trigger();
        QCOMPARE(m->ActiveDocument()->Editor()->Format().encoding, TextEncoding::Utf8);
    }

    // The newest first, four at most; an entry added again moves up, case counts; the empty slots that
    // start-up passes change nothing. A removal is written to the store at once.
    void recentList()
    {
        using L = QStringList;
        for (const auto& [added, expected] : QList<std::pair<L, L>>{{{"a", "b", "c", "d", "e"}, {"e", "d", "c", "b"}},
                 {{"b", "c", "d", "e", "b"}, {"b", "e", "d", "c"}}, {{"a", "b", "b"}, {"b", "a", "", ""}},
                 {{"/x/A.html", "/x/a.html"}, {"/x/a.html", "/x/A.html", "", ""}}, {{"", "", "b", "a"}, {"a", "b", "", ""}}}) {
            RecentFiles r;
            for (const QString& p : added)
                r.Add(p);
            QCOMPARE(pathsOf(r), expected);
        }
        for (const auto& [slot, expected] : QList<std::pair<int, L>>{{2, {"a", "c", "", ""}}, {3, {"a", "b", "", ""}},
                                                                     {1, {"b", "c", "", ""}}}) {
            RecentFiles r;
            for (const char* p : {"c", "b", "a"})
                r.Add(p);
            r.PersistAll();
            r.Remove(slot);
            QCOMPARE(pathsOf(r), expected);
            for (int i = 1; i <= 4; ++i)
                QCOMPARE(GetSetting("MRU", QString::number(i), "?"), expected.at(i - 1));
        }
    }

    // The File menu's recent files, from the store, each with its path as tip. Only an untouched Document 1
    // takes the file chosen; an open one is activated and keeps its place; a deleted one is reported and taken
    // off. The list is stored at exit; Clear Recent Files empties it and the store.
    void recentFilesMenu()
    {
        QStringList paths;   // a, b, c
        for (const char* n : {"a.html", "b.html", "c.html"})
            paths << QFileInfo(makeFile(n, n)).canonicalFilePath();
        for (int i = 0; i < 3; ++i)
            SaveSetting("MRU", QString::number(i + 1), paths.at(i));
        frmMain* m = StartMain();
        const auto menu = [&m] {   // the entries shown as "text tip", then the separator and Clear when shown
            QStringList out;
            for (int i = 1; i <= 4; ++i)
                if (QAction* a = m->Action(QStringLiteral("mnuFileMRU%1").arg(i)); a->isVisible())
                    out << a->text() + " " + a->statusTip();
            for (const char* name : {"mnuFileBar4", "mnuFileClearRecent"})
                if (m->Action(name)->isVisible())
                    out << name;
            return out.join('|');
        };
        QCOMPARE(menu(), QString("&1 a.html %1|&2 b.html %2|&3 c.html %3|mnuFileBar4|mnuFileClearRecent").arg(paths[0], paths[1], paths[2]));
        m->Action("mnuFileMRU2")->trigger();
        QCOMPARE(captions(m), QStringList{"b.html"});
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("b.html"));
        QCOMPARE(m->Recent().Path(1), paths.at(1));   // b, a, c
        m->fctnNewDoc();
        m->Action("mnuFileMRU1")->trigger();
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("b.html"));
        QCOMPARE(m->Recent().Path(1), paths.at(1));
        m->Action("mnuFileMRU2")->trigger();
        QCOMPARE(captions(m), (QStringList{"b.html", "Document 2", "a.html"}));
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("a.html"));   // a, b, c
        m->mnuFileCloseAll_Click();
        QVERIFY(QFile::remove(paths.at(1)));
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuFileMRU2")->trigger();
        QCOMPARE(prompter->messages(), QStringList{"'" + paths.at(1) + "' was either moved or deleted, and so will be "
                                                   "removed from the 'most recently used' list of files."});
        QCOMPARE(prompter->asked.last().title, QStringLiteral("QRN"));
        QCOMPARE(m->Documents().size(), 0);
        CloseMain(prompter);
        QCOMPARE(GetSetting("MRU", "1") + "|" + GetSetting("MRU", "2") + "|" + GetSetting("MRU", "3", "?"),
                 paths.at(0) + "|" + paths.at(2) + "|");
        m = StartMain();
        QCOMPARE(menu(), QString("&1 a.html %1|&2 c.html %2|mnuFileBar4|mnuFileClearRecent").arg(paths[0], paths[2]));
        m->Action("mnuFileClearRecent")->trigger();
        QCOMPARE(menu(), QString());
        QCOMPARE(GetSetting("MRU", "1", "?"), QString());
    }
};

QTEST_MAIN(TestFileOps)
#include "tst_fileops.moc"
