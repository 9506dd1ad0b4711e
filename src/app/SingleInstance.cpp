#include "app/SingleInstance.h"

#include "app/Settings.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
constexpr int kConnectTimeoutMs = 1500;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::ServerName()
{
    // The hand-over goes through the settings store, so instances sharing a
    // store are the ones that must find each other.
    const QByteArray store = SettingsStore::FilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(store, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("qrn-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::OtherInstanceRunning()
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    bool up = socket.waitForConnected(kConnectTimeoutMs);
    socket.abort();
    return up;
}

bool SingleInstance::ActivateRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write("activate\n");
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return false;
    // Only an acknowledged request counts: an instance dying now leaves this start to carry on.
    if (!socket.waitForReadyRead(kConnectTimeoutMs) || !socket.readAll().startsWith("ok"))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen()
{
    if (m_server)
        return m_server->isListening();
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(ServerName())) {
        // Only a socket nobody answers on may be replaced.
        if (OtherInstanceRunning())
            return false;
        QLocalServer::removeServer(ServerName());
        if (!m_server->listen(ServerName()))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray data = socket->readAll();
                if (data.contains("activate")) {
                    socket->write("ok\n");
                    socket->flush();
                    emit Activated();
                }
            });
        }
    });
    return true;
}

