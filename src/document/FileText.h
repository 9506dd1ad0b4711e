#pragma once
#include <cstring>
// Decoding and encoding of document files so that opening and saving an
// unedited file gives back exactly the same bytes.
#include <QByteArray>
#include <QString>

// Stored by number in recovery files: new ones go at the end.
enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Latin1, Windows1252, Latin9 };
constexpr TextEncoding kLastEncoding = TextEncoding::Latin9;
// Encodings that opening a file never guesses: only the user chooses them, and a reload
// or a restored session keeps them.
constexpr bool IsChosenOnly(TextEncoding e)
{
    return e == TextEncoding::Windows1252 || e == TextEncoding::Latin9;
}

struct FileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    QString lineBreak = QStringLiteral("\r\n");  // convention for new line breaks ("\r" in old Mac files)
};

namespace FileText {
// Detects the encoding (BOM, valid UTF-8, otherwise Latin-1) and the line-break
// convention (the first line break found; LF when a file has none, as is usual on Linux).
QString Decode(const QByteArray& bytes, FileFormat* format);
// Exact inverse of Decode for unedited text. In the single-byte encodings, characters
// typed later that the encoding cannot hold are written as numeric references ("&#8364;").
QByteArray Encode(const QString& text, const FileFormat& format);
// Reads bytes in the encoding the user chose, with no guessing: UTF-8 (a BOM kept as
// Utf8Bom), UTF-16 (Utf16LE or Utf16BE; no BOM reads as little-endian and gains one on
// saving), or one of the single-byte encodings, which take any bytes. False, with *error
// a sentence for the user, when the bytes are not text in that encoding.
bool DecodeAs(const QByteArray& bytes, TextEncoding encoding, QByteArray* utf8, FileFormat* format, QString* error);
// A character that a file's encoding cannot hold.
struct Unwritable {
    qsizetype index = -1;   // in the text, counted in UTF-16 units
    char32_t code = 0;
    int line = 0;           // from 0, as the editor counts lines
};
// EncodeFromUtf8 for saving to path. In an HTML or XML file (by its extension) a character
// the encoding cannot hold is written as a numeric reference, which stands for the
// character there; in any other file, or when it is a C1 control (a browser reads "&#128;"
// as the euro sign), nothing is encoded: false, with *unwritable the first such character.
bool EncodeForFile(const QString& path, const QByteArray& utf8, const FileFormat& format, QByteArray* bytes,
                   Unwritable* unwritable);
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
