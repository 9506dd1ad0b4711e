// Reading a document's file into the edit control's UTF-8 and saving the control's text over it, as the file was.
#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

#include "document/FileText.h"

class CodeMax1;

namespace DocumentFile {
// A file read and decoded for the control, or the reason it could not be.
struct Loaded {
    bool ok = false;
    QByteArray utf8;
    FileFormat format;
    QString error;   // a sentence for the user
};
// betweenPieces as for DiskFile::Read; when it returns false the load is cancelled.
Loaded Load(const QString& path, const std::function<bool()>& betweenPieces = {});

// Writes the control's text in its format where a symbolic link points, through a
// temporary file and rename; keeps permissions and, where it may, the owner.
// A read-only file, a folder, a device or a pipe is refused. On failure *error
// gets a sentence naming the reason and the file is left as it was.
bool Save(const CodeMax1& editor, const QString& path, QString* error);
}
