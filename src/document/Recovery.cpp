// Copies of unsaved texts written in the background, for recovery after a crash.
#include "document/Recovery.h"

#include "document/CodeMax1.h"
#include "document/DiskFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace Recovery {
namespace {
constexpr const char* kMagic = "QRN recovery 1";
int g_delay = 2000;
std::atomic<int> g_pending{0};
int g_serial = 0;

QString tr(const char* text)
{
    return QCoreApplication::translate("Recovery", text);
}

QByteArray field(const QByteArray& name, const QByteArray& value)
{
    return name + '=' + value + '\n';
}
} // namespace

QString Folder()
{
    // The same folder for the program and for anything built on its library (tests).
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qrn/recovery");
}

QByteArray Serialize(const Entry& e)
{
    QByteArray out = QByteArray(kMagic) + '\n';
    out += field("path", e.path.toUtf8().toBase64());
    out += field("caption", e.caption.toUtf8().toBase64());
    out += field("number", QByteArray::number(e.number));
    out += field("encoding", QByteArray::number(int(e.format.encoding)));
    out += field("linebreak", e.format.lineBreak.toUtf8().toBase64());
    out += field("length", QByteArray::number(e.text.size()));
    out += field("sha1", QCryptographicHash::hash(e.text, QCryptographicHash::Sha1).toHex());
    out += '\n';
    out.reserve(out.size() + e.text.size());
    out += e.text;
    return out;
}

Entry Read(const QString& file)
{
    Entry e;
    e.file = file;
    const DiskFile::ReadResult read = DiskFile::Read(file);
    if (!read.ok) {
        e.damage = read.error;
        return e;
    }
    const QByteArray& bytes = read.bytes;
    const qsizetype headerEnd = bytes.indexOf("\n\n");
    if (!bytes.startsWith(QByteArray(kMagic) + '\n') || headerEnd < 0) {
        e.damage = tr("not a recovery file");
        return e;
    }
    QHash<QByteArray, QByteArray> fields;
    for (const QByteArray& line : bytes.left(headerEnd).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            fields.insert(line.left(eq), line.mid(eq + 1));
    }
    e.path = QString::fromUtf8(QByteArray::fromBase64(fields.value("path")));
    e.caption = QString::fromUtf8(QByteArray::fromBase64(fields.value("caption")));
    e.number = fields.value("number").toInt();
    const int encoding = fields.value("encoding").toInt();
    if (encoding >= int(TextEncoding::Utf8) && encoding <= int(kLastEncoding))
        e.format.encoding = TextEncoding(encoding);
    const QString lineBreak = QString::fromUtf8(QByteArray::fromBase64(fields.value("linebreak")));
    if (lineBreak == QLatin1String("\r\n") || lineBreak == QLatin1String("\n") || lineBreak == QLatin1String("\r"))
        e.format.lineBreak = lineBreak;
    e.text = bytes.mid(headerEnd + 2);
    bool ok = false;
    const qsizetype length = fields.value("length").toLongLong(&ok);
    if (!ok || length != e.text.size())
        e.damage = tr("the text is cut short");
    else if (QCryptographicHash::hash(e.text, QCryptographicHash::Sha1).toHex() != fields.value("sha1"))
        e.damage = tr("the text is damaged");
    if (e.caption.isEmpty())
        e.caption = e.path.isEmpty() ? tr("Untitled document") : QFileInfo(e.path).fileName();
    return e;
}

QList<Entry> Leftovers()
{
    QDir folder(Folder());
    QList<QPair<qint64, Entry>> found;
    for (const QFileInfo& info : folder.entryInfoList({QStringLiteral("*.qrn")}, QDir::Files)) {
        // "pid-start-serial.qrn": the files of a run still going are its own.
        if (DiskFile::KeyRuns(info.completeBaseName()))
            continue;
        found.append({info.lastModified().toMSecsSinceEpoch(), Read(info.absoluteFilePath())});
    }
    // Oldest first; files of one run in the order they were made.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return QFileInfo(a.second.file).completeBaseName().section(QLatin1Char('-'), 2).toInt() <
               QFileInfo(b.second.file).completeBaseName().section(QLatin1Char('-'), 2).toInt();
    });
    QList<Entry> out;
    for (auto& f : found)
        out << std::move(f.second);
    return out;
}

