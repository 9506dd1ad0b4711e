#pragma once
// Small files for tests, written and read whole.
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
