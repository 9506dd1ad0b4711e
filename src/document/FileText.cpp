// Bytes on disk to text and back: encodings, byte order marks, line breaks, NUL bytes.
#include "document/FileText.h"

#include <array>
#include <cstring>

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringView>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// QString::fromUtf8 would silently replace such sequences, and the bytes
// would then not come back on saving. Returns where the first character
// that breaks these rules starts, or -1.
qsizetype utf8ErrorAt(const char* data, qsizetype size)
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
            return i;
        }
        if (size - i <= extra)
            return i;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return i;
        for (int k = 2; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
        i += extra + 1;
    }
    return -1;
}

bool isStrictUtf8(const char* data, qsizetype size)
{
    return utf8ErrorAt(data, size) < 0;
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

// The characters of bytes 0x80 to 0xFF in the single-byte encodings.
using HighHalf = std::array<char16_t, 128>;

constexpr HighHalf latin1High()
{
    HighHalf t{};
    for (int i = 0; i < 128; ++i)
        t[i] = char16_t(0x80 + i);
    return t;
}

// Windows-1252 leaves 81, 8D, 8F, 90 and 9D undefined; like browsers they read as the
// C1 control of the same number, so every byte has a character and comes back on saving.
constexpr HighHalf windows1252High()
{
    HighHalf t = latin1High();
    const char16_t block[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        t[i] = block[i];
    return t;
}

// ISO-8859-15 is Latin-1 with eight places given to the euro sign and French, Finnish
// and Estonian letters.
constexpr HighHalf latin9High()
{
    HighHalf t = latin1High();
    t[0xA4 - 0x80] = 0x20AC;
    t[0xA6 - 0x80] = 0x0160;
    t[0xA8 - 0x80] = 0x0161;
    t[0xB4 - 0x80] = 0x017D;
    t[0xB8 - 0x80] = 0x017E;
    t[0xBC - 0x80] = 0x0152;
    t[0xBD - 0x80] = 0x0153;
    t[0xBE - 0x80] = 0x0178;
    return t;
}

constexpr HighHalf kLatin1 = latin1High(), kWindows1252 = windows1252High(), kLatin9 = latin9High();

const HighHalf* highHalfOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Latin1: return &kLatin1;
    case TextEncoding::Windows1252: return &kWindows1252;
    case TextEncoding::Latin9: return &kLatin9;
    default: return nullptr;
    }
}

// The byte for u, or -1 when the encoding has none.
int byteFor(char16_t u, const HighHalf& high)
{
    if (u < 0x80)
        return u;
    if (u <= 0xFF && high[u - 0x80] == u)
        return u;
    // The tables move characters only within 0x80-0xBF, none above U+2122.
    if (u > 0x2122)
        return -1;
    for (int i = 0; i < 0x40; ++i)
        if (high[i] == u)
            return 0x80 + i;
    return -1;
}

QString decodeSingleByte(const QByteArray& bytes, const HighHalf& high)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* dst = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        dst[i] = QChar(c < 0x80 ? char16_t(c) : high[c - 0x80]);
    }
    return text;
}

// The character at i, a surrogate pair taken whole; *next is where the one after starts.
char32_t codeAt(const QString& text, qsizetype i, qsizetype* next)
{
    const char16_t u = text.at(i).unicode();
    *next = i + 1;
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *next = i + 2;
        return QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
    }
    return u;
}

// Characters typed later that the encoding cannot hold are written as numeric character
// references, which a browser shows as the character itself. Saving a document that is
// not a web page checks for them first (firstUnwritable).
QByteArray encodeSingleByte(const QString& text, const HighHalf& high)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const int b = byteFor(text.at(i).unicode(), high);
        if (b >= 0) {
            out.append(char(b));
            ++i;
            continue;
        }
        const char32_t code = codeAt(text, i, &i);
        out.append("&#").append(QByteArray::number(uint(code))).append(';');
    }
    return out;
}

QString lineBreakOfUtf8(const QByteArray& bytes, qsizetype from)
{
    const qsizetype r = bytes.indexOf('\r', from);
    const qsizetype n = bytes.indexOf('\n', from);
    if (r >= 0 && (n < 0 || r < n))
        return (r + 1 < bytes.size() && bytes.at(r + 1) == '\n') ? QStringLiteral("\r\n") : QStringLiteral("\r");
    return QStringLiteral("\n");
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

bool takesReferences(const QString& path)
{
    static const QStringList kinds = {
        QStringLiteral("html"), QStringLiteral("htm"), QStringLiteral("shtml"), QStringLiteral("shtm"),
        QStringLiteral("xhtml"), QStringLiteral("xht"), QStringLiteral("asp"), QStringLiteral("aspx"),
        QStringLiteral("php"), QStringLiteral("jsp"), QStringLiteral("hta"), QStringLiteral("xml"),
        QStringLiteral("xsl"), QStringLiteral("xslt"), QStringLiteral("svg"), QStringLiteral("rss")};
    // By the name's last extension: a stylesheet in a folder with a dot in its name is still one.
    return kinds.contains(QFileInfo(path).suffix().toLower());
}

int lineOf(const QString& text, qsizetype index)
{
    int line = 0;
    for (qsizetype i = 0; i < index && i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('\n'))))
            ++line;
    }
    return line;
}

