#pragma once
// Small files for tests, written and read whole.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

// Writes bytes to name inside dir (folders created); returns the path, empty on failure.
inline QString WriteTestFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                             bool executable = false)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    f.close();
    if (executable)
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
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
