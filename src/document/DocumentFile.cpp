// Reading and saving a document's file for the edit control, on top of DiskFile and FileText.
#include "document/DocumentFile.h"

#include "document/CodeMax1.h"
#include "document/DiskFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace DocumentFile {

Loaded Load(const QString& path, const std::function<bool()>& betweenPieces)
{
    Loaded loaded;
    DiskFile::ReadResult read = DiskFile::Read(path, betweenPieces);
    if (!read.ok) {
        loaded.error = read.cancelled ? CodeMax1::tr("Loading was cancelled.")
                                      : CodeMax1::tr("Cannot open '%1': %2.").arg(path, read.error);
        return loaded;
    }
    loaded.utf8 = FileText::DecodeToUtf8(read.bytes, &loaded.format);
    loaded.ok = true;
    return loaded;
}

bool Save(const CodeMax1& editor, const QString& path, QString* error)
{
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    // Write where a symbolic link points, so the link stays a link.
    QString target = QFileInfo(path).absoluteFilePath();
    for (int depth = 0; depth < 40 && QFileInfo(target).isSymLink(); ++depth)
        target = QFileInfo(target).symLinkTarget();

    const QFileInfo info(target);
    if (info.isDir())
        return fail(CodeMax1::tr("'%1' is a folder.").arg(path));
    const bool existed = info.exists();
    // A device or a pipe would be replaced by a regular file.
    if (const QString why = DiskFile::NotWritableReason(target); !why.isEmpty())
        return fail(CodeMax1::tr("Cannot save '%1': %2.").arg(path, why));
    const QFileDevice::Permissions permissions = info.permissions();
    // Renaming over a read-only file would succeed; a user marking a file
    // read-only expects it to stay as it is.
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existed && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return fail(CodeMax1::tr("Cannot save '%1': %2.").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (existed && !(permissions & anyWrite))
        return fail(CodeMax1::tr("Cannot save '%1': %2.").arg(path, CodeMax1::tr("Permission denied")));

    const QByteArray bytes = FileText::EncodeFromUtf8(editor.Utf8Text(), editor.Format());
    QString reason;
    if (!DiskFile::WriteAtomically(target, bytes, &reason))
        return fail(CodeMax1::tr("Cannot save '%1': %2.").arg(path, reason));
    if (existed) {
        QFile::setPermissions(target, permissions);
        // Best effort: keep the owner when an administrator saves someone's file.
        const QFileInfo written(target);
        if (written.ownerId() != info.ownerId() || written.groupId() != info.groupId()) {
            const QByteArray native = QFile::encodeName(target);
            [[maybe_unused]] const int rc = ::chown(native.constData(), info.ownerId(), info.groupId());
        }
    }
    return true;
}

} // namespace DocumentFile
