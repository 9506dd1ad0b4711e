// Bytes on disk to text and back: encodings, byte order marks, line breaks, NUL bytes.
#include "document/FileText.h"

#include <cstring>

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringView>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// QString::fromUtf8 would silently replace such sequences, and the bytes
// would then not come back on saving.
bool isStrictUtf8(const char* data, qsizetype size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        i = FileText::SkipAsciiWords(data, i, size);
        if (i >= size)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c == 0xE0) {
            extra = 2; lo = 0xA0;
        } else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
            extra = 2;
        } else if (c == 0xED) {
            extra = 2; hi = 0x9F;
        } else if (c == 0xF0) {
            extra = 3; lo = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3) {
            extra = 3;
        } else if (c == 0xF4) {
            extra = 3; hi = 0x8F;
        } else {
            return false;
        }
        if (size - i <= extra)
            return false;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

// QString::fromUtf8 drops a leading U+FEFF; a file may carry one after its BOM.
QString fromUtf8KeepingBom(const char* data, qsizetype size)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(data, size));
}

// Returns false when the units are not a whole number or do not form valid UTF-16.
bool decodeUtf16(const char* data, qsizetype size, bool bigEndian, QString* out)
{
    if (size % 2 != 0)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    QString text(size / 2, Qt::Uninitialized);
    QChar* dst = text.data();
    for (qsizetype i = 0; i < size; i += 2) {
        const char16_t u = bigEndian ? char16_t((p[i] << 8) | p[i + 1])
                                     : char16_t((p[i + 1] << 8) | p[i]);
        dst[i / 2] = QChar(u);
    }
    if (!QStringView(text).isValidUtf16())
        return false;
    *out = text;
    return true;
}

QByteArray encodeUtf16(const QString& text, bool bigEndian)
{
    QByteArray out;
    out.resize(2 + text.size() * 2);
    char* d = out.data();
    d[0] = bigEndian ? '\xFE' : '\xFF';
    d[1] = bigEndian ? '\xFF' : '\xFE';
    qsizetype j = 2;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        const char hiByte = char(u >> 8), loByte = char(u & 0xFF);
        d[j++] = bigEndian ? hiByte : loByte;
        d[j++] = bigEndian ? loByte : hiByte;
    }
    return out;
}

// Latin-1 cannot hold characters typed later beyond U+00FF; they are written as
// numeric character references, which a browser shows as the character itself.
QByteArray encodeLatin1(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u <= 0xFF) {
            out.append(char(u));
            continue;
        }
        char32_t code = u;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
            ++i;
        }
        out.append("&#").append(QByteArray::number(uint(code))).append(';');
    }
    return out;
}

QString detectLineBreak(const QString& text)
{
    const qsizetype i = text.indexOf(QLatin1Char('\n'));
    const qsizetype r = text.indexOf(QLatin1Char('\r'));
    if (r >= 0 && (i < 0 || r < i))
        return (r + 1 < text.size() && text.at(r + 1) == QLatin1Char('\n')) ? QStringLiteral("\r\n")
                                                                          : QStringLiteral("\r");
    return QStringLiteral("\n");
}

} // namespace

namespace FileText {

QString Decode(const QByteArray& bytes, FileFormat* format)
{
    FileFormat found;
    QString text;
    bool decoded = false;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();

    if (bytes.startsWith(kUtf8Bom)) {
        if (isStrictUtf8(data + 3, size - 3)) {
            found.encoding = TextEncoding::Utf8Bom;
            text = fromUtf8KeepingBom(data + 3, size - 3);
            decoded = true;
        }
    } else if (bytes.startsWith("\xFF\xFE")) {
        if (decodeUtf16(data + 2, size - 2, false, &text)) {
            found.encoding = TextEncoding::Utf16LE;
            decoded = true;
        }
    } else if (bytes.startsWith("\xFE\xFF")) {
        if (decodeUtf16(data + 2, size - 2, true, &text)) {
            found.encoding = TextEncoding::Utf16BE;
            decoded = true;
        }
    } else if (isStrictUtf8(data, size)) {
        found.encoding = TextEncoding::Utf8;
        text = fromUtf8KeepingBom(data, size);
        decoded = true;
    }
    // Last guard: whatever does not come back byte for byte is read as Latin-1,
    // which maps every byte to one character and back.
    if (decoded && Encode(text, found) != bytes)
        decoded = false;
    if (!decoded) {
        found.encoding = TextEncoding::Latin1;
        text = QString::fromLatin1(bytes);
    }
    found.lineBreak = detectLineBreak(text);
    if (format)
        *format = found;
    return text;
}

QByteArray Encode(const QString& text, const FileFormat& format)
{
    switch (format.encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8Bom:
        return QByteArray(kUtf8Bom) + text.toUtf8();
    case TextEncoding::Utf16LE:
        return encodeUtf16(text, false);
    case TextEncoding::Utf16BE:
        return encodeUtf16(text, true);
    case TextEncoding::Latin1:
        return encodeLatin1(text);
    }
    return text.toUtf8();
}

bool IsStrictUtf8(const char* data, qsizetype size)
{
    return isStrictUtf8(data, size);
}

qsizetype CompleteUtf8Prefix(const char* data, qsizetype size)
{
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const auto c = static_cast<unsigned char>(data[size - back]);
        if ((c & 0xC0) == 0x80)
            continue;   // inside a character: look further back for its start
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

QByteArray DecodeToUtf8(const QByteArray& bytes, FileFormat* format)
{
    const bool bom = bytes.startsWith(kUtf8Bom);
    const qsizetype skip = bom ? 3 : 0;
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (utf16 || !isStrictUtf8(bytes.constData() + skip, bytes.size() - skip))
        return Decode(bytes, format).toUtf8();
    // Valid UTF-8 comes back from the control byte for byte.
    FileFormat found;
    found.encoding = bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
    const qsizetype r = bytes.indexOf('\r', skip);
    const qsizetype n = bytes.indexOf('\n', skip);
    if (r >= 0 && (n < 0 || r < n))
        found.lineBreak = (r + 1 < bytes.size() && bytes.at(r + 1) == '\n') ? QStringLiteral("\r\n") : QStringLiteral("\r");
    else
        found.lineBreak = QStringLiteral("\n");
    if (format)
        *format = found;
    return skip ? bytes.mid(skip) : bytes;
}

QByteArray EncodeFromUtf8(const QByteArray& utf8, const FileFormat& format)
{
    if (format.encoding == TextEncoding::Utf8)
        return utf8;
    if (format.encoding == TextEncoding::Utf8Bom)
        return QByteArray(kUtf8Bom) + utf8;
    return Encode(fromUtf8KeepingBom(utf8.constData(), utf8.size()), format);
}

QString NormaliseLineBreaks(const QString& text, const QString& lineBreak)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += lineBreak;
        } else if (c == QLatin1Char('\n')) {
            out += lineBreak;
        } else {
            out += c;
        }
    }
    return out;
}

QString EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom: return QCoreApplication::translate("FilePropertiesDialog", "UTF-8 with BOM");
    case TextEncoding::Utf16LE: return QStringLiteral("UTF-16 LE");
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16 BE");
    case TextEncoding::Latin1: return QStringLiteral("Latin-1");
    }
    return QString();
}

} // namespace FileText
