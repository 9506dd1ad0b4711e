#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "app/KeyboardLocks.h"

// Where the window system matters: CTest runs this program on a private Xvfb with a window manager, at twice the
// usual scale, as a high-density screen would show it (see tests/CMakeLists.txt).
class TestXDisplay : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs Xvfb: run under xvfb-run with QT_QPA_PLATFORM=xcb");
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup() { CloseMain(prompter); }

    // The Caps Lock panel follows the keyboard.
    void lockPanelsFollowKeys()
    {
        auto* caps = Child<QLabel>(StartMain(), "MainPanelCaps");
        QCOMPARE(caps->text(), QString("CAPS"));
        const bool before = ReadKeyboardLocks()->caps;
        QCOMPARE(caps->isEnabled(), before);
        for (bool now : {!before, before}) {
            QProcess::execute("xdotool", {"key", "Caps_Lock"});
            QTRY_COMPARE_WITH_TIMEOUT(caps->isEnabled(), now, 3000);
        }
    }

    // The first window, new ones and a handed-over file lie wholly inside the document area.
    void windowsInsideTheArea()
    {
        QTemporaryDir dir;
        const QString page = WriteTestFile(dir, "placed.html", "<P>");
        frmMain* m = StartMain();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->fctnNewDoc();
        m->OpenCommandLine('"' + page + '"');
        QTest::qWait(100);   // placed again once shown
        const QRect area(QPoint(0, 0), m->MdiArea()->viewport()->size());
        QCOMPARE(m->MdiArea()->subWindowList().size(), 3);
        for (QMdiSubWindow* sub : m->MdiArea()->subWindowList())
            QVERIFY2(area.contains(sub->geometry()),
                     qPrintable(QString("%1 at %2,%3 %4x%5 in %6x%7").arg(sub->windowTitle()).arg(sub->x()).arg(sub->y())
                                    .arg(sub->width()).arg(sub->height()).arg(area.width()).arg(area.height())));
    }
};

QTEST_MAIN(TestXDisplay)
#include "tst_xdisplay.moc"
