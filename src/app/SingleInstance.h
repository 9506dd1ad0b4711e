#pragma once
// One running instance per user and settings store. A later start finds it
// through a local socket, hands over through "Config"/"Command" and ends.
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
    // Asks the running instance to come forward; false when none answered.
    static bool ActivateRunningInstance();
    // Starts listening (a stale socket of a crashed instance is replaced).
    bool Listen();

signals:
    void Activated();

private:
    QLocalServer* m_server = nullptr;
};
