#pragma once
// The one way text enters a document: replace the selection, then place the
// caret where the user types next.
#include <QPointer>
#include <QString>
#include <QStringList>

class CodeMax1;

// What an insertion writes and where the caret goes afterwards.
struct Snippet {
    QString text;
    bool wrap = false;
    int chars = 0;
    int lines = 0;
    bool operator==(const Snippet&) const = default;
};

// wrap: text is a tag name (with attributes) made into an empty element.
// chars: characters to move left afterwards (negative: right); lines: lines up.
void InsertIntoEditor(CodeMax1* editor, QString& text, bool wrap, int& chars, int lines);
// Inserts into the active document window; does nothing when none is open.
void fctnInsertText(QString text, bool wrap = false, int chars = 0, int lines = 0);
// Inserts into the active document with the snippet's caret instruction.
void InsertSnippet(const Snippet& snippet);
// While one lives, fctnInsertText writes into the document that was active when
// it was made, even when another became active meanwhile (a file handed over
// while a dialog asked something); nothing is inserted once that one has gone.
class InsertTargetScope {
public:
    InsertTargetScope();
    ~InsertTargetScope();
    InsertTargetScope(const InsertTargetScope&) = delete;
    InsertTargetScope& operator=(const InsertTargetScope&) = delete;

private:
    InsertTargetScope* m_outer;
    QPointer<CodeMax1> m_editor;
    friend void fctnInsertText(QString, bool, int, int);
};
// A colour reference (red in the low byte) as markup: "\"#RRGGBB\"".
QString fctnHtmlColour(int colour);
// A local path as a link in markup: "file://" + the absolute path with blanks as %20
// (/a/My Pics/x.gif -> file:///a/My%20Pics/x.gif), and "%", "#", "?", '"' and "'" escaped too.
QString fctnFileUrl(const QString& path);
// The image tag a dropped picture becomes; the caret goes between the quotes of ALT.
QString ImageTagFor(const QString& path, bool fullPath);
// Lines joined by CR LF, the line break snippets are written with.
QString CrLf(const QStringList& lines);
// "<tag>" + inner + "</tag>"
QString Paired(const QString& tag, const QString& inner);
// The ten-line table outline; firstHeader goes into the first header cell.
QString TableOutline(const QString& firstHeader = QString());
