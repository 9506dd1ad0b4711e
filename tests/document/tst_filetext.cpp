// Files come back byte for byte: decoding, encoding, and CodeMax1's open and save.
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedPrompter.h"
#include "document/CodeMax1.h"
#include "document/FileText.h"

Q_DECLARE_METATYPE(TextEncoding)

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

// True when the current user can create files in dir despite its permissions (root).
bool canWriteInto(const QString& dir)
{
    QFile probe(dir + QStringLiteral("/probe"));
    const bool ok = probe.open(QIODevice::WriteOnly);
    if (ok)
        probe.remove();
    return ok;
}

} // namespace

class FileTextTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ScriptedPrompter::install(); }
    void cleanup() { Prompter::Install(nullptr); }

    void decode_data();
    void decode();
    void roundTripThroughEditor_data();
    void roundTripThroughEditor();
    void randomBytesRoundTrip();
    void editedTextKeepsEncoding_data();
    void editedTextKeepsEncoding();
    void normaliseLineBreaks_data();
    void normaliseLineBreaks();
    void saveFailures_data();
    void saveFailures();
    void saveIntoReadOnlyFolder();
    void openFailures_data();
    void openFailures();
    void symlinkStaysLink();
    void permissionsKept_data();
    void permissionsKept();
};

void FileTextTest::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QString>("lineBreak");

    const QString sample = QStringLiteral("<P>caf\u00e9 \u20ac</P>\r\n");
    QTest::newRow("utf-8") << sample.toUtf8() << sample << TextEncoding::Utf8 << "\r\n";
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + sample.toUtf8() << sample << TextEncoding::Utf8Bom
                               << "\r\n";
    QTest::newRow("utf-16le") << utf16(sample, false) << sample << TextEncoding::Utf16LE << "\r\n";
    QTest::newRow("utf-16be") << utf16(sample, true) << sample << TextEncoding::Utf16BE << "\r\n";
    QTest::newRow("latin-1") << QByteArray("caf\xE9\n") << QStringLiteral("caf\u00e9\n") << TextEncoding::Latin1
                             << "\n";
    QTest::newRow("cp1252 quotes") << QByteArray("\x93q\x94 \x80") << QStringLiteral("\u0093q\u0094 \u0080")
                                   << TextEncoding::Latin1 << "\n";
    QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF") << QStringLiteral("a\u00c0\u00af")
                                    << TextEncoding::Latin1 << "\n";
    QTest::newRow("utf-8 surrogate") << QByteArray("\xED\xA0\x80") << QStringLiteral("\u00ed\u00a0\u0080")
                                     << TextEncoding::Latin1 << "\n";
    QTest::newRow("truncated sequence") << QByteArray("x\xE2\x82") << QStringLiteral("x\u00e2\u0082")
                                        << TextEncoding::Latin1 << "\n";
    QTest::newRow("nul bytes") << QByteArray("a\0b\r\n\0", 6) << QString::fromUtf16(u"a\0b\r\n\0", 6)
                               << TextEncoding::Utf8 << "\r\n";
    QTest::newRow("empty") << QByteArray() << QString() << TextEncoding::Utf8 << "\n";
    QTest::newRow("lf first") << QByteArray("a\nb\r\nc") << QStringLiteral("a\nb\r\nc") << TextEncoding::Utf8
                              << "\n";
    QTest::newRow("crlf first") << QByteArray("a\r\nb\nc") << QStringLiteral("a\r\nb\nc") << TextEncoding::Utf8
                                << "\r\n";
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringLiteral("a\rb") << TextEncoding::Utf8 << "\r";
    QTest::newRow("odd utf-16") << QByteArray("\xFF\xFE" "a", 3) << QStringLiteral("\u00ff\u00fea")
                                << TextEncoding::Latin1 << "\n";
    QTest::newRow("utf-16 lone surrogate") << QByteArray("\xFF\xFE\x00\xD8" "a\x00", 6)
                                           << QString::fromLatin1("\xFF\xFE\x00\xD8" "a\x00", 6)
                                           << TextEncoding::Latin1 << "\n";
    QTest::newRow("double bom") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QStringLiteral("\ufeffx")
                                << TextEncoding::Utf8Bom << "\n";
    QTest::newRow("bom then invalid") << QByteArray("\xEF\xBB\xBF\xFF") << QStringLiteral("\u00ef\u00bb\u00bf\u00ff")
                                      << TextEncoding::Latin1 << "\n";
}

