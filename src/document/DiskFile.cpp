// Reading only regular files, and writing through a temporary file with fsync and rename.
#include "document/DiskFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DiskFile {
namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("DiskFile", text);
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString kindReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return tr("it is a folder");
    if (S_ISFIFO(mode))
        return tr("it is a named pipe (FIFO), not a file");
    if (S_ISSOCK(mode))
        return tr("it is a socket, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return tr("it is a device, not a file");
    return tr("it is not a regular file");
}

// Qt keeps file names as UTF-8; a name that is not cannot be reached through it.
QString openFailure(const QString& path, int code)
{
    if (code == ENOENT && path.contains(QChar::ReplacementCharacter))
        return tr("its name is not valid UTF-8, which this program cannot use; rename the file");
    return systemError(code);
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};
} // namespace

QString NotRegularReason(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return openFailure(path, errno);
    return S_ISREG(st.st_mode) ? QString() : kindReason(st.st_mode);
}

QString ProcessKey(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray line = stat.readAll();
    // The name in parentheses may hold blanks; the fields after it do not.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? QStringLiteral("%1-%2").arg(pid).arg(QString::fromLatin1(fields.at(19))) : QString();
}

bool KeyRuns(const QString& key)
{
    const QString own = key.section(QLatin1Char('-'), 0, 1);
    const qint64 pid = own.section(QLatin1Char('-'), 0, 0).toLongLong();
    return pid > 0 && ProcessKey(pid) == own;
}

State StateOf(const QString& path)
{
    State s;
    const QByteArray name = QFile::encodeName(path);
    struct stat own {}, target {};
    if (::lstat(name.constData(), &own) != 0)
        return s;
    s.exists = true;
    s.kind = own.st_mode & S_IFMT;
    s.device = own.st_dev;
    s.inode = own.st_ino;
    if (::stat(name.constData(), &target) == 0) {
        s.size = target.st_size;
        s.mtimeNs = qint64(target.st_mtim.tv_sec) * 1000000000 + target.st_mtim.tv_nsec;
    }
    return s;
}

QString NotWritableReason(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return QString();
    return kindReason(st.st_mode);
}

ReadResult Read(const QString& path, const std::function<bool()>& betweenPieces, const PieceSink& sink)
{
    ReadResult r;
    // Non-blocking, so that a FIFO cannot hold the open; the kind is checked on
    // what was opened, so nothing can be swapped in between.
    Fd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int code = errno;
        // A socket cannot be opened at all; say what it is rather than "No such device".
        const QString kind = code == ENXIO ? NotRegularReason(path) : QString();
        r.error = kind.isEmpty() ? openFailure(path, code) : kind;
        return r;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        r.error = systemError(errno);
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.error = kindReason(st.st_mode);
        return r;
    }
    const auto tooLarge = [&r] {
        r.error = tr("it is larger than %1 MB, the most this program opens").arg(kMaxSize >> 20);
        return r;
    };
    if (st.st_size > kMaxSize)
        return tooLarge();
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);

    constexpr qint64 piece = 32 * 1024 * 1024;
    const bool large = st.st_size > 2 * piece;
    if (large && sink) {
        QByteArray buffer(piece, Qt::Uninitialized);
        qint64 total = 0;
        for (;;) {
            const ssize_t got = ::read(fd.get(), buffer.data(), size_t(piece));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                r.error = systemError(errno);
                return r;
            }
            if (got == 0) {
                r.ok = r.streamed = true;
                return r;
            }
            if ((total += got) > kMaxSize)
                return tooLarge();
            if (!sink(buffer.constData(), got))
                break;
            if (betweenPieces && !betweenPieces()) {
                r.cancelled = true;
                return r;
            }
        }
        if (::lseek(fd.get(), 0, SEEK_SET) != 0) {
            r.error = systemError(errno);
            return r;
        }
    }
    // Some files (in /proc) say 0 bytes and still have text: read to the end.
    r.bytes.resize(std::max<qint64>(st.st_size, 0) + 1);
    qint64 done = 0;
    for (;;) {
        if (done == r.bytes.size()) {
            if (done > kMaxSize)
                return tooLarge();
            r.bytes.resize(std::min<qint64>(done * 2 + 4096, kMaxSize + 1));
        }
        const qint64 want = std::min<qint64>(piece, r.bytes.size() - done);
        const ssize_t got = ::read(fd.get(), r.bytes.data() + done, size_t(want));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            r.error = systemError(errno);
            r.bytes.clear();
            return r;
        }
        if (got == 0)
            break;
        done += got;
        if (done > kMaxSize)
            return tooLarge();
        if (large && betweenPieces && !betweenPieces()) {
            r.cancelled = true;
            r.bytes.clear();
            return r;
        }
    }
    r.bytes.truncate(done);
    r.ok = true;
    return r;
}

bool WriteAtomically(const QString& target, const QByteArray& bytes, QString* error)
{
    const auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    const QString folder = QFileInfo(target).absolutePath();
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = QFile::encodeName(folder) + "/.qrn~" +
               QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36);
        // 0666 less the umask, as any new file of the user gets.
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(systemError(errno));
    }
    if (fd < 0)
        return fail(systemError(EEXIST));
    Fd file(fd);
    const auto abandon = [&](int code) {
        ::unlink(temp.constData());
        return fail(systemError(code));
    };
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abandon(errno);
        }
        done += n;
    }
    // Some file systems report a full disk only here.
    if (::fsync(file.get()) != 0)
        return abandon(errno);
    if (::close(file.release()) != 0)
        return abandon(errno);
    if (::rename(temp.constData(), QFile::encodeName(target).constData()) != 0)
        return abandon(errno);
    // The rename itself reaches the disk with its folder.
    Fd dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return true;
}
} // namespace DiskFile
