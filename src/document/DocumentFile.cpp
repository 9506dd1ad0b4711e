// Reading and saving a document's file for the edit control, on top of DiskFile and FileText.
#include "document/DocumentFile.h"

#include "document/CodeMax1.h"
#include "document/DiskFile.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace DocumentFile {

Loaded Load(const QString& path, const std::function<bool()>& betweenPieces, const DiskFile::PieceSink& sink)
{
    Loaded loaded;
    DiskFile::ReadResult read = DiskFile::Read(path, betweenPieces, sink);
    if (!read.ok) {
        loaded.error = read.cancelled ? CodeMax1::tr("Loading was cancelled.")
                                      : CodeMax1::tr("Cannot open '%1': %2.").arg(path, read.error);
        return loaded;
    }
    loaded.ok = true;
    loaded.streamed = read.streamed;
    if (!read.streamed)
        loaded.utf8 = FileText::DecodeToUtf8(read.bytes, &loaded.format);
    return loaded;
}

namespace {
// The whole file in *bytes, or false with the reason in loaded.
bool readWhole(const QString& path, QByteArray* bytes, Loaded* loaded)
{
    DiskFile::ReadResult read = DiskFile::Read(path);
    if (!read.ok) {
        loaded->error = CodeMax1::tr("Cannot open '%1': %2.").arg(path, read.error);
        return false;
    }
    *bytes = std::move(read.bytes);
    return true;
}
} // namespace

Loaded LoadAs(const QString& path, TextEncoding encoding)
{
    Loaded loaded;
    QByteArray bytes;
    if (readWhole(path, &bytes, &loaded))
        loaded.ok = FileText::DecodeAs(bytes, encoding, &loaded.utf8, &loaded.format, &loaded.error);
    return loaded;
}

Loaded LoadAgain(const QString& path, TextEncoding current)
{
    if (!IsChosenOnly(current))
        return Load(path);
    Loaded loaded;
    QByteArray bytes;
    if (!readWhole(path, &bytes, &loaded))
        return loaded;
    loaded.ok = true;
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        loaded.utf8 = FileText::DecodeToUtf8(bytes, &loaded.format);
    else
        FileText::DecodeAs(bytes, current, &loaded.utf8, &loaded.format, nullptr);   // takes any bytes
    return loaded;
}

bool Utf8Stream::take(const char* data, qsizetype size)
{
    if (m_first) {
        m_first = false;
        if (size >= 2 && (std::memcmp(data, "\xFF\xFE", 2) == 0 || std::memcmp(data, "\xFE\xFF", 2) == 0))
            return decline();   // UTF-16: decoded whole
        m_format.encoding = TextEncoding::Utf8;
        if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
            m_format.encoding = TextEncoding::Utf8Bom;
            data += 3;
            size -= 3;
        }
        m_editor.BeginUtf8Text(m_size);
        m_started = true;
    }
    if (!m_carry.isEmpty()) {
        const auto lead = static_cast<unsigned char>(m_carry.at(0));
        const qsizetype whole = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const qsizetype need = std::min(whole - m_carry.size(), size);
        m_carry.append(data, need);
        data += need;
        size -= need;
        if (m_carry.size() < whole)
            return true;
        if (!FileText::IsStrictUtf8(m_carry.constData(), m_carry.size()))
            return decline();
        append(m_carry.constData(), m_carry.size());
        m_carry.clear();
    }
    const qsizetype complete = FileText::CompleteUtf8Prefix(data, size);
    if (!FileText::IsStrictUtf8(data, complete))
        return decline();
    append(data, complete);
    m_carry = QByteArray(data + complete, size - complete);
    return true;
}

void Utf8Stream::append(const char* data, qsizetype size)
{
    // The first line break sets the convention for new ones, as for a file read whole.
    if (!m_breakFound && size > 0) {
        if (m_pendingCr) {
            m_format.lineBreak = data[0] == '\n' ? QStringLiteral("\r\n") : QStringLiteral("\r");
            m_breakFound = true;
        } else {
            const qsizetype r = QByteArrayView(data, size).indexOf('\r');
            const qsizetype n = QByteArrayView(data, size).indexOf('\n');
            if (r >= 0 && (n < 0 || r < n)) {
                if (r + 1 < size) {
                    m_format.lineBreak = data[r + 1] == '\n' ? QStringLiteral("\r\n") : QStringLiteral("\r");
                    m_breakFound = true;
                } else {
                    m_pendingCr = true;
                }
            } else if (n >= 0) {
                m_format.lineBreak = QStringLiteral("\n");
                m_breakFound = true;
            }
        }
    }
    m_editor.AppendUtf8(data, size);
}

bool Utf8Stream::decline()
{
    m_declined = true;
    abandon();
    return false;
}

bool Utf8Stream::finish(FileFormat* format)
{
    if (m_declined || !m_started || !m_carry.isEmpty()) {
        abandon();
        return false;
    }
    if (!m_breakFound)
        m_format.lineBreak = m_pendingCr ? QStringLiteral("\r") : QStringLiteral("\n");
    m_editor.EndUtf8Text();
    m_started = false;
    *format = m_format;
    return true;
}

void Utf8Stream::abandon()
{
    if (!m_started)
        return;
    m_started = false;
    m_editor.SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    m_editor.EndUtf8Text();
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

    // A character the file cannot hold is refused here, before anything is written.
    QByteArray bytes;
    FileText::Unwritable unwritable;
    if (!FileText::EncodeForFile(path, editor.Utf8Text(), editor.Format(), &bytes, &unwritable)) {
        const QString code = QStringLiteral("U+%1").arg(uint(unwritable.code), 4, 16, QLatin1Char('0')).toUpper();
        const QString character = QString::fromUcs4(&unwritable.code, 1);
        const QString named = QChar::isPrint(unwritable.code) ? QStringLiteral("'%1' (%2)").arg(character, code) : code;
        return fail(CodeMax1::tr("Cannot save '%1': %2 has no place for the character %3 on line %4.\n"
                                 "Replace it, then save again.")
                        .arg(path, FileText::EncodingName(editor.Format().encoding), named)
                        .arg(unwritable.line + 1));
    }
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
