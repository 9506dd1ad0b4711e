#pragma once
#include <cstring>
// Decoding and encoding of document files so that opening and saving an
// unedited file gives back exactly the same bytes.
#include <QByteArray>
#include <QString>

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Latin1 };

struct FileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    QString lineBreak = QStringLiteral("\r\n");  // convention for new line breaks ("\r" in old Mac files)
};

namespace FileText {
// Detects the encoding (BOM, valid UTF-8, otherwise Latin-1) and the line-break
// convention (the first line break found; LF when a file has none, as is usual on Linux).
QString Decode(const QByteArray& bytes, FileFormat* format);
// Exact inverse of Decode for unedited text. In Latin-1, characters typed later
// that Latin-1 cannot hold are written as HTML numeric references ("&#8364;").
QByteArray Encode(const QString& text, const FileFormat& format);
// The same as Decode and Encode, for a control that keeps its text as UTF-8:
// a UTF-8 file passes through untouched, with no conversion of the whole text.
QByteArray DecodeToUtf8(const QByteArray& bytes, FileFormat* format);
QByteArray EncodeFromUtf8(const QByteArray& utf8, const FileFormat& format);
// Converts every line break of text (CR LF, LF, lone CR) to lineBreak.
QString NormaliseLineBreaks(const QString& text, const QString& lineBreak);
// "UTF-8", "UTF-8 with BOM", ...
QString EncodingName(TextEncoding encoding);
// Past the ASCII bytes from i on, eight at a time (it may stop up to seven bytes short of the
// run's end): most of a web page is ASCII.
inline qsizetype SkipAsciiWords(const char* data, qsizetype i, qsizetype size)
{
    while (i + 8 <= size) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
        i += 8;
    }
    return i;
}
// Strict UTF-8 (no overlong forms, no surrogates), as the control takes it byte for byte.
bool IsStrictUtf8(const char* data, qsizetype size);
// How many leading bytes of a piece of UTF-8 end on a whole character; the rest (at
// most three bytes) starts a character that the next piece completes.
qsizetype CompleteUtf8Prefix(const char* data, qsizetype size);
}
