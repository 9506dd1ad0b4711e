#pragma once
// Unsaved text kept safe against a crash, a kill or a power cut: a short while
// after the last change each modified document's text is written into a
// per-user recovery folder; a clean save or close removes it again, and the
// next start offers what a run that did not end cleanly left there.
#include "document/FileText.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class CodeMax1;

namespace Recovery {
// What one recovery file holds.
struct Entry {
    QString file;        // the recovery file itself
    QString path;        // the document's file; empty for an untitled document
    QString caption;     // without "*"
    int number = 0;      // n of "Document n"; 0 for a file
    FileFormat format;
    QByteArray text;     // UTF-8
    QString damage;      // why it cannot be restored; empty when it can
};

QString Folder();
// Entries left by runs that are no longer running, oldest first. Files of a
// running instance are never among them.
QList<Entry> Leftovers();
// Reads one recovery file.
Entry Read(const QString& file);
// The bytes of a recovery file for these data.
QByteArray Serialize(const Entry& entry);

// Writes one document's recovery file, never on the keystroke path: the
// text is copied once the user has paused, and written by a worker thread.
class Writer : public QObject {
    Q_OBJECT
public:
    // describe: the document's path, caption and number as they are now.
    Writer(CodeMax1* editor, std::function<Entry()> describe, QObject* parent);
    ~Writer() override;

    // The text changed: write it once the user has paused.
    void Changed();
    // Saved or closed cleanly: the recovery file goes.
    void Clear();
    // Takes over a recovery file (a restored one) as this document's own.
    void Adopt(const QString& file);
    QString FilePath() const;

    // Tests: the pause before a write, and waiting until every write is done.
    static void SetIdleDelay(int milliseconds);
    static bool WaitForWrites(int milliseconds);

private:
    void write();
    void copyPiece();
    void startWorker();
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    QPointer<CodeMax1> m_editor;
    std::function<Entry()> m_describe;
    QTimer m_timer;
    // The copy is made in pieces between events, so a large text never holds
    // the window up; a change meanwhile starts it over after the next pause.
    Entry m_entry;
    qint64 m_copied = 0;
    bool m_copying = false;
    bool m_changedWhileCopying = false;
    bool m_writing = false;
    bool m_again = false;
};
}