struct Writer::Shared {
    QMutex mutex;
    quint64 generation = 0;
    QString file;
};

Writer::Writer(CodeMax1* editor, std::function<Entry()> describe, QObject* parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_editor(editor), m_describe(std::move(describe))
{
    m_shared->file = Folder() + QLatin1Char('/') + DiskFile::ProcessKey(::getpid()) + QLatin1Char('-') +
                     QString::number(++g_serial) + QStringLiteral(".qrn");
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Writer::write);
}

Writer::~Writer() = default;

QString Writer::FilePath() const
{
    return m_shared->file;
}

void Writer::SetIdleDelay(int milliseconds)
{
    g_delay = milliseconds;
}

bool Writer::WaitForWrites(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (g_pending.load() > 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return g_pending.load() == 0;
}

void Writer::Changed()
{
    // Only a timer restarted on the keystroke path; the copy waits for the pause.
    if (m_copying)
        m_changedWhileCopying = true;
    m_timer.start(g_delay);
}

void Writer::Clear()
{
    m_timer.stop();
    m_again = false;
    m_copying = false;
    m_entry.text.clear();
    QMutexLocker lock(&m_shared->mutex);
    ++m_shared->generation;   // a write under way is thrown away
    QFile::remove(m_shared->file);
}

void Writer::Adopt(const QString& file)
{
    QMutexLocker lock(&m_shared->mutex);
    ++m_shared->generation;
    QDir().mkpath(Folder());
    if (::rename(QFile::encodeName(file).constData(), QFile::encodeName(m_shared->file).constData()) != 0)
        QFile::remove(file);
}

void Writer::write()
{
    if (!m_editor || m_copying)
        return;
    if (m_writing) {
        m_again = true;
        return;
    }
    if (!m_editor->Modified()) {
        Clear();
        return;
    }
    m_entry = m_describe();
    m_entry.format = m_editor->Format();
    m_entry.text = QByteArray();
    m_entry.text.resize(m_editor->Utf8Length());
    m_copied = 0;
    m_copying = true;
    m_changedWhileCopying = false;
    copyPiece();
}

void Writer::copyPiece()
{
    if (!m_copying || !m_editor)
        return;
    if (m_changedWhileCopying) {
        // The timer runs again from that change.
        m_copying = false;
        m_entry.text.clear();
        return;
    }
    constexpr qint64 piece = 4 * 1024 * 1024;
    const qint64 n = std::min(piece, m_entry.text.size() - m_copied);
    std::memcpy(m_entry.text.data() + m_copied, m_editor->Utf8Range(m_copied, n).data(), size_t(n));
    m_copied += n;
    if (m_copied < m_entry.text.size()) {
        QTimer::singleShot(0, this, &Writer::copyPiece);
        return;
    }
    m_copying = false;
    startWorker();
}

void Writer::startWorker()
{
    quint64 generation;
    {
        QMutexLocker lock(&m_shared->mutex);
        generation = ++m_shared->generation;
    }
    m_writing = true;
    ++g_pending;
    QDir().mkpath(Folder());
    QPointer<Writer> self(this);
    QThreadPool::globalInstance()->start([shared = m_shared, entry = std::exchange(m_entry, Entry()), generation, self] {
        const QString part = shared->file + QStringLiteral(".part");
        const bool written = DiskFile::WriteAtomically(part, Serialize(entry), nullptr);
        {
            QMutexLocker lock(&shared->mutex);
            if (!written || shared->generation != generation ||
                ::rename(QFile::encodeName(part).constData(), QFile::encodeName(shared->file).constData()) != 0)
                QFile::remove(part);
        }
        QMetaObject::invokeMethod(
            qApp,
            [self] {
                if (self) {
                    self->m_writing = false;
                    if (std::exchange(self->m_again, false))
                        self->write();
                }
                --g_pending;
            },
            Qt::QueuedConnection);
    });
}
} // namespace Recovery
