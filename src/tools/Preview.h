#pragma once
// Preview mode of a document window and the external browser: both show a
// temporary copy "~preview_qrn.<extension>" of the editor's text.
#include <QString>

class QObject;
class QWidget;
class frmDocument;
class Workspace;

namespace Preview {
// Mapping of the extension in preview mode.
enum class Mapping {
    None,        // previewed as it is
    AsHtml,      // "asp": told, then previewed as "shtml"
    AsRawText,   // "css", "js": asked, then previewed as "txt"
};

struct Target {
    QString folder;      // ends with "/"
    QString extension;   // after the mapping, when one applies
    Mapping mapping = Mapping::None;
    QString originalExtension;
    QString Path() const { return folder + QStringLiteral("~preview_qrn.") + extension; }
};

// Writes the copy the browser shows: beside the page, so that its relative addresses
// resolve; where that folder cannot be written, in the per-user folder with a BASE
// that points them back at the page's folder. owner (doc when null) is who made it,
// for its removal. The path written, or empty after a message naming the cause.
QString WriteCopy(Workspace* main, frmDocument* doc, const Target& t, const QObject* owner = nullptr);

// page with a BASE pointing at folder, so that its relative addresses resolve there
// from a copy elsewhere; a page with a BASE of its own is left as it is.
QString WithBase(const QString& page, const QString& folder);

// The extension of a document path: the text after the last "." of its file
// name, letter case kept; "html" when the name has none.
QString ExtensionOf(const QString& path);
// Where the copy of a document goes. path is its file, or empty when untitled
// (the per-user folder and "html"). mapped applies the asp/css/js mapping.
Target TargetFor(const QString& path, bool mapped);

// Click on status panel 1 (edit mode) or 2 (preview mode) of doc; other panels
// are ignored. Returns false when nothing changed (question answered No, or
// the copy could not be written).
bool PanelClick(Workspace* main, frmDocument* doc, int panel);
// New status text from the browser.
void StatusTextChange(frmDocument* doc, const QString& text);
// Writes the copy and hands it to the desktop's program for its type.
void ExternalBrowser(Workspace* main, frmDocument* doc);
// The document's embedded browser, created on first use; null without one.
QWidget* Browser(frmDocument* doc);
}
