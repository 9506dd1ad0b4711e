#include <QDesktopServices>
#include <QListWidget>
#include <QMenu>
#include <QWebEngineView>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "document/CodeMax1.h"
#include "tools/Preview.h"
#include "tools/ToolFiles.h"

class TestPreview : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    UrlCatcher catcher{{"file"}};

    QString writeFile(const QString& name, const QByteArray& bytes) { return WriteTestFile(dir, name, bytes); }
    static QByteArray readFile(const QString& path) { return ReadTestFile(path); }
    frmDocument* open(frmMain* m, const QString& path)
    {
        m->OpenCommandLine('"' + path + '"');
        return m->ActiveDocument();
    }
    static void click(frmDocument* doc, int panel) { QTest::mouseClick(doc->Panel(panel), Qt::LeftButton); }
    static QStringList previewFiles(const QString& folder)
    {
        return QDir(folder).entryList({"~preview_qrn.*"}, QDir::Files | QDir::Hidden);
    }

private slots:
    void init()
    {
        PrepareTestProfile();
        SaveSetting("Config", "Instance", "0");
        prompter = ScriptedPrompter::install();
        catcher.urls.clear();
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void target_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("mapped");
        QTest::addColumn<QString>("file");   // "<program>" stands for the per-user folder
        QTest::addColumn<int>("mapping");
        QTest::newRow("html") << "/site/index.html" << true << "/site/~preview_qrn.html" << int(Preview::Mapping::None);
        QTest::newRow("asp") << "/site/default.asp" << true << "/site/~preview_qrn.shtml"
                             << int(Preview::Mapping::AsHtml);
        QTest::newRow("ASP keeps case") << "/site/page.ASP" << true << "/site/~preview_qrn.ASP"
                                        << int(Preview::Mapping::None);
        QTest::newRow("css") << "/site/main.css" << true << "/site/~preview_qrn.txt" << int(Preview::Mapping::AsRawText);
        QTest::newRow("js") << "/site/app.js" << true << "/site/~preview_qrn.txt" << int(Preview::Mapping::AsRawText);
        QTest::newRow("css, external") << "/site/main.css" << false << "/site/~preview_qrn.css"
                                       << int(Preview::Mapping::None);
        QTest::newRow("dot in folder only") << "/my.site/readme" << true << "/my.site/~preview_qrn.html"
                                            << int(Preview::Mapping::None);
        QTest::newRow("trailing dot") << "/site/page." << true << "/site/~preview_qrn.html"
                                      << int(Preview::Mapping::None);
        QTest::newRow("last dot counts") << "/site/page.min.js" << false << "/site/~preview_qrn.js"
                                         << int(Preview::Mapping::None);
        QTest::newRow("untitled") << "" << true << "<program>~preview_qrn.html" << int(Preview::Mapping::None);
    }
    void target()
    {
        QFETCH(QString, path);
        QFETCH(bool, mapped);
        QFETCH(QString, file);
        QFETCH(int, mapping);
        const Preview::Target t = Preview::TargetFor(path, mapped);
        QCOMPARE(t.Path(), QString(file).replace("<program>", ToolFiles::ProgramFolder()));
        QCOMPARE(int(t.mapping), mapping);
    }

    void toggleInMainWindow()
    {
        const QString path = writeFile("site/index.html", "<html><head><title>First</title></head></html>");
        frmMain* m = StartMain();
        frmDocument* doc = open(m, path);
        QVERIFY(doc);
        // The browser is not started with the window.
        QVERIFY(!qobject_cast<QWebEngineView*>(doc->WebBrowser1()));
        doc->Editor()->SetText("<html><head><title>Second</title></head><body><p>x</p></body></html>");
        doc->Editor()->SetModified(true);
        doc->fctnRefreshCommands();
        QVERIFY(doc->Caption().endsWith('*'));

        click(doc, 2);
        auto* view = qobject_cast<QWebEngineView*>(doc->WebBrowser1());
        QVERIFY(view);
        const QString copy = dir.filePath("site/~preview_qrn.html");
        QCOMPARE(readFile(copy), QByteArray("<html><head><title>Second</title></head><body><p>x</p></body></html>"));
        QVERIFY(doc->Editor()->Modified());
        QVERIFY(doc->Caption().endsWith('*'));
        QCOMPARE(readFile(path), QByteArray("<html><head><title>First</title></head></html>"));
        QVERIFY(!doc->IsEditMode());
        QCOMPARE(doc->Panel(1)->Bevel(), 2);
        QCOMPARE(doc->Panel(2)->Bevel(), 1);
        QVERIFY(view->isVisible());
        QVERIFY(!doc->Editor()->isVisible());
        QVERIFY(!m->List1()->isEnabled());
        QVERIFY(!m->Menu("mnuEdit")->menuAction()->isEnabled());
        QVERIFY(!m->ToolbarButton("Compress")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("Second"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(doc->Panel(5)->text(), QString("Done"), 20000);

        // A second click writes the copy again and shows the text as it is now.
        doc->Editor()->SetText("<html><head><title>Third</title></head></html>");
        click(doc, 2);
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), QString("Third"), 20000);

        doc->Editor()->SetCaretPos(0, 0);
        click(doc, 1);
        QVERIFY(doc->IsEditMode());
        QCOMPARE(doc->Panel(1)->Bevel(), 1);
        QCOMPARE(doc->Panel(2)->Bevel(), 2);
        QVERIFY(!view->isVisible());
        QVERIFY(doc->Editor()->isVisible());
        QCOMPARE(doc->Panel(5)->text(), QString("Ln 1,  Col 1"));
        QVERIFY(m->List1()->isEnabled());
        QVERIFY(m->ToolbarButton("Compress")->isEnabled());
    }

    void questionsAndFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("answer");        // 0: no question or message
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("written");   // empty: nothing written, edit mode kept
        QTest::newRow("asp") << "default.asp" << int(MsgAnswer::OK)
                             << "Preview does not support server scripts, so Active Server Pages are previewed as HTML."
                             << "~preview_qrn.shtml";
        QTest::newRow("ASP upper case") << "page.ASP" << 0 << "" << "~preview_qrn.ASP";
        QTest::newRow("css yes") << "main.css" << int(MsgAnswer::Yes)
                                 << "Preview does not support this file format, so *.css files can only be previewed "
                                    "as raw text. Do you wish to proceed?"
                                 << "~preview_qrn.txt";
        QTest::newRow("js no") << "app.js" << int(MsgAnswer::No)
                               << "Preview does not support this file format, so *.js files can only be previewed "
                                  "as raw text. Do you wish to proceed?"
                               << "";
        QTest::newRow("no extension") << "readme" << 0 << "" << "~preview_qrn.html";
    }
    void questionsAndFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(QString, written);
        const QString folder = dir.filePath(QTest::currentDataTag()).replace(' ', '_');
        const QString path = writeFile(QFileInfo(folder).fileName() + "/" + name, "body { color: red }");
        frmMain* m = StartMain();
        frmDocument* doc = open(m, path);
        if (answer)
            prompter->queueMsgBox(answer);
        click(doc, 2);
        QCOMPARE(prompter->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(prompter->asked.last().icon,
                     int(answer == MsgAnswer::OK ? MsgIcon::Information : MsgIcon::Question));
        if (written.isEmpty()) {
            QVERIFY(doc->IsEditMode());
            QCOMPARE(doc->Panel(1)->Bevel(), 1);
            QVERIFY(m->List1()->isEnabled());
            QVERIFY(previewFiles(folder).isEmpty());
        } else {
            QVERIFY(!doc->IsEditMode());
            QCOMPARE(previewFiles(folder), QStringList{written});
            QCOMPARE(readFile(folder + "/" + written), QByteArray("body { color: red }"));
        }
    }

    void untitledAndClose()
    {
        frmMain* m = StartMain();
        frmDocument* doc = m->ActiveDocument();
        doc->Editor()->SetText("<title>Untitled</title>");
        click(doc, 2);
        const QString copy = ToolFiles::ProgramFolder() + "~preview_qrn.html";
        QCOMPARE(readFile(copy), QByteArray("<title>Untitled</title>"));

        // Several extensions in one folder: closing the document removes them all.
        const QString page = writeFile("multi/page.html", "<p>a</p>");
        frmDocument* second = open(m, page);
        click(second, 2);
        prompter->queueMsgBox(MsgAnswer::Yes);
        second->Panel(3)->setText(dir.filePath("multi/style.css"));
        click(second, 2);
        second->Panel(3)->setText(page);
        m->Action("mnuToolsBrowser")->trigger();
        QCOMPARE(previewFiles(dir.filePath("multi")), (QStringList{"~preview_qrn.html", "~preview_qrn.txt"}));
        second->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(previewFiles(dir.filePath("multi")).isEmpty());
        QVERIFY(QFileInfo::exists(page));

        // The main window removes the per-user copies when it closes.
        CloseMain(prompter);
        QVERIFY(!QFileInfo::exists(copy));
    }

    void externalBrowser()
    {
        const QString path = writeFile("ext/main.css", "p { margin: 0 }");
        frmMain* m = StartMain();
        frmDocument* doc = open(m, path);
        doc->Editor()->SetText("p { margin: 1em }");
        doc->Editor()->SetModified(true);
        m->ToolbarButton("External")->trigger();
        const QString copy = dir.filePath("ext/~preview_qrn.css");
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(copy)});
        QCOMPARE(readFile(copy), QByteArray("p { margin: 1em }"));
        QVERIFY(prompter->messages().isEmpty());
        QVERIFY(doc->Editor()->Modified());
        QVERIFY(doc->IsEditMode());
    }

    void plantedLinkIsReplaced()
    {
        // A link named like the copy must not redirect the write to another file.
        const QString victim = writeFile("victim.txt", "keep me");
        const QString path = writeFile("linked/index.html", "<p>page</p>");
        QVERIFY(QFile::link(victim, dir.filePath("linked/~preview_qrn.html")));
        frmMain* m = StartMain();
        open(m, path);
        m->Action("mnuToolsBrowser")->trigger();
        QCOMPARE(readFile(victim), QByteArray("keep me"));
        QCOMPARE(readFile(dir.filePath("linked/~preview_qrn.html")), QByteArray("<p>page</p>"));
        QVERIFY(!QFileInfo(dir.filePath("linked/~preview_qrn.html")).isSymLink());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
