// Where the desktop matters. CTest runs this program in a German locale (Qt's libraries read it from the
// environment as they load), on a private Xvfb with a window manager, at twice the usual scale, as a high-density
// screen would show it (tests/CMakeLists.txt). The menus, the questions, our dialogs and Qt's own dialog buttons
// read German, and untitled documents go by their German name.
#include <QDialogButtonBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "app/KeyboardLocks.h"
#include "base/Translations.h"
#include "document/CodeMax1.h"

class TestDesktop : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;   // kept while the documents on its files close

private slots:
    // What main() does after making the application.
    void initTestCase()
    {
        if (!QLocale().name().startsWith("de"))
            QSKIP("needs LANG, LC_ALL and LANGUAGE set to German");
        QCOMPARE(InstallTranslations(), QStringLiteral("de"));
    }
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | "))); }

    void menusAndQuestions()
    {
        frmMain* m = StartMain();
        QCOMPARE(m->Menu("mnuFile")->title(), QStringLiteral("&Datei"));
        QCOMPARE(m->Action("mnuFileSaveAs")->text(), QStringLiteral("Speichern &unter..."));
        frmDocument* doc = m->ActiveDocument();
        QCOMPARE(doc->Caption(), QStringLiteral("Dokument 1"));

        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuToolsSpellCheck")->trigger();   // nothing to check in an empty page
        QTest::keyClicks(doc->Editor(), "x");
        prompter->queueMsgBox(MsgAnswer::No);
        m->Action("mnuFileClose")->trigger();
        QCOMPARE(prompter->messages(), (QStringList{QStringLiteral("Es gibt keinen Text zu prüfen."),
                                                    QStringLiteral("Änderungen an „Dokument 1“ speichern?")}));
    }

    // Our own dialogs, and Qt's standard buttons from Qt's translation.
    void filesAndDialogs()
    {
        const QString path = WriteTestFile(dir, "seite.html", "<P>Hallo</P>");
        frmMain* m = StartMain();
        // Opening a file replaces the untouched "Dokument 1".
        prompter->queueFile({true, {path}, 0});
        m->Action("mnuFileOpen")->trigger();
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("seite.html"));

        QStringList shown;
        prompter->queueDialog([&](QDialog* d) {
            shown << d->windowTitle() << d->findChild<QPushButton*>("cmdCancel")->text();
            return int(QDialog::Rejected);
        });
        m->Action("mnuToolsOptions")->trigger();
        prompter->queueDialog([&](QDialog* d) {
            shown << d->windowTitle()
                  << d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->text();
            return int(QDialog::Rejected);
        });
        m->Action("mnuFileProperties")->trigger();
        QCOMPARE(shown, (QStringList{"Einstellungen", "Abbrechen", "Eigenschaften von seite.html", "Schließen"}));
    }

    // On a real display: the Caps Lock panel follows the keyboard; the first window, new ones and a handed-over file
    // lie wholly inside the document area.
    void onTheXDisplay()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs Xvfb: run under xvfb-run with QT_QPA_PLATFORM=xcb");
        frmMain* m = StartMain();
        auto* caps = Child<QLabel>(m, "MainPanelCaps");
        QCOMPARE(caps->text(), QString("CAPS"));
        const bool before = ReadKeyboardLocks()->caps;
        QCOMPARE(caps->isEnabled(), before);
        for (bool now : {!before, before}) {
            QProcess::execute("xdotool", {"key", "Caps_Lock"});
            QTRY_COMPARE_WITH_TIMEOUT(caps->isEnabled(), now, 3000);
        }
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->fctnNewDoc();
        m->OpenCommandLine('"' + WriteTestFile(dir, "placed.html", "<P>") + '"');
        QTest::qWait(100);   // placed again once shown
        const QRect area(QPoint(0, 0), m->MdiArea()->viewport()->size());
        QCOMPARE(m->MdiArea()->subWindowList().size(), 3);
        for (QMdiSubWindow* sub : m->MdiArea()->subWindowList())
            QVERIFY2(area.contains(sub->geometry()),
                     qPrintable(QString("%1 at %2,%3 %4x%5 in %6x%7").arg(sub->windowTitle()).arg(sub->x()).arg(sub->y())
                                    .arg(sub->width()).arg(sub->height()).arg(area.width()).arg(area.height())));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
