#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "app/KeyboardLocks.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// Where the window system matters: this program runs on a private Xvfb with a window
// manager, at twice the usual scale, as a high-density screen would show it.
class TestXDisplay : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs Xvfb");
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup() { CloseMain(prompter); }

    // The Caps Lock panel (with Num and Scroll beside it) follows the keyboard.
    void lockPanelsFollowKeys()
    {
        frmMain* m = StartMain();
        auto panel = [m](const char* name) { return m->findChild<QLabel*>(QLatin1String(name)); };
        QLabel* caps = panel("MainPanelCaps");
        QVERIFY(caps && panel("MainPanelNum") && panel("MainPanelScroll"));
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

namespace {
pid_t g_server = 0, g_manager = 0;

// Starts Xvfb on a free display, and openbox on it when installed, and points the program there.
void startDisplay()
{
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    g_server = ::fork();
    if (g_server == 0) {
        ::execlp("Xvfb", "Xvfb", "-displayfd", QByteArray::number(fds[1]).constData(), "-screen", "0", "1024x768x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char number[16] = {};
    if (g_server > 0 && ::read(fds[0], number, sizeof number - 1) > 0) {   // written once it takes clients
        qputenv("DISPLAY", ':' + QByteArray(number).trimmed());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_SCALE_FACTOR", "2");
        g_manager = ::fork();
        if (g_manager == 0) {
            ::execlp("openbox", "openbox", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::usleep(300000);   // openbox has no window to wait for
    }
    ::close(fds[0]);
}

void stop(pid_t child)
{
    if (child > 0) {
        ::kill(child, SIGTERM);
        ::waitpid(child, nullptr, 0);
    }
}
} // namespace

int main(int argc, char** argv)
{
    startDisplay();
    const int rc = [&] { QApplication app(argc, argv); TestXDisplay t; return QTest::qExec(&t, argc, argv); }();
    stop(g_manager);
    stop(g_server);
    return rc;
}

#include "tst_xdisplay.moc"
