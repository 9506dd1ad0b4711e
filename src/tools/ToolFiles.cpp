#include "tools/ToolFiles.h"

#include "document/CodeMax1.h"
#include "document/FileText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
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
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QCoreApplication::translate("ToolFiles", "Cannot write '%1': %2.").arg(path, reason);
        return false;
    };
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
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
