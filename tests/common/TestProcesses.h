#pragma once
// Real program processes for the hand-over tests.
#include <QProcess>
#include <QTest>

#include "app/SingleInstance.h"

inline QString QrnBinary()
{
    return qEnvironmentVariable("QRN_BINARY");
}

// Starts the program and waits until it answers on its socket.
inline bool StartFirstInstance(QProcess& p, const QStringList& args = {})
{
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QrnBinary(), args);
    return p.waitForStarted(10000) && QTest::qWaitFor([] { return SingleInstance::OtherInstanceRunning(); }, 20000);
}

inline void StopProcess(QProcess& p)
{
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(10000);
    }
}

// A private X display with a window manager, for tests where the window system
// matters (typing into the real program, focus, placement).
class XSession {
public:
    ~XSession()
    {
        StopProcess(m_wm);
        StopProcess(m_server);
    }
    // False when Xvfb or the window manager is missing.
    bool Start()
    {
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!m_server.waitForStarted(10000) || !QTest::qWaitFor([this] { return m_server.canReadLine(); }, 15000))
            return false;
        m_display = ':' + QString::fromLatin1(m_server.readLine().trimmed());
        m_wm.setProcessEnvironment(Environment());
        m_wm.start("openbox", {});
        if (!m_wm.waitForStarted(10000))
            return false;
        QTest::qWait(500);   // openbox has no window to wait for
        return m_wm.state() == QProcess::Running;
    }
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }
    // Runs xdotool; its exit code (-1 when it could not run or did not finish).
    int Tool(const QStringList& args, QByteArray* output = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.start("xdotool", args);
        if (!p.waitForStarted(5000) || !p.waitForFinished(20000))
            return -1;
        if (output)
            *output = p.readAllStandardOutput();
        return p.exitCode();
    }

private:
    QProcess m_server, m_wm;
    QString m_display;
};
