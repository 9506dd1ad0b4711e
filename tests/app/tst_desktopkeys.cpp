// What users of other Linux editors expect: zoom for every document at once, Ctrl+Q, Ctrl+Shift+Z,
// no typing from Ctrl and Alt combinations bound to nothing, Qt's own options, tabs, several files
// on one command line, sessions, a dark desktop.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QMdiArea>
#include <QProcess>
#include <QScopeGuard>
#include <QTabBar>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "TestProcesses.h"
#include "app/Main.h"
#include "document/CodeMax1.h"
#include "document/ColourScheme.h"

class TestDesktopKeys : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    static QList<long> zooms()
    {
        QList<long> z;
        for (frmDocument* d : MainWindow()->Documents())
            z << d->Editor()->SendScintilla(QsciScintillaBase::SCI_GETZOOM);
        return z;
    }

    static QStringList paths()
    {
        QStringList p;
        for (frmDocument* d : MainWindow()->Documents())
            p << d->PathPanel();
        return p;
    }

private slots:
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | "))); }

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

    // Window > Tabbed documents: closable, movable tabs showing the caption and its "*", no arranging,
    // remembered; back in windows, the tabs have not made the next window maximised.
    void tabbedDocuments()
    {
        frmMain* m = StartMain();
        auto* area = m->findChild<QMdiArea*>("MDIClient");
        QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);   // a fresh profile keeps windows
        m->Action("mnuWindowTabbed")->trigger();
        QCOMPARE(area->viewMode(), QMdiArea::TabbedView);
        QVERIFY(area->tabsClosable() && area->tabsMovable());
        QVERIFY(!m->Action("mnuWindowCascade")->isEnabled() && !m->Action("mnuWindowTileV")->isEnabled());
        m->fctnNewDoc();
        QTest::keyClicks(m->ActiveDocument()->Editor(), "x");
        auto* tabs = area->findChild<QTabBar*>();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), m->ActiveDocument()->Caption());
        QVERIFY(tabs->tabText(1).endsWith('*'));
        CloseMain(prompter);
        QCOMPARE(GetSetting("Config", "Tabbed"), QString("True"));
        m = StartMain();
        area = m->findChild<QMdiArea*>("MDIClient");
        QVERIFY(m->Action("mnuWindowTabbed")->isChecked() && area->viewMode() == QMdiArea::TabbedView);
        m->Action("mnuWindowTabbed")->trigger();
        QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);
        QVERIFY(m->Action("mnuWindowCascade")->isEnabled());
        QVERIFY(!m->ActiveDocument()->SubWindow()->isMaximized());
        QCOMPARE(GetSetting("Config", "DocState", "0"), QString("0"));
    }

    // View > Fold margin and Word wrap: off in a fresh profile, for every document, remembered.
    void foldAndWrap()
    {
        frmMain* m = StartMain();
        auto state = [&m] {
            QList<bool> s;
            for (frmDocument* d : m->Documents())
                s << d->Editor()->FoldMargin() << d->Editor()->WordWrap();
            return s;
        };
        QCOMPARE(state(), (QList<bool>{false, false}));
        m->Action("mnuViewFold")->trigger();
        m->Action("mnuViewWrap")->trigger();
        m->fctnNewDoc();
        QCOMPARE(state(), (QList<bool>{true, true, true, true}));
        CloseMain(prompter);
        m = StartMain();
        QCOMPARE(state(), (QList<bool>{true, true}));
        m->Action("mnuViewWrap")->trigger();
        QCOMPARE(state(), (QList<bool>{true, false}));
    }

    // The status bar names the encoding and line breaks; Edit > Line Endings converts, and the
    // file is saved with what was chosen.
    void lineEndings()
    {
        const QString path = WriteTestFile(dir, "dos.html", "<P>\r\n\xc3\xa9\r\n");
        frmMain* m = StartMain(CommandLineFromArguments({"qrn", path}));
        auto* panel = m->ActiveDocument()->findChild<QLabel*>("FormatPanel");
        QCOMPARE(panel->text(), QString("UTF-8  CR LF"));
        m->Action("mnuEditEolLF")->trigger();
        QCOMPARE(panel->text(), QString("UTF-8  LF"));
        QVERIFY(m->ActiveDocument()->Caption().endsWith('*'));
        QVERIFY(m->Action("mnuFileSave")->isEnabled());
        m->Action("mnuFileSave")->trigger();
        QCOMPARE(ReadTestFile(path), QByteArray("<P>\n\xc3\xa9\n"));
    }

    // Several files on one command line, also handed over from a second start: each in its own
    // document, the last one active; a name that is missing is reported and the others open.
    void severalFiles()
    {
        const QString a = WriteTestFile(dir, "a.html", "<P>"), b = WriteTestFile(dir, "say \"b\".css", "<P>");
        const QString gone = dir.filePath("gone.html");
        // One file keeps the form a running instance of an older version reads.
        QVERIFY(CommandLineFromArguments({"qrn"}).isEmpty() && CommandLineFromArguments({"qrn", ""}).isEmpty());
        QCOMPARE(CommandLineFromArguments({"qrn", "/a b/c.html"}), QStringLiteral("\"/a b/c.html\""));
        QCOMPARE(CommandLineFiles(CommandLineFromArguments({"qrn", a, "", b})), (QStringList{a, b}));
        prompter->queueMsgBox(MsgAnswer::OK);
        frmMain* m = StartMain(CommandLineFromArguments({"qrn", a, gone, b}));
        QVERIFY(prompter->messages().join(" ").contains(gone));
        QCOMPARE(paths(), (QStringList{a, b}));
        QCOMPARE(m->ActiveDocument()->PathPanel(), b);
        QProcess second;
        second.start(QrnBinary(), {b, a});
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 60000);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(paths(), (QStringList{a, b, b, a}));
    }

    // With the option on, Exit remembers the files, their order, the active one and each caret;
    // the next start restores them and passes over one that has gone, without a question.
    void sessions()
    {
        QStringList files;
        for (const char* name : {"one.html", "two.html", "three.html"})
            files << WriteTestFile(dir, name, "line 1\nline 2\nline 3\n");
        SaveSetting("Config", "Session", "True");
        frmMain* m = StartMain(CommandLineFromArguments({"qrn", files[0], files[1], files[2]}));
        m->fctnNewDoc();   // untitled: not part of the session
        QList<frmDocument*> docs = m->Documents();
        docs.at(0)->Editor()->setCursorPosition(2, 4);
        docs.at(2)->Editor()->setCursorPosition(1, 3);
        docs.at(0)->SubWindow()->showNormal();
        m->findChild<QMdiArea*>("MDIClient")->setActiveSubWindow(docs.at(0)->SubWindow());
        CloseMain(prompter);
        QVERIFY(QFile::remove(files[1]));
        m = StartMain();
        QCOMPARE(paths(), (QStringList{files[0], files[2]}));
        QCOMPARE(m->ActiveDocument()->PathPanel(), files[0]);
        int line = 0, index = 0;
        m->Documents().at(0)->Editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(line, index), QPoint(2, 4));
        m->Documents().at(1)->Editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(line, index), QPoint(1, 3));
        CloseMain(prompter);
        SaveSetting("Config", "Session", "False");   // off: a start as always
        m = StartMain();
        QCOMPARE(m->Documents().size(), 1);
        QVERIFY(!m->ActiveDocument()->HasFile());
    }

    // A dark desktop: the document area, the icons' outlines, the About links and the default scheme
    // follow it, also when it turns dark while the program runs; a scheme the user chose is kept.
    void darkDesktop()
    {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (auto [role, colour] : {std::pair{QPalette::Window, 0x2b2b2b}, {QPalette::WindowText, 0xe0e0e0},
                                    {QPalette::Base, 0x1e1e1e}, {QPalette::Text, 0xe0e0e0},
                                    {QPalette::Button, 0x353535}, {QPalette::ButtonText, 0xe0e0e0}})
            dark.setColor(role, QColor::fromRgb(colour));
        auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        auto outlinePixels = [](frmMain* m) {
            const QImage image = m->ToolbarButton("Save")->icon().pixmap(24).toImage();
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += qAlpha(image.pixel(x, y)) > 200 && qAbs(qRed(image.pixel(x, y)) - 0x37) < 12 &&
                         qAbs(qBlue(image.pixel(x, y)) - 0x4f) < 12;
            return n;
        };
        auto paper = [](frmMain* m) {
            return ColourScheme::ToColor(int(m->ActiveDocument()->Editor()->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, 0)));
        };
        frmMain* m = StartMain();
        auto* area = m->findChild<QMdiArea*>("MDIClient");
        QVERIFY(outlinePixels(m) > 0 && paper(m) == Qt::white);
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
        QCOMPARE(outlinePixels(m), 0);
        QVERIFY(paper(m).lightness() < 60 && area->background().color().lightness() < 60);
        QString link;
        prompter->queueDialog([&link](QDialog* about) {
            link = about->findChild<QLabel*>("Label10")->styleSheet();
            return QDialog::Rejected;
        });
        m->Action("mnuHelpAbout")->trigger();
        QVERIFY2(link.startsWith("color: #") && !link.contains("#0000ff"), qPrintable(link));
        CloseMain(prompter);
        SaveSetting("Syntax", "PlainBG", "12632256");   // the user's own light grey
        m = StartMain();
        QCOMPARE(paper(m), QColor(0xc0, 0xc0, 0xc0));
    }

    // Every button, panel that takes clicks and list of the main and document windows has a name a
    // screen reader can say.
    void accessibleNames()
    {
        frmMain* m = StartMain();
        QStringList nameless;
        for (QWidget* w : m->findChildren<QWidget*>()) {
            const bool clickable = w->cursor().shape() == Qt::PointingHandCursor;
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QAbstractItemView*>(w) && !clickable)
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (w->isVisibleTo(m) && (!a || a->text(QAccessible::Name).trimmed().isEmpty()))
                nameless << w->metaObject()->className() + QString(' ') + w->objectName();
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(", ")));
    }

    // Each dialog can be worked from the keyboard: Tab from its first focus goes round every
    // control and reaches its buttons.
    void keyboardWalk_data()
    {
        QTest::addColumn<QString>("command");   // an action, or "power N/caption" for an insertion entry
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("options") << "mnuToolsOptions" << QStringList{"OK", "Cancel", "Apply"};
        QTest::newRow("about") << "mnuHelpAbout" << QStringList{"OK"};
        QTest::newRow("find") << "mnuEditFind" << QStringList{"Find Next", "Close"};
        QTest::newRow("replace") << "mnuEditReplace" << QStringList{"Replace", "Replace All", "Close"};
        QTest::newRow("tidy") << "mnuToolsTidy" << QStringList{"Tidy document", "Close window"};
        QTest::newRow("properties") << "mnuFileProperties" << QStringList{"Close"};
        QTest::newRow("new page") << "power 1/Page wizard" << QStringList{"OK", "Cancel"};
        QTest::newRow("anchor") << "power 1/Anchor" << QStringList{"OK", "Cancel"};
        QTest::newRow("pop-up") << "power 8/Pop-up window script" << QStringList{"OK", "Cancel"};
    }
    void keyboardWalk()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, buttons);
        frmMain* m = StartMain(CommandLineFromArguments({"qrn", WriteTestFile(dir, "page.html", "<P>text</P>\n")}));
        QStringList reached;
        QString stuck;
        prompter->queueDialog([&](QDialog* d) {
            d->show();
            QApplication::setActiveWindow(d);
            if (!QTest::qWaitForWindowActive(d))
                return stuck = "not active", QDialog::Rejected;
            QWidget* first = QApplication::focusWidget();
            for (int i = 0; i < 100; ++i) {
                QWidget* w = QApplication::focusWidget();
                if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                    if (qobject_cast<QCheckBox*>(w) && reached.isEmpty())
                        QTest::keyClick(w, Qt::Key_Space);   // a change, so that OK and Apply take part
                    reached << b->text().remove('&');
                }
                QTest::keyClick(w, Qt::Key_Tab);
                if (QApplication::focusWidget() == w)   // a text that takes Tab is left with Ctrl+Tab
                    QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
                if (QApplication::focusWidget() == w && w == first)
                    break;   // a dialog with a single stop
                if (QApplication::focusWidget() == w)
                    return stuck = w->metaObject()->className() + QString(' ') + w->objectName(), QDialog::Rejected;
                if (QApplication::focusWidget() == first)
                    break;
            }
            return QDialog::Rejected;
        });
        if (command.startsWith("power ")) {
            const QStringList parts = command.mid(6).split('/');
            QMenu* menu = m->PowerbarButton(parts[0].toInt())->menu();
            emit menu->aboutToShow();
            for (QAction* a : menu->actions())
                if (a->text().remove('&') == parts[1])
                    a->trigger();
        } else {
            m->Action(command)->trigger();
        }
        QCOMPARE(prompter->pendingAnswers(), 0);
        QCOMPARE(stuck, QString());
        for (const QString& b : buttons)
            QVERIFY2(reached.contains(b), qPrintable(reached.join(", ")));
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
