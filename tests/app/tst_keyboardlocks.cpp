#include <QLabel>
#include <QProcess>
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

    static QLabel* panel(frmMain* m, const char* name) { return m->findChild<QLabel*>(QLatin1String(name)); }
    static void key(const char* name) { QProcess::execute("xdotool", {"key", QLatin1String(name)}); }

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup() { CloseMain(prompter); }

    // Caps, Num and Scroll Lock follow the keyboard; INS/OVR follows Insert at once.
    void indicatorsFollowKeys()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs Xvfb");
        frmMain* m = StartMain();
        QLabel* caps = panel(m, "MainPanelCaps");
        QVERIFY(caps && panel(m, "MainPanelNum") && panel(m, "MainPanelScroll"));
        QCOMPARE(caps->text(), QString("CAPS"));
        const bool before = ReadKeyboardLocks()->caps;
        QCOMPARE(caps->isEnabled(), before);
        key("Caps_Lock");
        QTRY_COMPARE_WITH_TIMEOUT(caps->isEnabled(), !before, 3000);
        key("Caps_Lock");
        QTRY_COMPARE_WITH_TIMEOUT(caps->isEnabled(), before, 3000);

        QLabel* ins = panel(m, "MainPanelIns");
        CodeMax1* e = m->ActiveDocument()->Editor();
        QCOMPARE(ins->text(), QString("INS"));
        QTest::keyClick(e, Qt::Key_Insert);
        QTRY_COMPARE_WITH_TIMEOUT(ins->text(), QString("OVR"), 1000);
        QTest::keyClick(e, Qt::Key_Insert);
        QTRY_COMPARE_WITH_TIMEOUT(ins->text(), QString("INS"), 1000);
    }
};

namespace {
pid_t g_server = 0;

// A free display number with its server started, or 0.
int startXvfb()
{
    for (int n = 140; n < 200; ++n) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        const QByteArray display = ':' + QByteArray::number(n);
        const pid_t child = ::fork();
        if (child == 0) {
            ::execlp("Xvfb", "Xvfb", display.constData(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 100; ++i) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                g_server = child;
                return n;
            }
            if (::waitpid(child, nullptr, WNOHANG) == child)
                break;
            ::usleep(50000);
        }
        ::kill(child, SIGKILL);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (const int n = startXvfb()) {
        qputenv("DISPLAY", ':' + QByteArray::number(n));
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    int rc = 0;
    {
        QApplication app(argc, argv);
        TestKeyboardLocks test;
        rc = QTest::qExec(&test, argc, argv);
    }
    if (g_server) {
        ::kill(g_server, SIGTERM);
        ::waitpid(g_server, nullptr, 0);
    }
    return rc;
}

#include "tst_keyboardlocks.moc"