void FileTextTest::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(QString, lineBreak);

    FileFormat format;
    const QString decoded = FileText::Decode(bytes, &format);
    QCOMPARE(decoded, text);
    QCOMPARE(format.encoding, encoding);
    QCOMPARE(format.lineBreak, lineBreak);
    QCOMPARE(FileText::Encode(decoded, format), bytes);
}

void FileTextTest::roundTripThroughEditor_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QString sample = QStringLiteral("<HTML>\r\n<P>\u00c9t\u00e9 \u2014 \U0001F600</P>\r\n</HTML>");
    QTest::newRow("utf-8 crlf") << sample.toUtf8();
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + sample.toUtf8();
    QTest::newRow("utf-16le bom") << utf16(sample, false);
    QTest::newRow("utf-16be bom") << utf16(sample, true);
    QTest::newRow("latin-1") << QByteArray("<P>Gr\xFC\xDF" "e</P>\r\n");
    QTest::newRow("cp1252") << QByteArray("\x93" "quoted\x94 \x85 \x80 \x9F");
    QTest::newRow("invalid utf-8") << QByteArray("ok \xC3\x28 \xF5\x80\x80\x80 \xE0\x80\x80");
    QTest::newRow("lf") << QByteArray("one\ntwo\nthree\n");
    QTest::newRow("mixed endings") << QByteArray("a\r\nb\nc\rd\n\r");
    QTest::newRow("nul bytes") << QByteArray("a\0b\0\0c\r\n\0", 9);
    QTest::newRow("no final break") << QByteArray("last line");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only crlf") << QByteArray("\r\n\r\n");
    QByteArray big(5 * 1024 * 1024, 'x');
    big.replace(1000, 2, "\xC3\xA9");
    big.replace(4 * 1024 * 1024, 4, "\xF0\x9F\x98\x80");
    QTest::newRow("5 MB single line") << big;
}

void FileTextTest::roundTripThroughEditor()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString in = dir.filePath(QStringLiteral("in.html"));
    const QString out = dir.filePath(QStringLiteral("out.html"));
    QVERIFY(writeAll(in, bytes));

    CodeMax1 editor;
    editor.SetText(QStringLiteral("previous text"));
    QString error;
    QVERIFY2(editor.OpenFile(in, &error), qPrintable(error));
    QVERIFY(!editor.Modified());
    QVERIFY(!editor.CanUndo());
    QCOMPARE(editor.TextLength(), editor.Text().size());
    QVERIFY2(editor.SaveFile(out, false, &error), qPrintable(error));
    QVERIFY(readAll(out) == bytes);
    // Saving over the file it came from also leaves it unchanged.
    QVERIFY2(editor.SaveFile(in, false, &error), qPrintable(error));
    QVERIFY(readAll(in) == bytes);
}

void FileTextTest::randomBytesRoundTrip()
{
    QRandomGenerator rng(20240611);
    // Pieces that steer the generator towards the interesting cases.
    const QList<QByteArray> pieces = {
        QByteArray("\xEF\xBB\xBF"), QByteArray("\xFF\xFE"), QByteArray("\xFE\xFF"), QByteArray("\r\n"),
        QByteArray("\n"), QByteArray("\r"), QByteArray(1, '\0'), QByteArray("\xC3\xA9"),
        QByteArray("\xE2\x82\xAC"), QByteArray("\xF0\x9F\x98\x80"), QByteArray("\xED\xA0\x80"),
        QByteArray("\xC0\x80"), QByteArray("\x00\xD8", 2), QByteArray("\x00\xDC", 2), QByteArray("<a>"),
    };
    int failures = 0;
    QByteArray firstFailure;
    QMap<TextEncoding, int> seen;
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        const int parts = int(rng.bounded(12));
        for (int p = 0; p < parts; ++p) {
            switch (rng.bounded(3)) {
            case 0: bytes += pieces.at(int(rng.bounded(qsizetype(pieces.size())))); break;
            case 1: bytes += char(rng.bounded(256)); break;
            default: bytes += char('a' + rng.bounded(26)); break;
            }
        }
        FileFormat format;
        const QString text = FileText::Decode(bytes, &format);
        ++seen[format.encoding];
        if (FileText::Encode(text, format) != bytes && failures++ == 0)
            firstFailure = bytes;
    }
    QVERIFY2(failures == 0, firstFailure.toHex(' ').constData());
    // The generator reached every encoding, so the property covered them all.
    QCOMPARE(seen.size(), 5);
}

