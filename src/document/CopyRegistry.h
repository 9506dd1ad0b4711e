#pragma once
// The temporary copies the program writes beside documents (preview copies):
// who made which, so that only our own are deleted, never one that another
// open document still shows, and those a crashed run left go at the next start.
#include <QString>

class QObject;

namespace CopyRegistry {
// owner (a document window) has written the copy at path.
void Add(const QObject* owner, const QString& path);
// Deletes the copies owner made that no other owner uses too.
void Release(const QObject* owner);
// Deletes the copies listed by earlier runs that are no longer running.
void ClearLeftovers();
// Where each run lists its copies, one file per process.
QString ListFolder();
}
