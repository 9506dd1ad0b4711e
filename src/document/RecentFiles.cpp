// The four recent files and their order.
#include "document/RecentFiles.h"

#include "base/Settings.h"

QString RecentFiles::FileName(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString RecentFiles::Caption(int i) const
{
    if (!Visible(i))
        return QStringLiteral("&") + QString::number(i);
    return QStringLiteral("&") + QString::number(i) + QLatin1Char(' ') + FileName(Path(i));
}

void RecentFiles::Add(const QString& path)
{
    int found = 0;
    for (int i = 1; i <= Count; ++i) {
        if (Path(i) == path) {
            found = i;
            break;
        }
    }
    if (found) {
        for (int j = found; j >= 2; --j)
            SetPath(j, Path(j - 1));
    } else {
        for (int j = Count; j >= 2; --j)
            if (!Path(j - 1).isEmpty())
                SetPath(j, Path(j - 1));
    }
    SetPath(1, path);
}

void RecentFiles::Remove(int k)
{
    for (int j = k; j <= Count; ++j) {
        SetPath(j, j < Count ? Path(j + 1) : QString());
        Persist(j);
    }
}

void RecentFiles::Persist(int i) const
{
    SaveSetting(Key::Recent(i), Path(i));
}

void RecentFiles::PersistAll() const
{
    for (int i = 1; i <= Count; ++i)
        Persist(i);
}
