// Reading a document's file into the edit control's UTF-8 and saving the control's text over it, as the file was.
#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

#include "document/DiskFile.h"
#include "document/FileText.h"

class CodeMax1;

namespace DocumentFile {
// A file read and decoded for the control, or the reason it could not be.
struct Loaded {
    bool ok = false;
    QByteArray utf8;
    bool streamed = false;   // the text went to the sink as it was read; utf8 is empty
    FileFormat format;
    QString error;   // a sentence for the user
};
// betweenPieces as for DiskFile::Read; when it returns false the load is cancelled.
// With a sink, a large file's pieces go to it as DiskFile::Read says.
Loaded Load(const QString& path, const std::function<bool()>& betweenPieces = {}, const DiskFile::PieceSink& sink = {});
// The file read whole in the encoding the user chose, with no guessing (FileText::DecodeAs).
Loaded LoadAs(const QString& path, TextEncoding encoding);
// The file read again for a document in this encoding: one the user chose (IsChosenOnly)
// stays unless the file now starts with a BOM; others are guessed anew.
Loaded LoadAgain(const QString& path, TextEncoding current);

// Takes a large file into the control while it is read, when it is UTF-8 (the usual
// case), so that the file is never held in memory beside the control's copy. A file
// that turns out not to be UTF-8 is declined (take returns false, or finish does), and
// what went into the control is taken out again.
class Utf8Stream {
public:
    Utf8Stream(CodeMax1& editor, qint64 size) : m_editor(editor), m_size(size) {}
    bool take(const char* data, qsizetype size);
    // After the last piece: true with the file's format, or false (the file ended inside a character).
    bool finish(FileFormat* format);
    // Takes out what went in: the read failed, was cancelled or was declined.
    void abandon();

private:
    bool decline();
    void append(const char* data, qsizetype size);

    CodeMax1& m_editor;
    qint64 m_size;
    bool m_first = true, m_started = false, m_declined = false, m_breakFound = false, m_pendingCr = false;
    QByteArray m_carry;   // the start of a character the next piece completes
    FileFormat m_format;
};

// Writes the control's text in its format where a symbolic link points, through a
// temporary file and rename; keeps permissions and, where it may, the owner.
// A read-only file, a folder, a device or a pipe is refused. On failure *error
// gets a sentence naming the reason and the file is left as it was.
bool Save(const CodeMax1& editor, const QString& path, QString* error);
}