void FileTextTest::editedTextKeepsEncoding_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QByteArray>("expectedTail");

    QTest::newRow("utf-8") << int(TextEncoding::Utf8) << QStringLiteral("\u20ac") << QByteArray("\xE2\x82\xAC");
    QTest::newRow("utf-16le") << int(TextEncoding::Utf16LE) << QStringLiteral("\u20ac") << QByteArray("\xAC\x20");
    QTest::newRow("utf-16be") << int(TextEncoding::Utf16BE) << QStringLiteral("\u20ac") << QByteArray("\x20\xAC");
    QTest::newRow("latin-1 representable") << int(TextEncoding::Latin1) << QStringLiteral("\u00e9")
                                           << QByteArray("\xE9");
    QTest::newRow("latin-1 euro") << int(TextEncoding::Latin1) << QStringLiteral("\u20ac") << QByteArray("&#8364;");
    QTest::newRow("latin-1 emoji") << int(TextEncoding::Latin1) << QStringLiteral("\U0001F600")
                                   << QByteArray("&#128512;");
}

void FileTextTest::editedTextKeepsEncoding()
{
    QFETCH(int, encoding);
    QFETCH(QString, added);
    QFETCH(QByteArray, expectedTail);
    FileFormat format;
    format.encoding = TextEncoding(encoding);
    // The e-acute keeps a Latin-1 file from reading as plain ASCII (valid UTF-8).
    const QString before = QStringLiteral("caf\u00e9 ");
    const QByteArray bytes = FileText::Encode(before + added, format);
    QVERIFY2(bytes.endsWith(expectedTail), bytes.toHex(' ').constData());
    FileFormat again;
    const QString decoded = FileText::Decode(bytes, &again);
    QCOMPARE(again.encoding, format.encoding);
    if (!expectedTail.startsWith("&#"))
        QCOMPARE(decoded, before + added);
    else
        QCOMPARE(decoded, before + QString::fromLatin1(expectedTail));
}

void FileTextTest::normaliseLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<QString>("expected");

    QTest::newRow("lf to crlf") << "a\nb\n" << "\r\n" << "a\r\nb\r\n";
    QTest::newRow("crlf stays") << "a\r\nb" << "\r\n" << "a\r\nb";
    QTest::newRow("mixed to lf") << "a\r\nb\rc\nd" << "\n" << "a\nb\nc\nd";
    QTest::newRow("cr cr lf") << "a\r\r\nb" << "\n" << "a\n\nb";
    QTest::newRow("lf cr") << "a\n\rb" << "\r\n" << "a\r\n\r\nb";
    QTest::newRow("no breaks") << "abc" << "\r\n" << "abc";
    QTest::newRow("trailing cr") << "a\r" << "\n" << "a\n";
}

void FileTextTest::normaliseLineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, lineBreak);
    QFETCH(QString, expected);
    QCOMPARE(FileText::NormaliseLineBreaks(text, lineBreak), expected);
}

void FileTextTest::saveFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("path is a folder") << "folder";
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("under /proc") << "proc";
    QTest::newRow("read-only file") << "readonly";
}

