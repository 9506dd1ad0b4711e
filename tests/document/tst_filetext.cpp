// Files come back byte for byte: decoding, encoding, and CodeMax1's open and save.
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>

#include "ScriptedPrompter.h"
#include "TestFiles.h"
#include "document/CodeMax1.h"
#include "document/DocumentFile.h"
#include "document/FileText.h"

Q_DECLARE_METATYPE(TextEncoding)

class FileTextTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void init() { ScriptedPrompter::install(); }
    void cleanup() { Prompter::Install(nullptr); }

    // Every row is decoded, encoded again, and opened and saved by the editor: all byte-identical.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("lineBreak");
        const auto row = [](const char* name, const QByteArray& bytes, const QString& text, TextEncoding encoding,
                            const char* lineBreak = "\n") {
            QTest::newRow(name) << bytes << text << encoding << QString::fromLatin1(lineBreak);
        };
        using E = TextEncoding;
        const QString sample = QStringLiteral("<P>\u00c9t\u00e9 \u20ac \U0001F600</P>\r\n");
        const auto utf16 = [&](QStringConverter::Encoding e) {
            return QByteArray(QStringEncoder(e, QStringConverter::Flag::WriteBom).encode(sample));
        };
        row("utf-8 crlf", sample.toUtf8(), sample, E::Utf8, "\r\n");
        row("utf-8 bom", "\xEF\xBB\xBF" + sample.toUtf8(), sample, E::Utf8Bom, "\r\n");
        row("utf-16le", utf16(QStringConverter::Utf16LE), sample, E::Utf16LE, "\r\n");
        row("utf-16be", utf16(QStringConverter::Utf16BE), sample, E::Utf16BE, "\r\n");
        row("latin-1", "Gr\xFC\xDF" "e\n", QStringLiteral("Gr\u00fc\u00dfe\n"), E::Latin1);
        row("cp1252 bytes", "\x93q\x94 \x85 \x80", QStringLiteral("\u0093q\u0094 \u0085 \u0080"), E::Latin1);
        row("overlong slash", "a\xC0\xAF", QStringLiteral("a\u00c0\u00af"), E::Latin1);
        row("utf-8 surrogate", "\xED\xA0\x80", QStringLiteral("\u00ed\u00a0\u0080"), E::Latin1);
        row("truncated sequence", "x\xE2\x82", QStringLiteral("x\u00e2\u0082"), E::Latin1);
        row("nul bytes", QByteArray("a\0b\r\n\0", 6), QString::fromUtf16(u"a\0b\r\n\0", 6), E::Utf8, "\r\n");
        row("empty", QByteArray(), QString(), E::Utf8);
        row("lf first, no final break", "a\nb\r\nc", "a\nb\r\nc", E::Utf8);
        row("crlf first", "a\r\nb\nc\rd\n\r", "a\r\nb\nc\rd\n\r", E::Utf8, "\r\n");
        row("lone cr", "a\rb", "a\rb", E::Utf8, "\r");
        row("only crlf", "\r\n\r\n", "\r\n\r\n", E::Utf8, "\r\n");
        row("odd utf-16", QByteArray("\xFF\xFE" "a", 3), QStringLiteral("\u00ff\u00fea"), E::Latin1);
        row("utf-16 lone surrogate", QByteArray("\xFF\xFE\x00\xD8" "a\x00", 6),
            QString::fromLatin1("\xFF\xFE\x00\xD8" "a\x00", 6), E::Latin1);
        row("utf-16le bom then U+FEFF", QByteArray("\xFF\xFE\xFF\xFE" "A\x00", 6), QStringLiteral("\ufeffA"), E::Utf16LE);
        row("utf-16be bom then U+FEFF", QByteArray("\xFE\xFF\xFE\xFF\x00" "A", 6), QStringLiteral("\ufeffA"), E::Utf16BE);
        row("double bom", "\xEF\xBB\xBF\xEF\xBB\xBFx", QStringLiteral("\ufeffx"), E::Utf8Bom);
        row("bom then invalid", "\xEF\xBB\xBF\xFF", QStringLiteral("\u00ef\u00bb\u00bf\u00ff"), E::Latin1);
        QByteArray big(5 * 1024 * 1024, 'x');
        big.replace(1000, 2, "\xC3\xA9");
        big.replace(4 * 1024 * 1024, 4, "\xF0\x9F\x98\x80");
        row("5 MB single line", big, QString::fromUtf8(big), E::Utf8);
    }

    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, lineBreak);
        FileFormat format;
        QCOMPARE(FileText::Decode(bytes, &format), text);
        QCOMPARE(format.encoding, encoding);
        QCOMPARE(format.lineBreak, lineBreak);

        const QString in = WriteTestFile(dir, "in.html", bytes), out = dir.filePath("out.html");
        CodeMax1 editor;
        editor.SetText("previous text");
        QString error;
        QVERIFY2(editor.OpenFile(in, &error), qPrintable(error));
        QVERIFY(!editor.Modified() && !editor.CanUndo());
        QCOMPARE(editor.TextLength(), text.size());
        QCOMPARE(editor.Text(), text);
        QVERIFY2(editor.SaveFile(out, false, &error), qPrintable(error));
        QVERIFY(ReadTestFile(out) == bytes);
        QVERIFY2(editor.SaveFile(in, false, &error), qPrintable(error));  // over the file it came from
        QVERIFY(ReadTestFile(in) == bytes);
    }

    // A large file's pieces as they come from the disk: characters and CR LF split between pieces,
    // the first line break setting the convention, and what is not UTF-8 turned back.
    void piecesIntoTheControl_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QByteArray>("text");   // empty: declined, and nothing of the file left in the control
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("lineBreak");
        using E = TextEncoding;
        QTest::newRow("BOM, split character, split CR LF")
            << QByteArrayList{"\xEF\xBB\xBF" "ab\xE2", "\x82", "\xAC\xF0\x9F", "\x98\x80" "c\r", "\nd\r"}
            << QByteArray("ab\xE2\x82\xAC\xF0\x9F\x98\x80\x63\r\nd\r") << E::Utf8Bom << "\r\n";
        QTest::newRow("lone CR at a piece's end") << QByteArrayList{"ab\r", "x\r\n"} << QByteArray("ab\rx\r\n") << E::Utf8 << "\r";
        QTest::newRow("CR ending the file") << QByteArrayList{"ab\r"} << QByteArray("ab\r") << E::Utf8 << "\r";
        QTest::newRow("LF first") << QByteArrayList{"a\n", "\r\n"} << QByteArray("a\n\r\n") << E::Utf8 << "\n";
        QTest::newRow("no break") << QByteArrayList{"abc"} << QByteArray("abc") << E::Utf8 << "\n";
        QTest::newRow("ends inside a character") << QByteArrayList{"ab", "c\xC3"} << QByteArray() << E::Utf8 << "";
        QTest::newRow("Latin-1 in a later piece") << QByteArrayList{"ab", "\xE9x"} << QByteArray() << E::Utf8 << "";
        QTest::newRow("UTF-16") << QByteArrayList{QByteArray("\xFF\xFE\x61\x00", 4), "\x62"} << QByteArray() << E::Utf8 << "";
    }
    void piecesIntoTheControl()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QByteArray, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, lineBreak);
        CodeMax1 editor;
        editor.SetText("previous");
        DocumentFile::Utf8Stream stream(editor, 16);
        bool taken = true;
        for (const QByteArray& piece : pieces)
            taken = taken && stream.take(piece.constData(), piece.size());
        FileFormat format;
        QCOMPARE(taken && stream.finish(&format), !text.isEmpty());
        QCOMPARE(editor.Utf8Text(), text.isEmpty() && editor.Utf8Text() == "previous" ? "previous" : text);
        QVERIFY(!editor.CanUndo());
        if (!text.isEmpty())
            QCOMPARE(std::pair(format.encoding, format.lineBreak), std::pair(encoding, lineBreak));
    }

    // Files over 64 MB are read 32 MB at a time, straight into the control when they are UTF-8.
    void largeFilesComeBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        constexpr qsizetype piece = 32 * 1024 * 1024;
        QByteArray lines;
        while (lines.size() < 70 * 1024 * 1024)
            lines += "<p class=\"x\">Text of a line</p>\r\n";
        QByteArray utf8 = lines, latin1 = lines;
        utf8.replace(piece - 2, 4, "\xF0\x9F\x98\x80");   // across the first two pieces
        latin1.replace(piece + 7, 1, "\xE9");
        QTest::newRow("UTF-8") << utf8 << TextEncoding::Utf8;
        QTest::newRow("Latin-1 after the first piece") << latin1 << TextEncoding::Latin1;
    }
    void largeFilesComeBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        const QString in = WriteTestFile(dir, "large.html", bytes), out = dir.filePath("large-out.html");
        CodeMax1 editor;
        QString error;
        QVERIFY2(editor.OpenFile(in, &error), qPrintable(error));
        QCOMPARE(std::pair(editor.Format().encoding, editor.Format().lineBreak), std::pair(encoding, QString("\r\n")));
        QVERIFY2(editor.SaveFile(out, false, &error), qPrintable(error));
        QVERIFY(ReadTestFile(out) == bytes);
    }

    void randomBytesRoundTrip()
    {
        QRandomGenerator rng(20240611);
        // Pieces that steer the generator towards the interesting cases.
        const QList<QByteArray> pieces = {
            "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\r\n", "\n", "\r", QByteArray(1, '\0'), "\xC3\xA9",
            "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xED\xA0\x80", "\xC0\x80", QByteArray("\x00\xD8", 2),
            QByteArray("\x00\xDC", 2), "<a>",
        };
        QMap<TextEncoding, int> seen;
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes;
            for (int p = int(rng.bounded(12)); p > 0; --p) {
                const int kind = int(rng.bounded(3));
                bytes += kind == 0 ? pieces.at(int(rng.bounded(qsizetype(pieces.size()))))
                                   : QByteArray(1, char(kind == 1 ? rng.bounded(256) : 'a' + rng.bounded(26)));
            }
            FileFormat format;
            const QString text = FileText::Decode(bytes, &format);
            ++seen[format.encoding];
            QVERIFY2(FileText::Encode(text, format) == bytes, bytes.toHex(' ').constData());
        }
        QCOMPARE(seen.size(), 5);  // the generator reached every encoding
    }

    void editedTextKeepsEncoding()
    {
        // The e-acute keeps a Latin-1 file from reading as plain ASCII (valid UTF-8).
        const QString before = QStringLiteral("caf\u00e9 ");
        using E = TextEncoding;
        const QList<std::tuple<TextEncoding, QString, QByteArray>> cases = {
            {E::Utf8, "\u20ac", "\xE2\x82\xAC"},  {E::Utf16LE, "\u20ac", "\xAC\x20"},
            {E::Utf16BE, "\u20ac", "\x20\xAC"},    {E::Latin1, "\u00e9", "\xE9"},
            {E::Latin1, "\u20ac", "&#8364;"},      {E::Latin1, "\U0001F600", "&#128512;"},
        };
        for (const auto& [encoding, added, tail] : cases) {
            const QByteArray bytes = FileText::Encode(before + added, {encoding});
            QVERIFY2(bytes.endsWith(tail), bytes.toHex(' ').constData());
            FileFormat again;
            QCOMPARE(FileText::Decode(bytes, &again), before + (tail.startsWith("&#") ? QString::fromLatin1(tail) : added));
            QCOMPARE(again.encoding, encoding);
        }
    }

    // File > Reopen with Encoding: the bytes read in the chosen encoding, with no guessing, and
    // saved unedited they come back the same (UTF-16 without a BOM gains one); bytes that are not
    // text in it are refused, and the editor keeps its text and format.
    void chosenEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("chosen");
        QTest::addColumn<QString>("text");        // what the editor shows
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("saved");    // empty: the bytes themselves
        QTest::addColumn<QString>("error");       // a refusal: part of its message
        using E = TextEncoding;
        QByteArray every(256, 0);
        for (int i = 0; i < 256; ++i)
            every[i] = char(i);
        const QString ascii = QString::fromLatin1(every.left(0x80));
        // As the published code charts have them; 81 8D 8F 90 9D read as in browsers.
        const QString cp1252 = ascii + QStringLiteral("\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039"
                                                      "\u0152\u008d\u017d\u008f\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014"
                                                      "\u02dc\u2122\u0161\u203a\u0153\u009d\u017e\u0178") +
                               QString::fromLatin1(every.mid(0xA0));
        const QString latin9 = QString::fromLatin1(every.left(0xA0)) +
                               QStringLiteral("\u00a0\u00a1\u00a2\u00a3\u20ac\u00a5\u0160\u00a7\u0161\u00a9\u00aa\u00ab"
                                              "\u00ac\u00ad\u00ae\u00af\u00b0\u00b1\u00b2\u00b3\u017d\u00b5\u00b6\u00b7"
                                              "\u017e\u00b9\u00ba\u00bb\u0152\u0153\u0178\u00bf") +
                               QString::fromLatin1(every.mid(0xC0));
        const auto row = [](const char* name, const QByteArray& bytes, E chosen, const QString& text, E encoding,
                            const QByteArray& saved = {}, const QString& error = {}) {
            QTest::newRow(name) << bytes << chosen << text << encoding << saved << error;
        };
        row("all bytes, ISO-8859-1", every, E::Latin1, QString::fromLatin1(every), E::Latin1);
        row("all bytes, Windows-1252", every, E::Windows1252, cp1252, E::Windows1252);
        row("all bytes, ISO-8859-15", every, E::Latin9, latin9, E::Latin9);
        row("UTF-8 read as ISO-8859-1", "caf\xC3\xA9\r\n", E::Latin1, QStringLiteral("caf\u00c3\u00a9\r\n"), E::Latin1);
        row("UTF-8 with BOM", "\xEF\xBB\xBF\xE2\x82\xAC", E::Utf8, QStringLiteral("\u20ac"), E::Utf8Bom);
        row("UTF-16 LE", QByteArray("\xFF\xFE\xAC\x20\x0A\x00", 6), E::Utf16LE, QStringLiteral("\u20ac\n"), E::Utf16LE);
        row("UTF-16 BE", QByteArray("\xFE\xFF\xD8\x3D\xDE\x00", 6), E::Utf16LE, QStringLiteral("\U0001F600"), E::Utf16BE);
        row("UTF-16 without BOM", QByteArray("a\x00\xE9\x00", 4), E::Utf16LE, QStringLiteral("a\u00e9"), E::Utf16LE,
            QByteArray("\xFF\xFE" "a\x00\xE9\x00", 6));
        row("Latin-1 as UTF-8", "ab\ncaf\xE9!", E::Utf8, "", E::Utf8, {}, "the byte 0xE9 on line 2 (byte 7 of the file)");
        row("UTF-16 as UTF-8", QByteArray("\xFF\xFE" "a\x00", 4), E::Utf8, "", E::Utf8, {}, "byte 0xFF on line 1 (byte 1");
        row("odd length as UTF-16", QByteArray("\xFF\xFE" "a\x00" "b", 5), E::Utf16LE, "", E::Utf8, {}, "odd number of bytes");
        row("lone surrogate as UTF-16", QByteArray("\x00\xDC" "a\x00", 4), E::Utf16LE, "", E::Utf8, {}, "surrogate");
    }
    void chosenEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, chosen);
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, saved);
        QFETCH(QString, error);
        const QString path = WriteTestFile(dir, "chosen.html", bytes);
        CodeMax1 editor;
        editor.SetText("before");
        editor.SetFormat({TextEncoding::Utf8, "\n"});
        editor.SetModified(true);
        QString why;
        QCOMPARE(editor.ReloadFile(path, &why, chosen), error.isEmpty());
        if (!error.isEmpty()) {
            QVERIFY2(why.contains(error), qPrintable(why));
            QVERIFY(editor.Text() == "before" && editor.Modified() && editor.Format().encoding == TextEncoding::Utf8);
            return;
        }
        QCOMPARE(editor.Text(), text);
        QCOMPARE(editor.Format().encoding, encoding);
        QVERIFY(!editor.Modified());
        QVERIFY2(editor.SaveFile(path, false, &why), qPrintable(why));
        QCOMPARE(ReadTestFile(path).toHex(' '), (saved.isEmpty() ? bytes : saved).toHex(' '));
    }

    // A character the encoding cannot hold: a numeric reference in an HTML or XML file, a
    // refusal naming it and its line in any other, the file on disk left as it was.
    void unwritableCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");   // empty: refused
        QTest::addColumn<QString>("message");
        using E = TextEncoding;
        const QString euro = QStringLiteral("a\r\nb\rc\n\u20ac!");
        QTest::newRow("html, ISO-8859-1") << "page.html" << E::Latin1 << euro << QByteArray("a\r\nb\rc\n&#8364;!") << "";
        QTest::newRow("css, ISO-8859-1") << "site.css" << E::Latin1 << euro << QByteArray()
                                         << "ISO-8859-1 has no place for the character '\u20ac' (U+20AC) on line 4.";
        QTest::newRow("HTM, ISO-8859-15") << "PAGE.HTM" << E::Latin9 << "\u20ac\u00bd\U0001F600" << QByteArray("\xA4&#189;&#128512;") << "";
        QTest::newRow("txt, ISO-8859-15") << "notes.txt" << E::Latin9 << "x\u00a4" << QByteArray()
                                          << "ISO-8859-15 has no place for the character '\u00a4' (U+00A4) on line 1.";
        QTest::newRow("xml, Windows-1252") << "feed.xml" << E::Windows1252 << "\u201cq\u201d \u0394" << QByteArray("\x93q\x94 &#916;") << "";
        QTest::newRow("js, Windows-1252") << "app.js" << E::Windows1252 << "\n\n\U0001F600" << QByteArray()
                                          << "Windows-1252 has no place for the character '\U0001F600' (U+1F600) on line 3.";
        QTest::newRow("css in a folder with a dot") << "web.site/a.css" << E::Windows1252 << "\u2192" << QByteArray()
                                                    << "the character '\u2192' (U+2192) on line 1";
        QTest::newRow("C1 control in html") << "page.html" << E::Windows1252 << "\u0080" << QByteArray()
                                            << "the character U+0080 on line 1";
        QTest::newRow("C1 control kept in ISO-8859-1") << "page.html" << E::Latin1 << "\u0080" << QByteArray("\x80") << "";
        QTest::newRow("css, UTF-16") << "site.css" << E::Utf16LE << "\u20ac" << QByteArray("\xFF\xFE\xAC\x20") << "";
    }
    void unwritableCharacters()
    {
        QFETCH(QString, name);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        QTemporaryDir tmp;
        const QString path = WriteTestFile(tmp, name, "on disk");
        CodeMax1 editor;
        editor.SetText(text);
        editor.SetFormat({encoding, "\n"});
        editor.SetModified(true);
        QString error;
        QCOMPARE(editor.SaveFile(path, false, &error), !written.isEmpty());
        QVERIFY2(error.contains(message) && (written.isEmpty() == error.contains(path)), qPrintable(error));
        QCOMPARE(ReadTestFile(path).toHex(' '), (written.isEmpty() ? QByteArray("on disk") : written).toHex(' '));
        QCOMPARE(editor.Modified(), written.isEmpty());
    }

    void normaliseLineBreaks()
    {
        const QList<std::tuple<QString, QString, QString>> cases = {
            {"a\nb\n", "\r\n", "a\r\nb\r\n"}, {"a\r\nb", "\r\n", "a\r\nb"}, {"a\r\nb\rc\nd", "\n", "a\nb\nc\nd"},
            {"a\r\r\nb", "\n", "a\n\nb"},     {"a\n\rb", "\r\n", "a\r\n\r\nb"}, {"a\r", "\n", "a\n"},
        };
        for (const auto& [text, lineBreak, expected] : cases)
            QCOMPARE(FileText::NormaliseLineBreaks(text, lineBreak), expected);
    }

    // A failed open or save reports why and keeps both the edited text and the file on disk.
    void failures_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("open folder") << false << "folder" << "is a folder";
        QTest::newRow("open missing file") << false << "missing" << "No such file";
        QTest::newRow("save over folder") << true << "folder" << "is a folder";
        QTest::newRow("save into missing folder") << true << "missing folder" << "";
        QTest::newRow("save under /proc") << true << "/proc" << "";
        QTest::newRow("save read-only file") << true << "read-only file" << "Permission denied";
        QTest::newRow("save into read-only folder") << true << "read-only folder" << "";
    }

    void failures()
    {
        QFETCH(bool, save);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir tmp;
        QString path = tmp.filePath("page.html");
        if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "missing folder")
            path = tmp.filePath("nope/page.html");
        else if (kind == "/proc")
            path = "/proc/qrn-test-page.html";
        else if (kind == "read-only file")
            QVERIFY(!WriteTestFile(tmp, "page.html", "old contents").isEmpty() && ::chmod(qPrintable(path), 0444) == 0);
        else if (kind == "read-only folder" && ::chmod(qPrintable(tmp.path()), 0555) == 0
                 && !WriteTestFile(tmp, "probe", "x").isEmpty())
            QSKIP("Running with rights that ignore folder permissions (root).");
        CodeMax1 editor;
        editor.SetText("new text");
        editor.SetSelText("typed ");
        QString error;
        QVERIFY(!(save ? editor.SaveFile(path, false, &error) : editor.OpenFile(path, &error)));
        ::chmod(qPrintable(tmp.path()), 0755);
        QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
        QVERIFY(editor.Modified() && editor.Text() == QStringLiteral("typed new text"));
        QCOMPARE(ReadTestFile(path), QByteArray(kind == "read-only file" ? "old contents" : "<missing>"));
    }

    // Saving writes through a link and keeps the file's permissions.
    void savedFileKeepsLinkAndMode()
    {
        for (auto [mode, viaLink] : QList<std::pair<int, bool>>{{0640, false}, {0755, false}, {0600, true}}) {
            QTemporaryDir tmp;
            const QString target = WriteTestFile(tmp, "real/page.html", "text\n");
            QVERIFY(::chmod(qPrintable(target), mode_t(mode)) == 0);
            const auto permissions = QFileInfo(target).permissions();
            const QString path = viaLink ? tmp.filePath("link.html") : target;
            QVERIFY(!viaLink || QFile::link(target, path));
            CodeMax1 editor;
            QVERIFY(editor.OpenFile(path));
            editor.SetSelText("more ");
            QString error;
            QVERIFY2(editor.SaveFile(path, false, &error), qPrintable(error));
            QVERIFY(!editor.Modified());
            QCOMPARE(ReadTestFile(target), QByteArray("more text\n"));
            QCOMPARE(QFileInfo(target).permissions(), permissions);
            QCOMPARE(QFileInfo(path).isSymLink(), viaLink);
            QVERIFY(!viaLink || QFileInfo(path).symLinkTarget() == target);
        }
    }
};

QTEST_MAIN(FileTextTest)
#include "tst_filetext.moc"