FileText::Unwritable firstUnwritable(const QString& text, TextEncoding encoding, bool references)
{
    const HighHalf* high = highHalfOf(encoding);
    if (!high)
        return {};   // UTF-8 and UTF-16 hold every character
    for (qsizetype i = 0; i < text.size();) {
        if (byteFor(text.at(i).unicode(), *high) >= 0) {
            ++i;
            continue;
        }
        const qsizetype at = i;
        const char32_t code = codeAt(text, i, &i);
        if (!references || (code >= 0x80 && code <= 0x9F))
            return {at, code, lineOf(text, at)};
    }
    return {};
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
    case TextEncoding::Windows1252:
    case TextEncoding::Latin9:
        return encodeSingleByte(text, *highHalfOf(format.encoding));
    }
    return text.toUtf8();
}

bool DecodeAs(const QByteArray& bytes, TextEncoding encoding, QByteArray* utf8, FileFormat* format, QString* error)
{
    FileFormat found;
    found.encoding = encoding;
    QByteArray out;
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        const qsizetype skip = bytes.startsWith(kUtf8Bom) ? 3 : 0;
        found.encoding = skip ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
        const qsizetype bad = utf8ErrorAt(bytes.constData() + skip, bytes.size() - skip);
        if (bad >= 0) {
            const qsizetype at = skip + bad;
            return fail(QCoreApplication::translate("FileText", "It is not UTF-8 text: the byte 0x%1 on line %2 "
                                                                "(byte %3 of the file) does not belong there.")
                            .arg(QString::number(static_cast<unsigned char>(bytes.at(at)), 16).toUpper())
                            .arg(bytes.left(at).count('\n') + 1)
                            .arg(at + 1));
        }
        out = skip ? bytes.mid(skip) : bytes;
        break;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool bigEndian = bytes.startsWith("\xFE\xFF");
        const qsizetype skip = bigEndian || bytes.startsWith("\xFF\xFE") ? 2 : 0;
        found.encoding = bigEndian ? TextEncoding::Utf16BE : TextEncoding::Utf16LE;
        if ((bytes.size() - skip) % 2 != 0)
            return fail(QCoreApplication::translate("FileText", "It is not UTF-16 text: it has an odd number of bytes."));
        QString text;
        if (!decodeUtf16(bytes.constData() + skip, bytes.size() - skip, bigEndian, &text))
            return fail(QCoreApplication::translate("FileText", "It is not UTF-16 text: it holds half of a "
                                                                "surrogate pair on its own."));
        out = text.toUtf8();
        break;
    }
    case TextEncoding::Latin1:
    case TextEncoding::Windows1252:
    case TextEncoding::Latin9:
        out = decodeSingleByte(bytes, *highHalfOf(encoding)).toUtf8();
        break;
    }
    found.lineBreak = lineBreakOfUtf8(out, 0);
    if (utf8)
        *utf8 = std::move(out);
    if (format)
        *format = found;
    return true;
}

bool EncodeForFile(const QString& path, const QByteArray& utf8, const FileFormat& format, QByteArray* bytes,
                   Unwritable* unwritable)
{
    if (!highHalfOf(format.encoding)) {
        *bytes = EncodeFromUtf8(utf8, format);
        return true;
    }
    const QString text = fromUtf8KeepingBom(utf8.constData(), utf8.size());
    const Unwritable found = firstUnwritable(text, format.encoding, takesReferences(path));
    if (found.index >= 0) {
        if (unwritable)
            *unwritable = found;
        return false;
    }
    *bytes = Encode(text, format);
    return true;
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
    found.lineBreak = lineBreakOfUtf8(bytes, skip);
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
    case TextEncoding::Latin1: return QStringLiteral("ISO-8859-1");
    case TextEncoding::Windows1252: return QStringLiteral("Windows-1252");
    case TextEncoding::Latin9: return QStringLiteral("ISO-8859-15");
    }
    return QString();
}

} // namespace FileText