void FileTextTest::saveFailures()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path;
    if (kind == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("nope/page.html"));
    } else if (kind == QLatin1String("proc")) {
        path = QStringLiteral("/proc/qrn-test-page.html");
    } else {
        path = dir.filePath(QStringLiteral("ro.html"));
        QVERIFY(writeAll(path, "old contents"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    CodeMax1 editor;
    editor.SetText(QStringLiteral("new text"));
    editor.SetSelText(QStringLiteral("typed "));
    QVERIFY(editor.Modified());

    QString error;
    QVERIFY(!editor.SaveFile(path, false, &error));
    QVERIFY(!error.isEmpty());
    if (kind == QLatin1String("folder"))
        QCOMPARE(error, QStringLiteral("'%1' is a folder.").arg(path));
    if (kind == QLatin1String("readonly")) {
        QVERIFY2(error.contains(QLatin1String("Permission denied")), qPrintable(error));
        QCOMPARE(readAll(path), QByteArray("old contents"));
    }
    QVERIFY(editor.Modified());
    QCOMPARE(editor.Text(), QStringLiteral("typed new text"));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/qrn-test-page.html")));
}

void FileTextTest::saveIntoReadOnlyFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool writable = canWriteInto(folder);
    if (writable) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("Running with rights that ignore folder permissions (root); covered by the other failure cases.");
    }
    CodeMax1 editor;
    editor.SetText(QStringLiteral("x"));
    editor.SetModified(true);
    QString error;
    QVERIFY(!editor.SaveFile(folder + QStringLiteral("/page.html"), false, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(editor.Modified());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void FileTextTest::openFailures_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << true << "is a folder";
    QTest::newRow("missing file") << false << "No such file";
}

void FileTextTest::openFailures()
{
    QFETCH(bool, folder);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = folder ? dir.path() : dir.filePath(QStringLiteral("absent.html"));
    CodeMax1 editor;
    editor.SetText(QStringLiteral("keep me"));
    editor.SetSelText(QStringLiteral("edited "));
    QString error;
    QVERIFY(!editor.OpenFile(path, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(editor.Text(), QStringLiteral("edited keep me"));
    QVERIFY(editor.Modified());
}

void FileTextTest::symlinkStaysLink()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("real/page.html"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("real"))));
    QVERIFY(writeAll(target, "before\n"));
    const QString link = dir.filePath(QStringLiteral("link.html"));
    QVERIFY(QFile::link(target, link));

    CodeMax1 editor;
    QVERIFY(editor.OpenFile(link));
    editor.SetCaretPos(0, 6);
    editor.SetSelText(QStringLiteral(" and after"));
    QString error;
    QVERIFY2(editor.SaveFile(link, false, &error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(readAll(target), QByteArray("before and after\n"));
    QVERIFY(!editor.Modified());
}

void FileTextTest::permissionsKept_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("0640") << 0640;
    QTest::newRow("0600") << 0600;
    QTest::newRow("0755") << 0755;
}

void FileTextTest::permissionsKept()
{
    QFETCH(int, mode);
    const auto toPermissions = [](int m) {
        QFileDevice::Permissions p;
        if (m & 0400) p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
        if (m & 0200) p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
        if (m & 0100) p |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
        if (m & 040) p |= QFileDevice::ReadGroup;
        if (m & 020) p |= QFileDevice::WriteGroup;
        if (m & 010) p |= QFileDevice::ExeGroup;
        if (m & 04) p |= QFileDevice::ReadOther;
        if (m & 02) p |= QFileDevice::WriteOther;
        if (m & 01) p |= QFileDevice::ExeOther;
        return p;
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QVERIFY(writeAll(path, "text"));
    QVERIFY(QFile::setPermissions(path, toPermissions(mode)));
    const auto before = QFileInfo(path).permissions();

    CodeMax1 editor;
    QVERIFY(editor.OpenFile(path));
    editor.SetSelText(QStringLiteral("more "));
    QString error;
    QVERIFY2(editor.SaveFile(path, false, &error), qPrintable(error));
    QCOMPARE(readAll(path), QByteArray("more text"));
    QCOMPARE(QFileInfo(path).permissions(), before);
}

QTEST_MAIN(FileTextTest)
#include "tst_filetext.moc"
