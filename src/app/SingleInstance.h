#pragma once
// One running instance per user and settings store. A later start finds it
// through a local socket, hands over through "Config"/"Command" and ends.
#include <QHash>
#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket's path, in a folder only this user can reach; empty when there is none.
    static QString ServerName();
    // True when another instance answers on the socket.
    static bool OtherInstanceRunning();
    // Asks the running instance to come forward, and to open commandLine when
    // one is given; false when none answered.
    static bool ActivateRunningInstance(const QString& commandLine = QString());
    // Starts listening (a stale socket of a crashed instance is replaced).
    bool Listen();

signals:
    // A later start handed over its command line (each one, in the order they came).
    void CommandLineReceived(const QString& commandLine);
    void Activated();

private:
    QLocalServer* m_server = nullptr;
    QHash<QObject*, QByteArray> m_pending;
};
