#pragma once
// The file manager's "Edit with QRN" entries: one freedesktop desktop entry
// per file class in $XDG_DATA_HOME/applications, offering this program for
// the class's MIME types.
#include <QString>
#include <QStringList>

namespace ShellEntries {
constexpr int EntryCount = 5;

// "html", "asp", "js", "css", "txt"
QString Tag(int index);
// "HTML files (*.html, *.htm, *.shtml, *.shtm)", ...
QString Caption(int index);
// The classes an entry serves: its tag + "file", and for HTML the two SHTML classes after it.
QStringList Classes(int index);
QString MimeTypes(const QString& fileClass);

QString Folder();
QString EntryPath(const QString& fileClass);
// The Exec value running programPath with the chosen file, quoted and escaped
// as desktop entries require.
QString ExecLine(const QString& programPath);
QString EntryText(const QString& fileClass, const QString& programPath);

// True when the entry of the index's own class exists, can be rewritten and names a command.
// The extra SHTML classes are not consulted.
bool IsPresent(int index);
// Creates (on) or removes (off) every entry of the index; true when a file changed.
bool Apply(int index, bool on, const QString& programPath);
// Lets the desktop see new or removed entries at once, when its tool is installed.
void RefreshDatabase();
// The user MIME package that defines SHTML pages, added with the HTML entry and
// removed with it; true when it changed.
QString MimePackagePath();
bool ApplyMimePackage(bool on);
}
