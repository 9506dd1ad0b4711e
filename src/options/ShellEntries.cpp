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
    return value + QStringLiteral(" %f");
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

bool Apply(int index, bool on, const QString& programPath)
{
    bool changed = false;
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
    return changed;
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
