// The "Edit with QRN" entries of the desktop, added and taken back without touching the user's defaults.
#include "options/ShellEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
struct Entry {
    const char* tag;
    const char* caption;
};

const Entry kEntries[ShellEntries::EntryCount] = {
    {"html", QT_TRANSLATE_NOOP("ShellEntries", "HTML files (*.html, *.htm, *.shtml, *.shtm)")},
    {"asp", QT_TRANSLATE_NOOP("ShellEntries", "ASP files (*.asp)")},
    {"js", QT_TRANSLATE_NOOP("ShellEntries", "Javascript files (*.js)")},
    {"css", QT_TRANSLATE_NOOP("ShellEntries", "Stylesheets (*.css)")},
    {"txt", QT_TRANSLATE_NOOP("ShellEntries", "Text files (*.txt)")},
};

// Characters that force the program path into double quotes.
bool needsQuotes(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (QChar c : path)
        if (reserved.contains(c))
            return true;
    return path.isEmpty();
}

// The Exec value of an entry file, or empty when it has none.
QString execOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    bool inMainGroup = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == QLatin1String("Exec"))
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}
} // namespace

namespace ShellEntries {
QString Tag(int index)
{
    return QLatin1String(kEntries[index].tag);
}

QString Caption(int index)
{
    return QCoreApplication::translate("ShellEntries", kEntries[index].caption);
}

QStringList Classes(int index)
{
    QStringList classes{Tag(index) + QStringLiteral("file")};
    if (index == 0)
        classes << QStringLiteral("shtmlfile") << QStringLiteral("shtmfile");
    return classes;
}

QString MimeTypes(const QString& fileClass)
{
    if (fileClass == QLatin1String("htmlfile"))
        return QStringLiteral("text/html;");
    if (fileClass == QLatin1String("shtmlfile") || fileClass == QLatin1String("shtmfile"))
        return QStringLiteral("text/x-server-parsed-html;");
    if (fileClass == QLatin1String("aspfile"))
        return QStringLiteral("application/x-asp;");
    if (fileClass == QLatin1String("jsfile"))
        return QStringLiteral("application/javascript;text/javascript;");
    if (fileClass == QLatin1String("cssfile"))
        return QStringLiteral("text/css;");
    return QStringLiteral("text/plain;");
}

QString Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications");
}

QString EntryPath(const QString& fileClass)
{
    return Folder() + QStringLiteral("/qrn-") + fileClass + QStringLiteral(".desktop");
}

QString ExecLine(const QString& programPath)
{
    QString program = programPath;
    // GLib looks the first word up as it stands, before "%%" becomes "%", so a
    // path holding "%" would never be found: "env" starts it instead.
    const bool percent = program.contains(QLatin1Char('%'));
    program.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (needsQuotes(program)) {
        QString quoted;
        for (QChar c : program) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        program = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // The value is then a string value of the file, whose own escapes come last.
    QString value;
    for (QChar c : program) {
        if (c == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return (percent ? QStringLiteral("env ") : QString()) + value + QStringLiteral(" %f");
}

QString EntryText(const QString& fileClass, const QString& programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Edit with QRN\n"
                          "Exec=%1\n"
                          "MimeType=%2\n"
                          "NoDisplay=true\n"
                          "Terminal=false\n")
        .arg(ExecLine(programPath), MimeTypes(fileClass));
}

bool IsPresent(int index)
{
    const QString path = EntryPath(Classes(index).first());
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && info.isWritable() && !execOf(path).isEmpty();
}

namespace {
QString mimeAppsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mimeapps.list");
}

QString recordPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qrn/mimeapps-kept");
}

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) >= 0)
        f.commit();
}

// The "[Default Applications]" line for mimeType in the user's list, or -1.
int defaultLine(const QStringList& lines, const QString& mimeType, int* group)
{
    bool inGroup = false;
    *group = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Default Applications]");
            if (inGroup)
                *group = i;
        } else if (inGroup && line.section(QLatin1Char('='), 0, 0).trimmed() == mimeType) {
            return i;
        }
    }
    return -1;
}

// The desktop's default program for mimeType, as GLib chooses it now.
QString currentDefault(const QString& mimeType)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return QString();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(gio, {QStringLiteral("mime"), mimeType});
    if (!p.waitForFinished(10000))
        return QString();
    const QString first = QString::fromUtf8(p.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
    if (!first.startsWith(QLatin1String("Default application for")))
        return QString();
    return first.section(QStringLiteral(": "), 1).trimmed();
}

