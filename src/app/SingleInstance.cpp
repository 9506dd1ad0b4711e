// One program per user: later starts hand their file to the running one over a private socket.
#include "app/SingleInstance.h"

#include "base/Settings.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Long enough for a busy instance (opening other handed-over files) to answer.
constexpr int kConnectTimeoutMs = 5000;

// A folder that only this user can reach, so nobody else can put a socket
// where ours belongs; empty when there is none (no instance mode then).
QString privateFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QString();
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return QString();
    return folder;
}

// Only a peer of this same user is listened to.
bool peerIsUs(const QLocalSocket& socket)
{
    struct ucred cred {};
    socklen_t length = sizeof cred;
    const int fd = int(socket.socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) == 0 && cred.uid == ::getuid();
}

bool connectToOurs(QLocalSocket& socket)
{
    const QString name = SingleInstance::ServerName();
    if (name.isEmpty())
        return false;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    if (peerIsUs(socket))
        return true;
    socket.abort();
    return false;
}
} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::ServerName()
{
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return QString();
    // The hand-over goes through the settings store, so instances sharing a
    // store are the ones that must find each other.
    const QByteArray store = SettingsStore::FilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(store, QCryptographicHash::Sha1).toHex().left(12);
    return folder + QStringLiteral("/qrn-%1").arg(QString::fromLatin1(hash));
}

bool SingleInstance::OtherInstanceRunning()
{
    QLocalSocket socket;
    const bool up = connectToOurs(socket);
    socket.abort();
    return up;
}

bool SingleInstance::ActivateRunningInstance(const QString& commandLine)
{
    QLocalSocket socket;
    if (!connectToOurs(socket))
        return false;
    // Every start's own line, since the one settings slot keeps only the last writer's.
    if (!commandLine.isEmpty())
        socket.write("open " + commandLine.toUtf8().toBase64() + '\n');
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
    const QString name = ServerName();
    if (name.isEmpty())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        // Only a socket that no instance of ours answers on may be replaced.
        if (OtherInstanceRunning())
            return false;
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            if (!peerIsUs(*socket)) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // Lines may come in pieces; only whole ones are read.
                QByteArray buffer = m_pending.take(socket) + socket->readAll();
                if (buffer.size() > (1 << 20)) {
                    socket->abort();
                    return;
                }
                QStringList commands;
                bool activate = false;
                qsizetype end;
                while ((end = buffer.indexOf('\n')) >= 0) {
                    const QByteArray line = buffer.left(end);
                    buffer.remove(0, end + 1);
                    if (line.startsWith("open "))
                        commands << QString::fromUtf8(QByteArray::fromBase64(line.mid(5)));
                    else if (line == "activate")
                        activate = true;
                }
                if (!buffer.isEmpty())
                    m_pending.insert(socket, buffer);
                // The answer first: opening a file may ask something, and the
                // other start must not wait for that.
                if (activate) {
                    socket->write("ok\n");
                    socket->flush();
                }
                QMetaObject::invokeMethod(this, [this, commands, activate] {
                    for (const QString& command : commands)
                        emit CommandLineReceived(command);
                    if (activate)
                        emit Activated();
                }, Qt::QueuedConnection);
            });
            connect(socket, &QObject::destroyed, this, [this, socket] { m_pending.remove(socket); });
        }
    });
    return true;
}

