// Where tools keep their files, and the copies they write for other programs.
#include "tools/ToolFiles.h"

#include "document/DiskFile.h"

#include "document/CodeMax1.h"
#include "document/FileText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ToolFiles {
QString ProgramFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

bool WriteCopy(const QString& path, const QByteArray& bytes, QString* error)
{
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    return DiskFile::WriteAtomically(path, bytes, error);
}

bool WriteEditorCopy(CodeMax1* editor, const QString& path, QString* error)
{
    return WriteCopy(path, FileText::Encode(editor->Text(), editor->Format()), error);
}

void RemoveMatching(const QString& folder, const QString& pattern)
{
    QDir dir(folder);
    for (const QString& f : dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(f);
}
} // namespace ToolFiles