// Before our entries declare mimeType, the default the user has now is written
// down, so that ours never becomes it; what we wrote is remembered to be taken back.
void keepDefault(const QString& mimeType)
{
    QStringList lines = readLines(mimeAppsPath());
    int group = -1;
    if (defaultLine(lines, mimeType, &group) >= 0)
        return;   // the user's own choice stands
    const QString current = currentDefault(mimeType);
    if (current.isEmpty() || current.startsWith(QLatin1String("qrn-")))
        return;
    const QString line = mimeType + QLatin1Char('=') + current;
    if (group < 0) {
        lines << QStringLiteral("[Default Applications]");
        group = int(lines.size()) - 1;
    }
    lines.insert(group + 1, line);
    writeLines(mimeAppsPath(), lines);
    QStringList record = readLines(recordPath());
    record << line;
    writeLines(recordPath(), record);
}

// Takes back only the lines we wrote, and only while they are as we wrote them.
void releaseDefault(const QString& mimeType)
{
    QStringList record = readLines(recordPath());
    QStringList lines = readLines(mimeAppsPath());
    bool changed = false;
    for (int r = int(record.size()) - 1; r >= 0; --r) {
        if (record.at(r).section(QLatin1Char('='), 0, 0) != mimeType)
            continue;
        int group = -1;
        const int at = defaultLine(lines, mimeType, &group);
        if (at >= 0 && lines.at(at).trimmed() == record.at(r)) {
            lines.removeAt(at);
            changed = true;
        }
        record.removeAt(r);
    }
    if (changed)
        writeLines(mimeAppsPath(), lines);
    if (record.isEmpty())
        QFile::remove(recordPath());
    else
        writeLines(recordPath(), record);
}
} // namespace

bool Apply(int index, bool on, const QString& programPath)
{
    bool changed = false;
    for (const QString& fileClass : Classes(index))
        for (const QString& mimeType : MimeTypes(fileClass).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            // Only when an entry is added or removed, never for one already there.
            const bool present = QFileInfo::exists(EntryPath(fileClass));
            if (on && !present)
                keepDefault(mimeType);
            else if (!on && present)
                releaseDefault(mimeType);
        }
    for (const QString& fileClass : Classes(index)) {
        const QString path = EntryPath(fileClass);
        if (!on) {
            if (QFileInfo::exists(path) && QFile::remove(path))
                changed = true;
            continue;
        }
        const QByteArray text = EntryText(fileClass, programPath).toUtf8();
        QFile old(path);
        if (old.open(QIODevice::ReadOnly) && old.readAll() == text)
            continue;
        QDir().mkpath(Folder());
        QSaveFile out(path);
        if (out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit())
            changed = true;
    }
    // The HTML entry covers SHTML pages, which need a type of their own.
    if (index == 0)
        ApplyMimePackage(on);
    return changed;
}

QString MimePackagePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/mime/packages/qrn-shtml.xml");
}

namespace {
// Debian's MIME database has no type for server-parsed pages, so an ".shtml"
// that begins with text reads as plain text and gets no "Edit with QRN".
constexpr const char* kShtmlPackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"text/x-server-parsed-html\">\n"
    "    <comment>Server-parsed HTML page</comment>\n"
    "    <sub-class-of type=\"text/html\"/>\n"
    "    <glob pattern=\"*.shtml\"/>\n"
    "    <glob pattern=\"*.shtm\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

void updateMimeDatabase()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty())
        return;
    QProcess process;
    process.start(tool, {QFileInfo(QFileInfo(MimePackagePath()).absolutePath()).absolutePath()});
    process.waitForFinished(20000);
}
} // namespace

bool ApplyMimePackage(bool on)
{
    const QString path = MimePackagePath();
    if (!on) {
        if (!QFileInfo::exists(path) || !QFile::remove(path))
            return false;
        updateMimeDatabase();
        return true;
    }
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == kShtmlPackage)
        return false;
    old.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(kShtmlPackage) < 0 || !out.commit())
        return false;
    updateMimeDatabase();
    return true;
}

void RefreshDatabase()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (tool.isEmpty() || !QFileInfo(Folder()).isDir())
        return;
    QProcess process;
    process.start(tool, {Folder()});
    process.waitForFinished(10000);
}
}
