#pragma once
// Reading and writing document files on disk safely: only regular files are
// read, never without end, and a save replaces the file atomically.
#include <QByteArray>
#include <QString>
#include <functional>

namespace DiskFile {
// Larger files are refused rather than read until memory runs out.
constexpr qint64 kMaxSize = qint64(1) << 30;

// Why path cannot be opened as a document ("it is a named pipe (FIFO)"),
// or empty when it is a regular file or a link to one.
QString NotRegularReason(const QString& path);

// Reads a whole regular file. A FIFO, device or socket is refused without
// blocking; so is a file over kMaxSize. Between pieces of a large file
// betweenPieces is called; when it returns false the read stops (cancelled).
struct ReadResult {
    bool ok = false;
    bool cancelled = false;
    bool streamed = false;   // every byte went to the sink; bytes is empty
    QByteArray bytes;
    QString error;   // the cause, for the user
};
// With a sink, a large file's pieces go to it as they are read and are not kept
// (ReadResult::streamed); when the sink returns false the whole file is read into
// ReadResult::bytes after all, from its start.
using PieceSink = std::function<bool(const char* data, qsizetype size)>;
ReadResult Read(const QString& path, const std::function<bool()>& betweenPieces = {}, const PieceSink& sink = {});

// What a save compares with the file on disk, to notice another program's
// change: the name's own kind and inode (a file replaced by a link or by
// another file shows here), and the size and time of what it leads to.
struct State {
    bool exists = false;
    unsigned kind = 0;        // file type bits of the name itself
    quint64 device = 0, inode = 0;
    qint64 size = -1;
    qint64 mtimeNs = 0;
    bool operator==(const State&) const = default;
};
State StateOf(const QString& path);

// Why a save cannot write to path (it exists and is not a regular file, or a
// link to one), or empty.
QString NotWritableReason(const QString& path);

// "pid-starttime" of a running process, telling it from a later one with the
// same number; empty when no such process runs.
QString ProcessKey(qint64 pid);
// Whether the process a "pid-starttime" key (or a name that begins with one) names still runs.
bool KeyRuns(const QString& key);

// Writes bytes to target through a temporary file in the same folder, then
// renames it over target, so the old or the new file is there after a crash.
// The temporary name is short, so any name that the folder holds can be saved.
// error gets the system's own cause ("No space left on device").
bool WriteAtomically(const QString& target, const QByteArray& bytes, QString* error);
}
