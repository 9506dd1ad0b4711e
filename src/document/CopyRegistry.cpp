// Which preview copies this program made, so that only ours are ever removed.
#include "document/CopyRegistry.h"

#include "document/DiskFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <unistd.h>

namespace CopyRegistry {
namespace {
QHash<QString, QSet<const QObject*>>& owners()
{
    static QHash<QString, QSet<const QObject*>> table;
    return table;
}

QString ownList()
{
    return ListFolder() + QLatin1Char('/') + DiskFile::ProcessKey(::getpid()) + QStringLiteral(".list");
}

void writeList()
{
    const QString list = ownList();
    if (owners().isEmpty()) {
        QFile::remove(list);
        return;
    }
    QDir().mkpath(ListFolder());
    QSaveFile file(list);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (auto it = owners().constBegin(); it != owners().constEnd(); ++it)
        file.write(QFile::encodeName(it.key()) + '\n');
    file.commit();
}

bool isCopyName(const QString& path)
{
    return QFileInfo(path).fileName().startsWith(QLatin1String("~preview_qrn."));
}
} // namespace

QString ListFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qrn/copies");
}

void Add(const QObject* owner, const QString& path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    QSet<const QObject*>& set = owners()[key];
    if (set.contains(owner))
        return;
    set.insert(owner);
    writeList();
}

void Release(const QObject* owner)
{
    bool changed = false;
    for (auto it = owners().begin(); it != owners().end();) {
        if (it->remove(owner) && it->isEmpty()) {
            QFile::remove(it.key());
            it = owners().erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (changed)
        writeList();
}

void ClearLeftovers()
{
    QDir folder(ListFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.list")}, QDir::Files)) {
        if (DiskFile::KeyRuns(name.chopped(5)))
            continue;
        QFile list(folder.filePath(name));
        if (list.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : list.readAll().split('\n')) {
                const QString path = QFile::decodeName(line);
                if (!line.isEmpty() && isCopyName(path) && !owners().contains(path))
                    QFile::remove(path);
            }
        }
        list.close();
        folder.remove(name);
    }
}
} // namespace CopyRegistry
