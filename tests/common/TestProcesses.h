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
