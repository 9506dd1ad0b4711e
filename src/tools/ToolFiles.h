#pragma once
// Files the tools write for outside programs: preview copies and Tidy input.
#include <QByteArray>
#include <QString>

class CodeMax1;

namespace ToolFiles {
// The per-user folder for the program's own temporary files, created on
// demand; ends with "/".
QString ProgramFolder();
// Writes bytes to path through a temporary file and rename; error gets the
// cause alone. An existing symbolic link at path is replaced, never followed,
// so a planted link cannot redirect the write.
bool WriteCopy(const QString& path, const QByteArray& bytes, QString* error);
// The editor's whole text as its file would be saved (same encoding and
// line breaks), without touching its modified state.
bool WriteEditorCopy(CodeMax1* editor, const QString& path, QString* error);
// Deletes the files matching pattern in folder; errors are ignored.
void RemoveMatching(const QString& folder, const QString& pattern);
}
