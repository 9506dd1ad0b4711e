#include <QLabel>
#include <QtTest>

#include "TestEnv.h"
#include "app/KeyboardLocks.h"
#include "document/CodeMax1.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The lock-key panels need a real X server: this program runs on a private Xvfb.
class TestKeyboardLocks : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void cleanup() { CloseMain(prompter); }

    // Caps Lock (with Num and Scroll beside it) follows the keyboard; INS/OVR follows Insert at once.
    void indicatorsFollowKeys()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs Xvfb");
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
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
        for (const char* mode : {"INS", "OVR", "INS"}) {
            QTRY_COMPARE_WITH_TIMEOUT(panel("MainPanelIns")->text(), QString(mode), 1000);
            QTest::keyClick(m->ActiveDocument()->Editor(), Qt::Key_Insert);
        }
    }
};

// Starts Xvfb on a free display and points the program at it; the server's process, or 0.
static pid_t startXvfb()
{
    int fds[2];
    if (::pipe(fds) != 0)
        return 0;
    const pid_t server = ::fork();
    if (server == 0) {
        ::execlp("Xvfb", "Xvfb", "-displayfd", QByteArray::number(fds[1]).constData(), "-screen", "0", "1024x768x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char number[16] = {};
    if (server > 0 && ::read(fds[0], number, sizeof number - 1) > 0) {   // written once it takes clients
        qputenv("DISPLAY", ':' + QByteArray(number).trimmed());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    ::close(fds[0]);
    return server > 0 ? server : 0;
}

int main(int argc, char** argv)
{
    const pid_t server = startXvfb();
    const int rc = [&] { QApplication app(argc, argv); TestKeyboardLocks t; return QTest::qExec(&t, argc, argv); }();
    if (server > 0) {
        ::kill(server, SIGTERM);
        ::waitpid(server, nullptr, 0);
    }
    return rc;
}

#include "tst_keyboardlocks.moc"
