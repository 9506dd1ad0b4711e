#pragma once
// Small files for tests, written and read whole.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

// Writes bytes to path (folders created); false on failure.
inline bool WriteFileAt(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    return !executable || f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Writes bytes to name inside dir; returns the path, empty on failure.
inline QString WriteTestFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                             bool executable = false)
{
    return WriteFileAt(dir.filePath(name), bytes, executable) ? dir.filePath(name) : QString();
}

inline QByteArray ReadTestFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A small tmpfs on a temporary folder, for full and read-only disks (mounting needs root); it goes with the object.
struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = false;
    bool Mount(const QString& size)
    {
        return mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", dir.path()}) == 0;
    }
    void MakeReadOnly() { QProcess::execute("mount", {"-o", "remount,ro", dir.path()}); }
    ~SmallDisk()
    {
        if (mounted)   // lazily: the working folder may still be on it
            QProcess::execute("umount", {"-l", dir.path()});
    }
};
